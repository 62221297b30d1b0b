#include "platform/linux/PosixFileStore.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace lumeno {

namespace {

int64_t Nanoseconds(const timespec& t) { return int64_t(t.tv_sec) * 1'000'000'000 + t.tv_nsec; }

bool WriteAll(int fd, std::span<const uint8_t> bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += size_t(n);
    }
    return true;
}

} // namespace

int PosixFileStore::ReplaceAtomically(const std::filesystem::path& target, std::span<const uint8_t> bytes)
{
    // A folder at the target's place must fail like an unwritable file.
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode))
        return EISDIR;

    std::string temp = target.string() + std::string(kTemporaryTemplate);
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return errno;

    // Keep the permissions of the file being replaced; new files get 0644.
    const mode_t mode = exists ? (existing.st_mode & 07777) : 0644;
    bool ok = ::fchmod(fd, mode) == 0 && WriteAll(fd, bytes) && ::fsync(fd) == 0;
    int savedErrno = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        savedErrno = errno;
    }
    if (ok && ::rename(temp.c_str(), target.c_str()) != 0) {
        ok = false;
        savedErrno = errno;
    }
    if (!ok) {
        ::unlink(temp.c_str());
        return savedErrno != 0 ? savedErrno : EIO;
    }
    return 0;
}

FileState PosixFileStore::Identify(const std::filesystem::path& file, FileIdentity& identity)
{
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0)
        return errno == ENOENT || errno == ENOTDIR ? FileState::Missing : FileState::Unreadable;
    if (!S_ISREG(st.st_mode))
        return FileState::Unreadable;
    identity = {uint64_t(st.st_dev), uint64_t(st.st_ino), int64_t(st.st_size), Nanoseconds(st.st_mtim),
                Nanoseconds(st.st_ctim)};
    return FileState::Present;
}

} // namespace lumeno
