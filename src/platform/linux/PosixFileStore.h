#pragma once
// FileStore on POSIX: mkstemp, fsync, rename and stat.
#include "platform/FileStore.h"

namespace lumeno {

class PosixFileStore final : public FileStore {
public:
    int ReplaceAtomically(const std::filesystem::path& target, std::span<const uint8_t> bytes) override;
    FileState Identify(const std::filesystem::path& file, FileIdentity& identity) override;
};

} // namespace lumeno
