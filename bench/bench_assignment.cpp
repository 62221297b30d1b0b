// The assignment menu and the key capture, timed in-process on the real
// views and the default skin of the build tree. Run under Xvfb with
// QT_QPA_PLATFORM=xcb for the desktop's numbers (offscreen otherwise).
// Goals: the menu on screen within 30 ms of the click (median); a key
// event shown within 5 ms.
#include "app/AppShell.h"
#include "app/MouseConfigurationDlg.h"
#include "buttons/SingleDialog.h"
#include "device/DeviceLink.h"
#include "flows/AppContext.h"
#include "ui/BitmapBtn.h"
#include "ui/SkinImages.h"

#include "support/ProgramWorld.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

namespace {

using namespace lumeno;

struct BenchWorld : test::ProgramWorld {
    SkinImages skin{LUMENO_APP_FOLDER};
};

// Notes when a menu shows, and closes it.
class MenuWatch final : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            if (auto* menu = qobject_cast<QMenu*>(watched)) {
                shownAt = timer.nsecsElapsed();
                QTimer::singleShot(0, menu, [menu] { menu->close(); });
            }
        }
        return false;
    }
    QElapsedTimer timer;
    qint64 shownAt = -1;
};

void BM_MenuOnScreenAfterClick(benchmark::State& state)
{
    BenchWorld world;
    if (!world.skin.Resolve("Skins/main.png")) {
        state.SkipWithError("no skin in " LUMENO_APP_FOLDER "/Skins (build the skin target)");
        return;
    }
    world.hid.AddMouse(world.mouse);
    world.ctx.device = &world.link;
    auto shell = std::make_unique<AppShell>(ShellServices{world.ctx, world.link, world.hid, world.text, world.skin});
    ShellOptions options;
    options.showSplash = false;
    if (!shell->Initialise(options)) {
        state.SkipWithError("the program did not start");
        return;
    }
    shell->RestoreFromTray();
    // Showing the window sends the lighting; the window takes no input until
    // it is sent.
    QApplication::processEvents();
    while (shell->Worker().Busy())
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    QApplication::processEvents();
    CMouseConfigurationDlg& window = shell->Window();
    window.ToggleAssignmentSection();
    QApplication::processEvents();
    MenuWatch watch;
    qApp->installEventFilter(&watch);
    for (auto _ : state) {
        watch.shownAt = -1;
        watch.timer.start();
        QTest::mouseClick(window.AssignmentBox(5), Qt::LeftButton);
        while (watch.shownAt < 0)
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        state.SetIterationTime(double(watch.shownAt) / 1e9);
        QApplication::processEvents(); // the menu closes
    }
    qApp->removeEventFilter(&watch);
    shell.reset();
    world.ctx.device = nullptr;
}
BENCHMARK(BM_MenuOnScreenAfterClick)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(30);

// The hook's events go straight to the dialog's callback, as the X11 hook
// delivers them once read.
class DirectHook final : public KeyboardHook {
public:
    bool Start(Callback callback, KeyboardHookFailure&) override
    {
        callback_ = std::move(callback);
        return true;
    }
    void Stop() override { callback_ = nullptr; }
    bool Active() const override { return bool(callback_); }
    Callback callback_;
};

class NullOutput final : public DebugOutput {
public:
    void Write(std::string_view) override {}
};

void BM_KeyEventToShownName(benchmark::State& state)
{
    const SkinImages skin{LUMENO_APP_FOLDER};
    NullOutput debug;
    DirectHook hook;
    CSingleDialog dialog(skin, debug, &hook, "EN", {}, {}, nullptr);
    dialog.show();
    while (!hook.Active())
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    const KeyboardEvent keys[] = {{0x41, 0x1E, 0}, {0x5B, 0x5B, kKeyFlagExtended}};
    size_t n = 0;
    for (auto _ : state) {
        hook.callback_(keys[n++ % 2]); // shows and repaints the name box
        benchmark::DoNotOptimize(dialog.KeyName().data());
    }
    dialog.reject();
}
BENCHMARK(BM_KeyEventToShownName)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
