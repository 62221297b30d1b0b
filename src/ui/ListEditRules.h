#pragma once
// What the in-place list editor (CLBEditorWnd) makes of the typed text when
// an edit is accepted: delays in numeric mode, names in text mode.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumeno {

inline constexpr int kMaxEditedDelayMs = 65535;

// Numeric mode: the leading digits (none reads 0), at most 65535, written
// back as "<n> ms".
std::string AcceptedDelayText(std::string_view typed);

// Text mode: the new text of item `index`, or nullopt when it is refused
// (empty, or equal to another item of the list, exact comparison).
std::optional<std::string> AcceptedNameText(std::string_view typed, const std::vector<std::string>& items, int index);

// Numeric mode accepts digits only; other characters never reach the box.
bool IsNumericEditCharacter(char32_t c);

} // namespace lumeno
