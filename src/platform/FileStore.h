#pragma once
// The file-system calls the stores need beyond reading: replacing a file in
// one step, and telling whether a file changed since it was last read.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>

namespace lumeno {

// What identifies one version of a file: where it lives, its size and when it
// was last written. Two reads with equal identities saw the same bytes.
struct FileIdentity {
    uint64_t device = 0;
    uint64_t inode = 0;
    int64_t size = 0;
    int64_t modifiedNs = 0;

    bool operator==(const FileIdentity&) const = default;
};

enum class FileState { Missing, Present, Unreadable };

class FileStore {
public:
    virtual ~FileStore() = default;

    // Writes bytes to a temporary file in the target's folder, flushes it to
    // disk and renames it over the target, keeping the target's permissions.
    // Returns 0, or the system's error number; on failure the target is
    // untouched and no temporary file is left.
    virtual int ReplaceAtomically(const std::filesystem::path& target, std::span<const uint8_t> bytes) = 0;

    // The identity of a regular file; Missing when there is none, Unreadable
    // for anything else at that place or a failed look-up.
    virtual FileState Identify(const std::filesystem::path& file, FileIdentity& identity) = 0;
};

} // namespace lumeno
