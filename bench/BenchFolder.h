#pragma once
// What the flow benchmarks share: a debug output that keeps quiet, and a
// data folder of the benchmark's own under the temporary folder, removed
// when it ends.
#include "platform/DebugOutput.h"
#include "platform/PlatformPaths.h"

#include <filesystem>
#include <string>
#include <unistd.h>

namespace lumeno::bench {

class SilentDebug final : public DebugOutput {
public:
    void Write(std::string_view) override {}
};

class TempPaths final : public PlatformPaths {
public:
    TempPaths() : folder_(std::filesystem::temp_directory_path() / ("lumeno-bench-" + std::to_string(::getpid())))
    {
        std::filesystem::create_directories(folder_);
    }
    ~TempPaths() override
    {
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }
    std::optional<std::filesystem::path> UserConfigFolder() const override { return folder_; }

private:
    std::filesystem::path folder_;
};

} // namespace lumeno::bench
