// LoadProfile with a full macro library: 12 macros of 62 key events with a
// delay line between events. Goal: under 5 ms per load. The warm case is the
// program's own (the parsed library is kept while the file is unchanged); the
// cold case parses every file anew.
#include "config/ConfigFiles.h"
#include "flows/AppContext.h"
#include "flows/ProfileLoad.h"
#include "platform/DebugOutput.h"
#include "platform/PlatformPaths.h"
#include "platform/linux/PosixFileStore.h"
#include "support/TestContext.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <thread>

namespace {

using namespace lumeno;

void Write(const std::filesystem::path& p, const std::string& bytes)
{
    std::ofstream(p, std::ios::binary | std::ios::trunc) << bytes;
}

std::string FullLibrary()
{
    std::string text = "[MacroName]\nMacroCount=12\n";
    for (int i = 0; i < 12; ++i)
        text += std::to_string(i) + "=Macro_" + std::to_string(i + 1) + "\n";
    for (int i = 0; i < 12; ++i) {
        text += "[Macro_" + std::to_string(i + 1) + "]\nDelayTimeSelStatus=1\nMacroLoopTimes=3\nItemCount=123\n";
        int item = 0;
        for (int e = 0; e < 62; ++e) {
            if (e > 0)
                text += "Item" + std::to_string(item++) + "=" + std::to_string(20 + e) + " ms\n";
            const std::string key(1, char('A' + (e / 2) % 26));
            text += "Item" + std::to_string(item++) + "=" + key + (e % 2 ? "   Up\n" : "   Dn\n");
        }
    }
    return text;
}

struct DataFolder {
    DataFolder()
    {
        const auto data = root.path() / kDataFolderName;
        std::filesystem::create_directories(data);
        Write(data / kProfileListFile, "[Profile]\nCurProfileName=Default\nItemCount=1\nItem0=Default\n");
        Write(data / "config0.bin", std::string(kConfigFileSize, '\x01'));
        Write(data / kMacroLibraryFile, FullLibrary());
        // Files changed within the last two seconds are checked byte for
        // byte at every read; the program's common case is a file older
        // than that.
        std::this_thread::sleep_for(std::chrono::milliseconds(2500));
    }
    test::TempDir root;
};

void BM_LoadProfile(benchmark::State& state)
{
    DataFolder folder;
    test::NullDebugOutput debug;
    test::FixedPlatformPaths paths(folder.root.path());
    lumeno::PosixFileStore files;
    AppContext ctx(debug, paths, files);
    LoadProfile(ctx);
    if (ctx.image.macroMemory[11][2] != 0x05)
        state.SkipWithError("the library was not encoded");
    for (auto _ : state) {
        LoadProfile(ctx);
        benchmark::DoNotOptimize(ctx.image.macroMemory[11][129]);
    }
}
BENCHMARK(BM_LoadProfile)->Unit(benchmark::kMillisecond);

void BM_LoadProfileColdCache(benchmark::State& state)
{
    DataFolder folder;
    test::NullDebugOutput debug;
    test::FixedPlatformPaths paths(folder.root.path());
    lumeno::PosixFileStore files;
    for (auto _ : state) {
        auto ctx = std::make_unique<AppContext>(debug, paths, files);
        LoadProfile(*ctx);
        benchmark::DoNotOptimize(ctx->image.macroMemory[11][129]);
    }
}
BENCHMARK(BM_LoadProfileColdCache)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
