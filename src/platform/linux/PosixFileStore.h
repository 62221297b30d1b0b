#pragma once
// FileStore on POSIX: open without waiting and fstat, mkstemp, fsync, rename
// and stat.
#include "platform/FileStore.h"

namespace lumeno {

class PosixFileStore final : public FileStore {
public:
    FileRead ReadFile(const std::filesystem::path& file, size_t maxBytes) override;
    int ReplaceAtomically(const std::filesystem::path& target, std::span<const uint8_t> bytes) override;
    FileState Identify(const std::filesystem::path& file, FileIdentity& identity) override;
};

} // namespace lumeno
