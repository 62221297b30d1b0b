#include "platform/linux/PosixFileStore.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
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

// Closes a descriptor when it goes out of scope.
struct Descriptor {
    int fd;
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

FileRead Refused(std::string problem) { return {FileState::Unreadable, {}, std::move(problem)}; }

FileRead TooLarge(size_t maxBytes) { return Refused("larger than " + std::to_string(maxBytes) + " bytes"); }

std::string ErrorText(int error) { return std::strerror(error); }

} // namespace

FileRead PosixFileStore::ReadFile(const std::filesystem::path& file, size_t maxBytes)
{
    // Without O_NONBLOCK the open of a named pipe waits for a writer.
    const Descriptor in{::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY)};
    if (in.fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return {};
        return Refused(ErrorText(errno));
    }
    struct stat st {};
    if (::fstat(in.fd, &st) != 0)
        return Refused(ErrorText(errno));
    if (!S_ISREG(st.st_mode))
        return Refused(S_ISDIR(st.st_mode) ? "a folder, not a file" : "not a regular file");
    if (uint64_t(st.st_size) > maxBytes)
        return TooLarge(maxBytes);

    // Read up to one byte past the limit, so a file that grew since fstat
    // is refused too.
    FileRead read{FileState::Present, std::string(size_t(st.st_size) + 1, '\0'), {}};
    size_t got = 0;
    for (;;) {
        if (got == read.bytes.size()) {
            if (got > maxBytes)
                return TooLarge(maxBytes);
            read.bytes.resize(std::min(got * 2, maxBytes + 1));
        }
        const ssize_t n = ::read(in.fd, read.bytes.data() + got, read.bytes.size() - got);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return Refused(ErrorText(errno));
        }
        if (n == 0)
            break;
        got += size_t(n);
    }
    if (got > maxBytes)
        return TooLarge(maxBytes);
    read.bytes.resize(got);
    return read;
}

int PosixFileStore::ReplaceAtomically(const std::filesystem::path& link, std::span<const uint8_t> bytes)
{
    // A link is followed, so a data file kept elsewhere (a dotfile link)
    // gets the new bytes and the link stays.
    std::filesystem::path target = link;
    if (struct stat st{}; ::lstat(link.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        char resolved[PATH_MAX];
        if (!::realpath(link.c_str(), resolved))
            return errno;
        target = resolved;
    }
    // Anything but a regular file at the target's place (a folder, a named
    // pipe, a device) must fail like an unwritable file, never be replaced.
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode))
        return S_ISDIR(existing.st_mode) ? EISDIR : EINVAL;
    if (exists && uint64_t(existing.st_size) > kMaxDataFileBytes)
        return EFBIG;

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
