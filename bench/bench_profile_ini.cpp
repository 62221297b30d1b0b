// Reading keys of an INI file that has not changed since the last read: the
// program reads its files key by key, so this is its common case. Compared
// with a read that must parse the file (the first read after each write).
#include "config/ProfileIni.h"
#include "platform/linux/PosixFileStore.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
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

void BM_ReadUnchangedFile(benchmark::State& state)
{
    const auto file = MakeLibraryLikeFile();
    lumeno::ProfileIni ini{files};
    int i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(ini.ReadString(file, "Macro 7", "Item" + std::to_string(i++ % 124)));
    std::filesystem::remove(file);
}
BENCHMARK(BM_ReadUnchangedFile);

void BM_ReadAfterParse(benchmark::State& state)
{
    const auto file = MakeLibraryLikeFile();
    for (auto _ : state) {
        lumeno::ProfileIni ini{files}; // a fresh engine has to parse the file
        benchmark::DoNotOptimize(ini.ReadString(file, "Macro 7", "Item5"));
    }
    std::filesystem::remove(file);
}
BENCHMARK(BM_ReadAfterParse);

} // namespace

BENCHMARK_MAIN();
