#pragma once
#include "platform/DebugOutput.h"

namespace lumeno {

// Diagnostic lines go to standard error, each ended by a line feed.
class StderrDebugOutput final : public DebugOutput {
public:
    void Write(std::string_view text) override;
};

} // namespace lumeno
