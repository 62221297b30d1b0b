#pragma once
// The program's texts are UTF-8 std::string / string_view; Qt wants QString.
#include <QString>

#include <string_view>

namespace lumeno {

inline QString Q(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

} // namespace lumeno
