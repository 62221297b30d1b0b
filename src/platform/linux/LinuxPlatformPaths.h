#pragma once
#include "platform/PlatformPaths.h"

namespace lumeno {

// $XDG_CONFIG_HOME when it is an absolute path, else $HOME/.config.
class LinuxPlatformPaths final : public PlatformPaths {
public:
    std::optional<std::filesystem::path> UserConfigFolder() const override;
};

} // namespace lumeno
