#pragma once
// A main window over an in-process virtual mouse, a temporary data folder and
// a small generated skin whose images are plain colour blocks, so that tests
// can tell from the painted pixels which image was drawn where.
#include "app/AppShell.h"
#include "app/MouseConfigurationDlg.h"
#include "app/TrayServices.h"
#include "buttons/AssignmentMenu.h"
#include "device/DeviceLink.h"
#include "platform/Pacer.h"
#include "platform/WindowLookup.h"
#include "support/EventLoopQuiet.h"
#include "support/TestContext.h"
#include "ui/SkinImages.h"
#include "ui/UiText.h"

#include "EmulatedHidSystem.h"
#include "VirtualMouse.h"

#include <QApplication>
#include <QImage>
#include <QTimer>

#include <condition_variable>
#include <mutex>

#include <functional>
#include <map>
#include <memory>
#include <string>

namespace lumeno::test {

inline constexpr int kAssignmentPanelHeight = 172;
inline constexpr int kAxisPanelHeight = 120;
inline const QColor kOverColour{255, 0, 0};
inline const QColor kNormalColour{0, 0, 255};

// Writes the images the main window's tests look at.
inline void WriteTestSkin(const std::filesystem::path& appFolder)
{
    auto write = [&](const std::string& name, int w, int h, QColor colour) {
        const auto path = appFolder / "Skins" / name;
        std::filesystem::create_directories(path.parent_path());
        QImage image(w, h, QImage::Format_ARGB32);
        image.fill(colour);
        image.save(QString::fromStdString(path.string()));
    };
    write("main.png", 1000, 650, QColor(20, 20, 20));
    write("ButtonAssignment/BK_ButtonAssignment.png", 242, kAssignmentPanelHeight, QColor(30, 30, 30));
    write("XYSensitivity/BK_XYSensSetting.png", 242, kAxisPanelHeight, QColor(30, 30, 30));
    write("XYSensitivity/1.png", 208, 9, QColor(60, 60, 60));
    write("XYSensitivity/2.png", 208, 9, QColor(200, 200, 0));
    for (int n = 1; n <= 7; ++n) {
        for (const char* view : {"Front/F-", "Side/S-"}) {
            write(std::string("Mouse/") + view + std::to_string(n) + "-over.png", 8, 8, kOverColour);
            write(std::string("Mouse/") + view + std::to_string(n) + "-normal.png", 8, 8, kNormalColour);
        }
    }
}

class FakeWindowLookup final : public WindowLookup {
public:
    std::optional<WindowId> FindTopLevelWindow(std::string_view title) override
    {
        auto it = windows.find(std::string(title));
        return it == windows.end() ? std::nullopt : std::optional<WindowId>(it->second);
    }
    bool PostWindowMessage(WindowId window, uint32_t message, int64_t wParam, int64_t lParam) override
    {
        posted.push_back({window, message, wParam, lParam});
        return true;
    }
    struct Posted {
        WindowId window;
        uint32_t message;
        int64_t wParam;
        int64_t lParam;
    };
    std::map<std::string, WindowId> windows;
    std::vector<Posted> posted;
};

// The shell's dialogs, answered by the test.
class ScriptedDialogs final : public ShellDialogs {
public:
    bool ConfirmReset(QWidget*) override
    {
        ++questions;
        return resetAnswer;
    }
    QWidget* CreateProfilePane(QWidget* parent) override
    {
        ++profilePanes;
        return makeProfilePane ? makeProfilePane(parent) : new QWidget(parent);
    }
    void ShowMessage(QWidget*, const QString& message) override { messages.push_back(message); }
    void CancelOpen() override { ++cancelled; }
    bool StartUpdater(const std::string& program) override
    {
        updaters.push_back(program);
        return true;
    }
    void ShowCaptionedMessage(QWidget*, const QString& caption, const QString& message) override
    {
        captioned.push_back({caption, message});
    }
    int RunAssignmentMenu(QWidget*, const AssignmentMenuContent& menu, const QPoint& anchor) override
    {
        menus.push_back(menu);
        menuAnchors.push_back(anchor);
        return menuChoice;
    }
    bool CaptureKey(QWidget*, const std::string& preset, std::string& name) override
    {
        keyPresets.push_back(preset);
        name = keyAnswer;
        return keyOk;
    }
    // Makes the profile pane; empty: a plain widget stands in for it.
    std::function<QWidget*(QWidget*)> makeProfilePane;
    bool resetAnswer = true;
    int questions = 0;
    int cancelled = 0;
    int profilePanes = 0;
    std::vector<QString> messages;
    std::vector<std::string> updaters;
    // Messages with their own caption: (caption, text).
    std::vector<std::pair<QString, QString>> captioned;
    // The assignment menus run, where, and the command each one answers.
    std::vector<AssignmentMenuContent> menus;
    std::vector<QPoint> menuAnchors;
    int menuChoice = 0;
    // The key capture: the presets it was opened with, and its answer.
    std::vector<std::string> keyPresets;
    std::string keyAnswer;
    bool keyOk = true;
};

// A virtual clock whose pauses can be held: a flow on the device worker
// stops at its next pause until the test lets it go on.
class GatedPacer final : public Pacer {
public:
    void Pause(std::chrono::milliseconds duration) override
    {
        std::unique_lock lock(mutex_);
        ++waiting_;
        changed_.notify_all();
        changed_.wait(lock, [this] { return open_; });
        --waiting_;
        lock.unlock();
        clock_.Pause(duration);
    }
    std::chrono::milliseconds Now() const override { return clock_.Now(); }
    void Hold()
    {
        std::lock_guard lock(mutex_);
        open_ = false;
    }
    void Release()
    {
        std::lock_guard lock(mutex_);
        open_ = true;
        changed_.notify_all();
    }
    bool SomeoneWaits()
    {
        std::lock_guard lock(mutex_);
        return waiting_ > 0;
    }

private:
    VirtualPacer clock_;
    std::mutex mutex_;
    std::condition_variable changed_;
    bool open_ = true;
    int waiting_ = 0;
};

// The session bus as the tray sees it: an XEmbed tray and no notification
// service unless a test says otherwise. Notices are recorded; a refusal
// reaches the program later, as the bus's answer would.
struct FakeTrayServices final : TrayServices {
    struct Notice {
        QString title;
        QString text;
        int timeoutMs;
    };
    bool StatusNotifierHost() override { return statusNotifierHost; }
    bool NotificationService() override { return notificationService; }
    void Notify(const QString& title, const QString& text, int timeoutMs,
                std::function<void(const QString& error)> failed) override
    {
        notices.push_back({title, text, timeoutMs});
        if (!refusal.isEmpty())
            QTimer::singleShot(0, [failed, error = refusal] { failed(error); });
    }

