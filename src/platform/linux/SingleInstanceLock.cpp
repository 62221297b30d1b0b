#include "platform/linux/SingleInstanceLock.h"

#include "platform/linux/UnixSocketPath.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace lumeno {

namespace {

constexpr char kSocketSuffix[] = ".sock";
constexpr int kBacklog = 16;
// The holder takes the lock a moment before it listens; a copy started in
// that moment (a double-click on a launcher starts two) tries again briefly.
constexpr int kConnectTries = 10;
constexpr std::chrono::milliseconds kConnectRetry{50};

// A folder only this user can write to, or nothing: a lock file in a folder
// others control could be replaced or held by them.
bool IsPrivateFolder(const std::filesystem::path& folder)
{
    struct stat st {};
    if (::lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return false;
    return st.st_uid == ::getuid() && (st.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

// Only this user's own processes may ask.
bool PeerIsThisUser(int fd)
{
    ucred peer{};
    socklen_t length = sizeof peer;
    return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &length) == 0 && peer.uid == ::getuid();
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
    socketPath_ = *folder / (std::string(name) + kSocketSuffix);
    const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return InstanceLock::Unavailable;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        return error == EWOULDBLOCK ? InstanceLock::AlreadyRunning : InstanceLock::Unavailable;
    }
    fd_ = fd;
    Listen();
    return InstanceLock::Acquired;
}

void SingleInstanceLock::Listen()
{
    // Only the lock holder gets here, so a socket left by a copy that ended
    // without Release (a crash) is replaced. Anything else in its place is
    // left alone, and this copy is then not reachable.
    struct stat st {};
    if (::lstat(socketPath_.c_str(), &st) == 0 && S_ISSOCK(st.st_mode))
        ::unlink(socketPath_.c_str());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return;
    if (BindSocketInFolder(fd, socketPath_.parent_path(), socketPath_.filename().string()) != 0) {
        ::close(fd);
        return;
    }
    if (::chmod(socketPath_.c_str(), 0600) != 0 || ::listen(fd, kBacklog) != 0) {
        ::unlink(socketPath_.c_str());
        ::close(fd);
        return;
    }
    listenFd_ = fd;
}

void SingleInstanceLock::Release()
{
    if (listenFd_ >= 0) {
        ::unlink(socketPath_.c_str()); // still the holder: the socket is this copy's
        ::close(listenFd_);
        listenFd_ = -1;
    }
    if (fd_ < 0)
        return;
    ::flock(fd_, LOCK_UN);
    ::close(fd_);
    fd_ = -1;
}

bool SingleInstanceLock::AskRunningCopyForward()
{
    for (int attempt = 1;; ++attempt) {
        // Non-blocking: a holder whose queue is full is not waited for.
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (fd < 0)
            return false;
        const int error = ConnectSocketAt(fd, socketPath_);
        ::close(fd);
        if (error == 0)
            return true;
        if ((error != ENOENT && error != ECONNREFUSED) || attempt >= kConnectTries)
            return false;
        std::this_thread::sleep_for(kConnectRetry);
    }
}

int SingleInstanceLock::TakeRequests()
{
    if (listenFd_ < 0)
        return 0;
    int requests = 0;
    for (;;) {
        const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) {
            if (errno == EINTR || errno == ECONNABORTED)
                continue;
            return requests; // EAGAIN: none waits any more
        }
        if (PeerIsThisUser(fd))
            ++requests;
        ::close(fd);
    }
}

} // namespace lumeno
