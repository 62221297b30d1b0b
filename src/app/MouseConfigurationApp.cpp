#include "app/MouseConfigurationApp.h"

#include "app/AppShell.h"
#include "app/FontSubstitutes.h"
#include "app/MouseConfigurationDlg.h"
#include "device/DeviceLink.h"
#include "flows/AppContext.h"
#include "flows/PointerSettings.h"
#include "flows/ProfileLoad.h"
#include "platform/KeyboardHook.h"
#include "platform/Pacer.h"
#include "platform/WindowLookup.h"
#include "platform/linux/LinuxHidSystem.h"
#include "platform/linux/LinuxPlatformPaths.h"
#include "platform/linux/PointerBackend.h"
#include "platform/linux/PosixFileStore.h"
#include "platform/linux/SingleInstanceLock.h"
#include "platform/linux/StderrDebugOutput.h"
#if LUMENO_WITH_X11
#include "app/X11MessageFilter.h"
#include "platform/linux/X11KeyboardHook.h"
#include "platform/linux/X11WindowLookup.h"
#endif
#include "ui/SkinImages.h"
#include "ui/UiText.h"

#include <QApplication>
#include <QLocale>
#include <QSocketNotifier>
#include <QThread>

#include <cstdlib>
#include <memory>

namespace lumeno {

int CMouseConfigurationApp::Run(int argc, char** argv)
{
    StderrDebugOutput debug;

    // Before anything else, so that a second copy costs next to nothing and
    // never touches the display: it asks the running copy to come forward
    // (on any display, X11 or not) and ends.
    SingleInstanceLock lock;
    switch (lock.Acquire(kSingleInstanceName)) {
    case InstanceLock::AlreadyRunning:
        debug.Write(lock.AskRunningCopyForward() ? "Asked the running copy to come forward\n"
                                                 : "The running copy could not be reached\n");
        return 0;
    case InstanceLock::Unavailable:
        debug.Write("Single-instance lock unavailable; running without it\n");
        break;
    case InstanceLock::Acquired:
        if (lock.RequestDescriptor() < 0)
            debug.Write("Later launches cannot reach this copy\n");
        break;
    }

    // A Wayland desktop has no desktop-wide keyboard grab; where it also
    // offers an X display (XWayland) the program runs there, so that the key
    // capture and the macro recorder get every key the compositor passes on.
    if (std::getenv("WAYLAND_DISPLAY") && std::getenv("DISPLAY") && !std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "xcb", 0);

    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false); // the program lives in the tray
    QApplication::setApplicationName("lumeno-kv580");
    InstallFontSubstitutes();

    LinuxPlatformPaths paths;
    PosixFileStore files;
    AppContext ctx(debug, paths, files);
    LinuxHidSystem hid;
    SleepingPacer pacer;
    DeviceLink link(hid, pacer, debug);
    ctx.device = &link;
    // The desktop's pointer settings, through the backend of this session;
    // its calls run on the UI thread whichever thread applies.
    const DesktopFacts desktop = CurrentDesktopFacts();
    const auto pointerSink = CreatePointerSettingsSink(desktop);
    DebugPrintf(debug, "Pointer settings go to: %s\n", PointerBackendName(ChoosePointerBackend(desktop)));
    SinkPointerSettings pointer(*pointerSink, debug, [&app](std::function<void()> task) {
        if (QThread::currentThread() == app.thread())
            task();
        else
            QMetaObject::invokeMethod(&app, std::move(task), Qt::QueuedConnection);
    });
    ctx.pointerSettings = &pointer;
    UiText text;
    const SkinImages skin = SkinImages::ForRunningProgram();
    std::unique_ptr<WindowLookup> windows;
    std::unique_ptr<KeyboardHook> keyboard;
    std::unique_ptr<QSocketNotifier> keyEvents;
#if LUMENO_WITH_X11
    if (QGuiApplication::platformName() == "xcb") {
        windows = std::make_unique<X11WindowLookup>();
        // One grab for the key capture and the macro recorder; its events
        // are read on this (the UI) thread as they arrive.
        auto hook = std::make_unique<X11KeyboardHook>(debug);
        if (hook->Connected()) {
            X11KeyboardHook* h = hook.get();
            keyEvents = std::make_unique<QSocketNotifier>(h->Descriptor(), QSocketNotifier::Read);
            QObject::connect(keyEvents.get(), &QSocketNotifier::activated, [h] { h->Dispatch(); });
            h->SetWake([h, notifier = keyEvents.get()] {
                QMetaObject::invokeMethod(
                    notifier, [h] { h->Dispatch(); }, Qt::QueuedConnection);
            });
            keyboard = std::move(hook);
        }
    }
#endif

    int exitCode = 0;
    {
        AppShell shell({ctx, link, hid, text, skin, windows.get(), nullptr, &lock, keyboard.get()});
        QObject::connect(
            &shell, &AppShell::exitRequested, &app, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
        ShellOptions options;
        options.systemLanguage = LanguageCodeForLocale(QLocale::system().name().toStdString());
        options.showWhenNoTray = true;
        shell.Initialise(options);
#if LUMENO_WITH_X11
        // Another program may ask the hidden window to come up.
        X11MessageFilter messages([&shell] { return quintptr(shell.Window().winId()); },
                                  [&shell](uint32_t message, int64_t wParam, int64_t lParam) {
                                      shell.OnWindowMessage(message, wParam, lParam);
                                  });
#endif
        exitCode = app.exec();
    }
    keyEvents.reset();
    keyboard.reset();
    ctx.device = nullptr;
    ctx.pointerSettings = nullptr;
    lock.Release();
    return exitCode;
}

} // namespace lumeno
