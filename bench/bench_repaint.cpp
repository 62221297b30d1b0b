// A full repaint of the main window offscreen: QWidget::grab() of the real
// window, shown with every left-column section and every item of the
// settings column open, drawn from the default skin generated in the build
// tree. Goal: at most 8 ms median. Beside it, the settings column scrolled a
// page at a time and repainted, as the wheel does.
#include "app/AppShell.h"
#include "app/MouseConfigurationDlg.h"
#include "app/SettingsPanes.h"
#include "config/ConfigFiles.h"
#include "device/DeviceLink.h"
#include "flows/AppContext.h"
#include "platform/DebugOutput.h"
#include "platform/Pacer.h"
#include "platform/PlatformPaths.h"
#include "platform/linux/PosixFileStore.h"
#include "ui/SkinImages.h"
#include "ui/SkinScrollBar.h"
#include "ui/UiText.h"

#include "support/ProgramWorld.h"

#include <QApplication>
#include <QPixmap>
#include <QScrollBar>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <random>
#include <string>

namespace {

using namespace lumeno;

// What the main window runs on: the program's world and the build tree's skin.
struct BenchWorld : test::ProgramWorld {
    SkinImages skin{LUMENO_APP_FOLDER};
};

// The program, its main window shown with the button-assignment and axis
// sections and every item of the settings column open; null when it did not
// initialise. Destroy it before the world.
std::unique_ptr<AppShell> MakeMainWindowForBench(BenchWorld& world)
{
    world.hid.AddMouse(world.mouse);
    world.ctx.device = &world.link;
    auto shell = std::make_unique<AppShell>(ShellServices{world.ctx, world.link, world.hid, world.text, world.skin});
    ShellOptions options;
    options.showSplash = false;
    if (!shell->Initialise(options))
        return nullptr;
    shell->RestoreFromTray();
    CMouseConfigurationDlg& window = shell->Window();
    window.ToggleAssignmentSection();
    window.ToggleAxisSection();
    CDlgadvance* column = window.SettingsColumn();
    for (int i = 0; i < column->Layout().Count(); ++i)
        if (column->Layout().Item(i).shown)
            column->Toggle(i);
    return shell;
}

void BM_RepaintMainWindow(benchmark::State& state)
{
    BenchWorld world;
    if (!world.skin.Resolve("Skins/main.png")) {
        state.SkipWithError("no skin in " LUMENO_APP_FOLDER "/Skins (build the skin target)");
        return;
    }
    std::unique_ptr<AppShell> shell = MakeMainWindowForBench(world);
    CMouseConfigurationDlg* window = shell ? &shell->Window() : nullptr;
    if (!window || !window->isVisible() || !window->Layout().AssignmentExpanded() || !window->Layout().AxisExpanded()) {
        state.SkipWithError("the main window did not open with every section");
        return;
    }
    QApplication::processEvents();
    window->grab(); // the first paint also builds what later paints reuse
    for (auto _ : state) {
        QPixmap frame = window->grab();
        benchmark::DoNotOptimize(frame.cacheKey());
    }
    shell.reset();
    world.ctx.device = nullptr;
}
BENCHMARK(BM_RepaintMainWindow)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

void BM_ScrollSettingsColumn(benchmark::State& state)
{
    BenchWorld world;
    if (!world.skin.Resolve("Skins/main.png")) {
        state.SkipWithError("no skin in " LUMENO_APP_FOLDER "/Skins (build the skin target)");
        return;
    }
    std::unique_ptr<AppShell> shell = MakeMainWindowForBench(world);
    CDlgadvance* column = shell ? shell->Window().SettingsColumn() : nullptr;
    QScrollBar* bar = column ? column->verticalScrollBar() : nullptr;
    if (!bar || bar->maximum() <= 0) {
        state.SkipWithError("the settings column did not open scrollable");
        return;
    }
    QApplication::processEvents();
    QWidget* frame = column->Frame();
    frame->grab();
    for (auto _ : state) {
        bar->setValue(bar->value() >= bar->maximum() ? 0 : bar->value() + bar->pageStep());
        QPixmap frameImage = frame->grab();
        benchmark::DoNotOptimize(frameImage.cacheKey());
    }
    shell.reset();
    world.ctx.device = nullptr;
}
BENCHMARK(BM_ScrollSettingsColumn)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    QApplication app(argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
