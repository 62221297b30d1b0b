#include "platform/linux/LinuxPlatformPaths.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace lumeno {

std::optional<std::filesystem::path> LinuxPlatformPaths::UserConfigFolder() const
{
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && xdg[0] == '/')
        return std::filesystem::path(xdg);
    const char* home = std::getenv("HOME");
    if (!home || !home[0]) {
        const passwd* entry = getpwuid(getuid());
        home = entry ? entry->pw_dir : nullptr;
    }
    if (!home || !home[0])
        return std::nullopt;
    return std::filesystem::path(home) / ".config";
}

} // namespace lumeno
