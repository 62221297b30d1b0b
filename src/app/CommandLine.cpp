#include "app/CommandLine.h"

#include <string_view>

namespace lumeno {

namespace {

constexpr char kHelp[] = "Usage: lumeno-kv580 [Qt options]\n"
                         "Configures the Lumeno-KV580 Pro mouse: button assignments, macros, DPI stages,\n"
                         "polling rate, lighting and profiles. It starts in the notification area;\n"
                         "double-click its icon to open the window.\n"
                         "\n"
                         "  --help       show this help and exit\n"
                         "  --version    show the version and exit\n"
                         "\n"
                         "Other arguments go to Qt (for example -platform xcb).\n"
                         "Settings: $XDG_CONFIG_HOME/Lumeno-KV580 Pro/ (default ~/.config/Lumeno-KV580 Pro/).\n"
                         "See lumeno-kv580(1).\n";

} // namespace

std::optional<CommandLineAnswer> AnswerInformationalOption(int argc, const char* const* argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--")
            break;
        if (arg == "--help")
            return CommandLineAnswer{kHelp, 0};
        if (arg == "--version")
            return CommandLineAnswer{std::string("lumeno-kv580 ") + LUMENO_VERSION + "\n", 0};
    }
    return std::nullopt;
}

} // namespace lumeno
