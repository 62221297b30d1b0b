#pragma once
// Shared fixtures: a temporary data folder, a capturing diagnostic channel and
// an AppContext wired to both.
#include "flows/AppContext.h"
#include "platform/DebugOutput.h"
#include "platform/PlatformPaths.h"
#include "platform/linux/PosixFileStore.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace lumeno::test {

// The real file calls, for engines a test makes itself.
inline PosixFileStore& TestFiles()
{
    static PosixFileStore files;
    return files;
}

// Takes every line and keeps none.
class NullDebugOutput final : public DebugOutput {
public:
    void Write(std::string_view) override {}
};

class CapturingDebugOutput final : public DebugOutput {
public:
    void Write(std::string_view text) override { lines.emplace_back(text); }
    bool Contains(std::string_view text) const
    {
        for (const auto& l : lines)
            if (l == text)
                return true;
        return false;
    }
    std::vector<std::string> lines;
};

// A fresh folder under the system's temporary folder, removed at the end.
class TempDir {
public:
    TempDir()
    {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() / ("lumeno-test-" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(path_);
    }
    ~TempDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

class FixedPlatformPaths final : public PlatformPaths {
public:
    explicit FixedPlatformPaths(std::filesystem::path folder) : folder_(std::move(folder)) {}
    std::optional<std::filesystem::path> UserConfigFolder() const override { return folder_; }

private:
    std::filesystem::path folder_;
};

// An AppContext whose data folder ("<tmp>/Lumeno-KV580 Pro/") already exists.
struct ContextFixture {
    TempDir tmp;
    CapturingDebugOutput debug;
    FixedPlatformPaths platform{tmp.path()};
    PosixFileStore files;
    AppContext ctx{debug, platform, files};
    std::filesystem::path dataDir = tmp.path() / "Lumeno-KV580 Pro";

    ContextFixture() { std::filesystem::create_directories(dataDir); }
};

inline std::string ReadFileBytes(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteFileBytes(const std::filesystem::path& p, std::string_view bytes)
{
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
}

} // namespace lumeno::test
