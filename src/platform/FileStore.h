#pragma once
// The file-system calls the stores need: reading a data file whole without
// ever blocking, replacing a file in one step, and telling whether a file
// changed since it was last read.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace lumeno {

// What identifies one version of a file: where it lives, its size, when its
// bytes were last written and when it last changed in any way (the change
// time follows every write and every setting of the modification time, and
// no program can set it). Two looks with equal identities saw the same bytes,
// unless the file was written again within one tick of the file system's
// clock. Times are in nanoseconds since 1970, on the system clock.
struct FileIdentity {
    uint64_t device = 0;
    uint64_t inode = 0;
    int64_t size = 0;
    int64_t modifiedNs = 0;
    int64_t changedNs = 0;

    bool operator==(const FileIdentity&) const = default;
};

enum class FileState { Missing, Present, Unreadable };

// A data file read whole. Unreadable also stands for a file refused for
// what it is: something other than a regular file (a named pipe, a device,
// a folder) or larger than the reader's limit; problem says why.
struct FileRead {
    FileState state = FileState::Missing;
    std::string bytes;   // Present: the whole file
    std::string problem; // Unreadable: why, for the debug output
};

// The most any data file of the program holds (its INI files included); a
// larger file is refused rather than read into memory whole, and never
// replaced.
inline constexpr size_t kMaxDataFileBytes = 1 << 20;

// ReplaceAtomically writes into "<target name>.XXXXXX" (mkstemp's template)
// beside the target. A process killed before the rename leaves that file.
inline constexpr std::string_view kTemporaryTemplate = ".XXXXXX";

// Whether name is a temporary file of ReplaceAtomically for a target named
// targetName: the target's name, a dot and six letters or digits.
constexpr bool IsTemporaryOf(std::string_view name, std::string_view targetName)
{
    if (name.size() != targetName.size() + kTemporaryTemplate.size() || !name.starts_with(targetName) ||
        name[targetName.size()] != '.')
        return false;
    for (const char c : name.substr(targetName.size() + 1)) {
        const bool alnum = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (!alnum)
            return false;
    }
    return true;
}

class FileStore {
public:
    virtual ~FileStore() = default;

    // Reads a regular file whole, following links. The file is opened
    // without waiting, so a named pipe or a device at its place never holds
    // the caller; anything but a regular file of at most maxBytes is refused.
    virtual FileRead ReadFile(const std::filesystem::path& file, size_t maxBytes) = 0;

    // Writes bytes to a temporary file in the target's folder, flushes it to
    // disk and renames it over the target, keeping the target's permissions.
    // A link is followed: the file it names is replaced, the link stays.
    // Something other than a regular file at the target's place (EISDIR for
    // a folder, EINVAL for anything else), or a file larger than
    // kMaxDataFileBytes (EFBIG), is never replaced. Returns 0, or the
    // system's error number; on failure the target is untouched and no
    // temporary file is left.
    virtual int ReplaceAtomically(const std::filesystem::path& target, std::span<const uint8_t> bytes) = 0;

    // The identity of a regular file; Missing when there is none, Unreadable
    // for anything else at that place or a failed look-up.
    virtual FileState Identify(const std::filesystem::path& file, FileIdentity& identity) = 0;
};

} // namespace lumeno
