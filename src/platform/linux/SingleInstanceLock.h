#pragma once
#include "platform/SingleInstance.h"

#include <filesystem>
#include <optional>

namespace lumeno {

// flock on a file named after the lock in the user's runtime folder
// ($XDG_RUNTIME_DIR, else a private folder under /tmp). The descriptor is
// close-on-exec, so programs started from here never inherit the lock.
class SingleInstanceLock final : public SingleInstance {
public:
    // folder: where the lock file lives; nullopt picks the runtime folder.
    explicit SingleInstanceLock(std::optional<std::filesystem::path> folder = std::nullopt);
    ~SingleInstanceLock() override;
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

    InstanceLock Acquire(std::string_view name) override;
    void Release() override;

    // The runtime folder used when none is given; nullopt when none is usable.
    static std::optional<std::filesystem::path> RuntimeFolder();

private:
    std::optional<std::filesystem::path> folder_;
    int fd_ = -1;
};

} // namespace lumeno
