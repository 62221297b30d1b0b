// WriteAll against the virtual mouse with the real pacer. The flow's time is
// set by its mandated pauses; the counter "ratio" is the wall time over their
// sum (1.00 would mean no overhead at all).
#include "BenchFolder.h"

#include "config/ConfigFiles.h"
#include "device/DeviceLink.h"
#include "emulator/EmulatedHidSystem.h"
#include "emulator/VirtualMouse.h"
#include "flows/AppContext.h"
#include "flows/WriteFlows.h"
#include "platform/Pacer.h"
#include "platform/linux/PosixFileStore.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>

namespace {

using namespace lumeno;
using bench::SilentDebug;
using bench::TempPaths;

// Runs WriteAll once on the given pacer against a fresh virtual mouse.
void RunWriteAll(Pacer& pacer, const PlatformPaths& paths)
{
    SilentDebug debug;
    lumeno::PosixFileStore files;
    AppContext ctx(debug, paths, files);
    EnsureDataDirectory(ctx);
    LoadFactoryDefaults(ctx.image);
    ctx.languageCode = "EN";

    VirtualMouse mouse({}, &pacer);
    EmulatedHidSystem hid; // real waits, as a real device
    hid.AddMouse(mouse);
    DeviceLink link(hid, pacer, debug);
    ctx.device = &link;
    link.connection.CheckConnection();
    WriteAll(ctx);
    hid.RemoveMouse(mouse);
}

void BM_WriteAllRealPacer(benchmark::State& state)
{
    TempPaths paths;
    VirtualPacer counted;
    RunWriteAll(counted, paths);
    const double mandated = double(counted.Now().count()); // the sum of the pauses, in ms

    double total = 0;
    for (auto _ : state) {
        SleepingPacer pacer;
        const auto start = std::chrono::steady_clock::now();
        RunWriteAll(pacer, paths);
        const double wall = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime(wall / 1000.0);
        total += wall;
    }
    state.counters["mandated_ms"] = mandated;
    state.counters["ratio"] = total / double(state.iterations()) / mandated;
}
BENCHMARK(BM_WriteAllRealPacer)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
