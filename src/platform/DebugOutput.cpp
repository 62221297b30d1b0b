#include "platform/DebugOutput.h"

#include <cstdarg>
#include <cstdio>
#include <string>

namespace lumeno {

void DebugPrintf(DebugOutput& out, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list sizing;
    va_copy(sizing, args);
    const int length = std::vsnprintf(nullptr, 0, format, sizing);
    va_end(sizing);
    std::string text(length > 0 ? static_cast<size_t>(length) : 0, '\0');
    if (length > 0)
        std::vsnprintf(text.data(), text.size() + 1, format, args);
    va_end(args);
    out.Write(text);
}

} // namespace lumeno
