#pragma once
#include "platform/SingleInstance.h"

#include <filesystem>
#include <optional>

namespace lumeno {

// flock on a file named after the lock in the user's runtime folder
// ($XDG_RUNTIME_DIR, else a private folder under /tmp). The holder listens on
// a Unix socket beside it ("<name>.sock", mode 0600); a later copy connects
// to it, and the connection is the request to come forward. Every descriptor
// is close-on-exec, so programs started from here inherit neither the lock
// nor the socket.
class SingleInstanceLock final : public SingleInstance {
public:
    // folder: where the lock file lives; nullopt picks the runtime folder.
    explicit SingleInstanceLock(std::optional<std::filesystem::path> folder = std::nullopt);
    ~SingleInstanceLock() override;
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

    InstanceLock Acquire(std::string_view name) override;
    void Release() override;
    bool AskRunningCopyForward() override;
    int RequestDescriptor() const override { return listenFd_; }
    int TakeRequests() override;

    // The runtime folder used when none is given; nullopt when none is usable.
    static std::optional<std::filesystem::path> RuntimeFolder();

private:
    void Listen();

    std::optional<std::filesystem::path> folder_;
    std::filesystem::path socketPath_; // known once Acquire found a folder
    int fd_ = -1;
    int listenFd_ = -1;
};

} // namespace lumeno
