// Reading keys of an INI file that has not changed since the last read: the
// program reads its files key by key, so this is its common case. Compared
// with a read that must parse the file (the first read after each write).
// The file is older than the coarsest tick of file times (2 s) when it is
// read, as the program's files are between saves; within that tick of a
// change each read compares the file's bytes instead.
#include "config/ProfileIni.h"
#include "platform/linux/PosixFileStore.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

lumeno::PosixFileStore files;

std::filesystem::path MakeLibraryLikeFile()
{
    const auto path = std::filesystem::temp_directory_path() / ("lumeno-bench-" + std::to_string(::getpid()) + ".ini");
    std::ofstream out(path);
    out << "[MacroName]\nMacroCount=12\n";
    for (int m = 0; m < 12; ++m)
        out << "Macro" << m << "=Macro " << m + 1 << "\n";
    for (int m = 0; m < 12; ++m) {
        out << "[Macro " << m + 1 << "]\nItemCount=124\nLoopTimes=1\n";
        for (int i = 0; i < 124; ++i)
            out << "Item" << i << "=" << (i % 2 ? "50 ms" : "A   Dn") << "\n";
    }
    return path;
}

// Made once, then left alone for longer than a tick of file times.
const std::filesystem::path& SettledFile()
{
    static const struct Settled {
        std::filesystem::path path = MakeLibraryLikeFile();
        Settled() { std::this_thread::sleep_for(std::chrono::milliseconds(2500)); }
        ~Settled() { std::filesystem::remove(path); }
    } settled;
    return settled.path;
}

void BM_ReadUnchangedFile(benchmark::State& state)
{
    const auto& file = SettledFile();
    lumeno::ProfileIni ini{files};
    int i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(ini.ReadString(file, "Macro 7", "Item" + std::to_string(i++ % 124)));
}
BENCHMARK(BM_ReadUnchangedFile);

void BM_ReadAfterParse(benchmark::State& state)
{
    const auto& file = SettledFile();
    for (auto _ : state) {
        lumeno::ProfileIni ini{files}; // a fresh engine has to parse the file
        benchmark::DoNotOptimize(ini.ReadString(file, "Macro 7", "Item5"));
    }
}
BENCHMARK(BM_ReadAfterParse);

} // namespace

BENCHMARK_MAIN();
