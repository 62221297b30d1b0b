#include "platform/linux/StderrDebugOutput.h"

#include <cstdio>
#include <string>

namespace lumeno {

void StderrDebugOutput::Write(std::string_view text)
{
    // One fwrite per line keeps lines of the reader thread from interleaving.
    std::string line(text);
    if (line.empty() || line.back() != '\n')
        line += '\n';
    std::fwrite(line.data(), 1, line.size(), stderr);
}

} // namespace lumeno
