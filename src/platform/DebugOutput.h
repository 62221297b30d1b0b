#pragma once
// The diagnostic channel: lines nobody sees unless they look for them.
#include <string_view>

namespace lumeno {

class DebugOutput {
public:
    virtual ~DebugOutput() = default;
    // Writes one diagnostic text as given (it may hold line feeds). Never fails.
    // Called from the UI thread and, for its own lines, the event reader.
    virtual void Write(std::string_view text) = 0;
};

// printf-style convenience: the diagnostic lines are printf formats.
void DebugPrintf(DebugOutput& out, const char* format, ...) __attribute__((format(printf, 2, 3)));

} // namespace lumeno