    bool statusNotifierHost = false;
    bool notificationService = false;
    QString refusal; // the service's error for every notice; empty: shown
    std::vector<Notice> notices;
};

struct MainWindowFixture : ContextFixture {
    MainWindowFixture()
    {
        WriteTestSkin(appFolder.path());
        hid.AddMouse(mouse);
        ctx.device = &link;
    }
    ~MainWindowFixture()
    {
        pacer.Release();
        shell.reset();
        ctx.device = nullptr;
    }

    // Writes the profile list and the settings file of profile 0 before start.
    void SeedProfile(const std::string& language)
    {
        const auto list = dataDir / "str.ini";
        ctx.ini.WriteString(list, "Profile", "CurProfileName", "Profile 1");
        ctx.ini.WriteString(list, "Profile", "ItemCount", "1");
        ctx.ini.WriteString(list, "Profile", "Item0", "Profile 1");
        ctx.ini.WriteString(list, "Skins", "Lan", language);
        ctx.ini.WriteString(dataDir / "str0.ini", "Skins", "Lan", language);
    }

    AppShell& Start(const std::string& systemLanguage = "EN", bool showWhenNoTray = false,
                    std::chrono::milliseconds lostMouseSearchInterval = kLostMouseSearchInterval)
    {
        ShellServices services{ctx, link, hid, text, skin, &windows, useProgramDialogs ? nullptr : &dialogs, instance};
        services.keyboard = keyboard;
        services.clock = &pacer;
        services.profileFiles = profileFiles;
        services.macros = macros;
        services.tray = &tray;
        shell = std::make_unique<AppShell>(services);
        QObject::connect(shell.get(), &AppShell::exitRequested, [this] { ++exitRequests; });
        ShellOptions options;
        options.showSplash = false;
        options.systemLanguage = systemLanguage;
        options.showWhenNoTray = showWhenNoTray;
        options.lostMouseSearchInterval = lostMouseSearchInterval;
        shell->Initialise(options);
        return *shell;
    }

    // Lets queued requests and the flows they start run to their end.
    ::testing::AssertionResult Settle()
    {
        return WaitUntilQuiet([this] {
            const DeviceWorker& worker = shell->Worker();
            if (!worker.Busy())
                return std::string();
            return "a flow on the device worker, " + std::to_string(worker.Queued()) + " more queued behind it";
        });
    }

    TempDir appFolder;
    GatedPacer pacer;
    VirtualMouse mouse{{}, &pacer};
    EmulatedHidSystem hid{&pacer};
    DeviceLink link{hid, pacer, debug};
    UiText text;
    SkinImages skin{appFolder.path()};
    FakeWindowLookup windows;
    ScriptedDialogs dialogs;
    FakeTrayServices tray;
    bool useProgramDialogs = false;             // the program's own message boxes instead of the scripted ones
    SingleInstance* instance = nullptr;         // the held lock later launches reach the shell through
    ProfileFileChooser* profileFiles = nullptr; // the chooser of profile files; null: QFileDialog
    KeyboardHook* keyboard = nullptr;           // the desktop's keyboard hook; null: none
    MacroChooser* macros = nullptr;             // the assignment menu's macro picker; null: the program's
    std::unique_ptr<AppShell> shell;
    int exitRequests = 0;
};

} // namespace lumeno::test
