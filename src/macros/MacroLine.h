#pragma once
// One line of a macro's sequence as the library stores and the manager shows
// it: a key press ("A   Dn"), a key release ("A   Up") or a delay ("50 ms").
// Kinds are recognised by substring, so stored lines of any shape still read.
#include <string>
#include <string_view>

namespace lumeno {

inline constexpr std::string_view kPressSuffix = "   Dn";
inline constexpr std::string_view kReleaseSuffix = "   Up";
inline constexpr std::string_view kDelayMark = "ms"; // what makes a line a delay
inline constexpr std::string_view kDelaySuffix = " ms";
inline constexpr int kDefaultEventDelayMs = 50; // an event with no delay line before it
inline constexpr int kMaxDelayMs = 65535;       // the mouse holds 16 bits

enum class MacroLineKind { Press, Release, Other };

// Press when the line holds "   Dn", else release when it holds "   Up".
MacroLineKind KindOfLine(std::string_view line);

// A delay line is any line that holds "ms".
bool IsDelayLine(std::string_view line);

// The key name of a press or release line: the line without its suffix.
std::string KeyNameOfLine(std::string_view line);

// The text a delay line's number is read from: the line without " ms"
// (every occurrence), so a hand-edited "12 ms34" reads 1234.
std::string DelayTextOfLine(std::string_view line);

std::string PressLine(std::string_view keyName);
std::string ReleaseLine(std::string_view keyName);
std::string DelayLine(long long milliseconds); // "%d ms"

} // namespace lumeno
