#pragma once
// The options the program answers itself, before anything else starts:
// --help and --version print and end it. Every other argument is Qt's.
#include <optional>
#include <string>

namespace lumeno {

struct CommandLineAnswer {
    std::string text; // printed on standard output
    int exitCode = 0;
};

// The answer to the first --help or --version among the arguments; none when
// the program is to run.
std::optional<CommandLineAnswer> AnswerInformationalOption(int argc, const char* const* argv);

} // namespace lumeno
