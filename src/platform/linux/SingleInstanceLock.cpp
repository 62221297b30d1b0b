#include "platform/linux/SingleInstanceLock.h"

#include <cerrno>
#include <cstdlib>
#include <string>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lumeno {

namespace {

// A folder only this user can write to, or nothing: a lock file in a folder
// others control could be replaced or held by them.
bool IsPrivateFolder(const std::filesystem::path& folder)
{
    struct stat st {};
    if (::lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return false;
    return st.st_uid == ::getuid() && (st.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

} // namespace

SingleInstanceLock::SingleInstanceLock(std::optional<std::filesystem::path> folder) : folder_(std::move(folder)) {}

SingleInstanceLock::~SingleInstanceLock() { Release(); }

std::optional<std::filesystem::path> SingleInstanceLock::RuntimeFolder()
{
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && runtime[0] == '/') {
        std::filesystem::path folder(runtime);
        if (IsPrivateFolder(folder))
            return folder;
    }
    std::filesystem::path fallback = "/tmp/lumeno-kv580-" + std::to_string(::getuid());
    if (::mkdir(fallback.c_str(), 0700) != 0 && errno != EEXIST)
        return std::nullopt;
    if (!IsPrivateFolder(fallback))
        return std::nullopt;
    return fallback;
}

InstanceLock SingleInstanceLock::Acquire(std::string_view name)
{
    if (fd_ >= 0)
        return InstanceLock::Acquired;
    const auto folder = folder_ ? folder_ : RuntimeFolder();
    if (!folder)
        return InstanceLock::Unavailable;
    const std::filesystem::path file = *folder / std::string(name);
    const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return InstanceLock::Unavailable;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        return error == EWOULDBLOCK ? InstanceLock::AlreadyRunning : InstanceLock::Unavailable;
    }
    fd_ = fd;
    return InstanceLock::Acquired;
}

void SingleInstanceLock::Release()
{
    if (fd_ < 0)
        return;
    ::flock(fd_, LOCK_UN);
    ::close(fd_);
    fd_ = -1;
}

} // namespace lumeno
