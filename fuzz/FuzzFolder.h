#pragma once
// What the fuzz targets that go through the data files share: a private
// folder (in shared memory where there is some), removed when the process
// ends normally, and file calls that skip the flush to disk, which costs
// milliseconds per write and proves nothing here.
#include "platform/DebugOutput.h"
#include "platform/PlatformPaths.h"
#include "platform/linux/PosixFileStore.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

namespace lumeno::fuzz {

// Ends the run as a finding, naming the broken promise.
[[noreturn]] inline void Fail(const char* what)
{
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
}

// The whole file; empty when it cannot be read.
inline std::string ReadAll(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class FuzzFolder {
public:
    FuzzFolder()
    {
        const char* base = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
        std::string name = std::string(base) + "/lumeno-fuzz-XXXXXX";
        if (!::mkdtemp(name.data()))
            std::abort();
        path_ = name;
    }
    ~FuzzFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    FuzzFolder(const FuzzFolder&) = delete;
    FuzzFolder& operator=(const FuzzFolder&) = delete;
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

// Replaces a file by writing it under another name and renaming it, without
// the flush; identities as the POSIX store gives them.
class UnflushedFileStore final : public FileStore {
public:
    FileRead ReadFile(const std::filesystem::path& file, size_t maxBytes) override
    {
        return files_.ReadFile(file, maxBytes);
    }
    int ReplaceAtomically(const std::filesystem::path& target, std::span<const uint8_t> bytes) override
    {
        const std::string temp = target.string() + ".fuzzing";
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd < 0)
            return errno;
        const bool ok = ::write(fd, bytes.data(), bytes.size()) == ssize_t(bytes.size());
        ::close(fd);
        if (!ok || ::rename(temp.c_str(), target.c_str()) != 0) {
            ::unlink(temp.c_str());
            return EIO;
        }
        return 0;
    }
    FileState Identify(const std::filesystem::path& file, FileIdentity& identity) override
    {
        return files_.Identify(file, identity);
    }

private:
    PosixFileStore files_;
};

class NoDebugOutput final : public DebugOutput {
public:
    void Write(std::string_view) override {}
};

class FolderPaths final : public PlatformPaths {
public:
    explicit FolderPaths(std::filesystem::path folder) : folder_(std::move(folder)) {}
    std::optional<std::filesystem::path> UserConfigFolder() const override { return folder_; }

private:
    std::filesystem::path folder_;
};

// What a target that goes through the data files needs, made once per run:
// the private folder, its file calls, its paths and a silent debug output.
struct DataFiles {
    FuzzFolder folder;
    UnflushedFileStore files;
    NoDebugOutput debug;
    FolderPaths paths{folder.Path()};
};

// Writes bytes as the whole of file.
inline void WriteWholeFile(const std::filesystem::path& file, const uint8_t* data, size_t size)
{
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        std::abort();
    for (size_t done = 0; done < size;) {
        const ssize_t n = ::write(fd, data + done, size - done);
        if (n <= 0)
            std::abort();
        done += size_t(n);
    }
    ::close(fd);
}

} // namespace lumeno::fuzz
