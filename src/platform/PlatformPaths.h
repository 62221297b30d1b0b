#pragma once
// Where the user's per-application data lives.
#include <filesystem>
#include <optional>

namespace lumeno {

class PlatformPaths {
public:
    virtual ~PlatformPaths() = default;
    // The folder that holds per-user application settings (on Linux
    // $XDG_CONFIG_HOME or ~/.config). nullopt when it cannot be determined;
    // callers then fall back to the working directory.
    virtual std::optional<std::filesystem::path> UserConfigFolder() const = 0;
};

} // namespace lumeno
