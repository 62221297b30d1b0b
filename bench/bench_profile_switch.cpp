// A profile switch as closing the profile pane runs it (the list written,
// the other profile loaded, saved and written to the mouse), against the
// virtual mouse with the real pacer. The counter "ratio" is the wall time
// over the mandated pauses of WriteAll; the goal is at most 1.05.
#include "BenchFolder.h"

#include "config/ConfigFiles.h"
#include "config/IniKeys.h"
#include "config/ProfileListFile.h"
#include "device/DeviceLink.h"
#include "emulator/EmulatedHidSystem.h"
#include "emulator/VirtualMouse.h"
#include "flows/AppContext.h"
#include "flows/ProfileFlows.h"
#include "platform/Pacer.h"
#include "platform/linux/PosixFileStore.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>

namespace {

using namespace lumeno;
using bench::SilentDebug;
using bench::TempPaths;

// Two profiles on disk, the first active; closes the pane on the second.
// Returns the wall time of the close in ms.
double SwitchOnce(Pacer& pacer, const PlatformPaths& paths)
{
    SilentDebug debug;
    lumeno::PosixFileStore files;
    AppContext ctx(debug, paths, files);
    EnsureDataDirectory(ctx);
    ctx.languageCode = "EN";
    const auto list = DataDirectory(paths) / kProfileListFile;
    ctx.ini.WriteString(list, kProfileSection, kCurProfileNameKey, "Game");
    ctx.ini.WriteString(list, kProfileSection, kItemCountKey, "2");
    ctx.ini.WriteString(list, kProfileSection, ItemKey(0), "Game");
    ctx.ini.WriteString(list, kProfileSection, ItemKey(1), "Work");
    for (int p = 0; p < 2; ++p) {
        LoadFactoryDefaults(ctx.image);
        ctx.image.dpiCode100[0] = uint8_t(10 + p);
        ctx.currentProfileNumber = uint8_t(p);
        SaveConfigFile(ctx);
    }
    ctx.currentProfileNumber = 0;
    ctx.profiles.activePosition = 0;

    VirtualMouse mouse({}, &pacer);
    EmulatedHidSystem hid; // real waits, as a real device
    hid.AddMouse(mouse);
    DeviceLink link(hid, pacer, debug);
    ctx.device = &link;
    link.connection.CheckConnection();

    ProfileListModel model(ReadProfileList(ctx), "Game", ctx.profiles, "EN");
    model.Select(1);
    const auto start = std::chrono::steady_clock::now();
    CloseProfilePane(ctx, model.Close());
    const double wall = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    hid.RemoveMouse(mouse);
    return wall;
}

void BM_ProfileSwitchRealPacer(benchmark::State& state)
{
    TempPaths paths;
    VirtualPacer counted;
    SwitchOnce(counted, paths);
    const double mandated = double(counted.Now().count()); // WriteAll's pauses, in ms

    double total = 0;
    for (auto _ : state) {
        SleepingPacer pacer;
        const double wall = SwitchOnce(pacer, paths);
        state.SetIterationTime(wall / 1000.0);
        total += wall;
    }
    state.counters["mandated_ms"] = mandated;
    state.counters["ratio"] = total / double(state.iterations()) / mandated;
}
BENCHMARK(BM_ProfileSwitchRealPacer)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
