#pragma once
// Conversions between the encodings INI files come in and the UTF-8 used
// inside the program. Malformed input never fails: it becomes U+FFFD.
#include <cstddef>
#include <string>
#include <string_view>

namespace lumeno {

std::string Utf16LeToUtf8(std::string_view bytes);
std::string Utf8ToUtf16Le(std::string_view utf8);

// The longest prefix of text that fits in maxUnits UTF-16 code units (the
// measure of a Windows character buffer), never splitting a character.
// A byte that starts no valid sequence counts as one unit.
std::string_view CutToUtf16Units(std::string_view text, size_t maxUnits);

} // namespace lumeno
