#pragma once
// AppShell: the program around its main window. It runs start-up in its
// fixed order, owns the device session, the device worker that runs the
// flows, the tray icon and the main window (a view), receives the requests
// of the window and its panes, and decides what a device change means for
// them. Dialogs are its to open (ShellDialogs).
#include "app/StartupSequence.h"
#include "app/TrayIcon.h"
#include "config/ProfileList.h"
#include "flows/ConfigCommands.h"
#include "flows/DeviceSession.h"
#include "flows/DeviceWorker.h"
#include "platform/UiThread.h"

#include <QObject>
#include <QTimer>

#include <memory>
#include <string>

class QPoint;
class QSocketNotifier;
class QWidget;

namespace lumeno {

struct AppContext;
class CConfigDialog;
class CMacroProgramDialog;
class CMouseConfigurationDlg;
class DeviceLink;
class HidSystem;
class KeyboardHook;
class MacroChooser;
class ProfileFileChooser;
class Pacer;
class SingleInstance;
class TrayServices;
struct AssignmentMenuContent;
class SkinImages;
class UiText;
class WindowLookup;
enum class HelpCommand : int;

inline constexpr char kCompanionWindowTitle[] = "Lumeno-KV580 Pro ACCE";
inline constexpr char kUpdaterWindowTitle[] = "Programmer";
inline constexpr char kUpdaterProgram[] = "Update/3360/FWUpdate";
// Message numbers kept from the desktop protocol the window speaks.
inline constexpr uint32_t kRestoreMessage = 0x313;
// The udev rule the package installs to let the user at the seat open the mouse.
inline constexpr char kUdevRuleFile[] = "70-lumeno-kv580.rules";

// The dialogs the shell opens for the main window; tests answer them.
class ShellDialogs {
public:
    virtual ~ShellDialogs() = default;
    // "Reset to factory default?": true for OK.
    virtual bool ConfirmReset(QWidget* parent) = 0;
    // The profile pane, a child of parent; null when there is none.
    virtual QWidget* CreateProfilePane(QWidget* parent) = 0;
    // A message the user must read, with an OK button.
    virtual void ShowMessage(QWidget* parent, const QString& message) = 0;
    // Closes an open question or message as cancelled: the window it
    // belongs to is going away.
    virtual void CancelOpen() = 0;
    // Starts the firmware updater; false when it could not be started.
    virtual bool StartUpdater(const std::string& program) = 0;
    // A message under its own caption, with an OK button (the left-click
    // guard, the key capture's failures).
    virtual void ShowCaptionedMessage(QWidget* parent, const QString& caption, const QString& message) = 0;
    // Runs a button's assignment menu at anchor (screen coordinates); the
    // chosen command id, 0 when it closed without a choice.
    virtual int RunAssignmentMenu(QWidget* parent, const AssignmentMenuContent& menu, const QPoint& anchor) = 0;
    // Runs the key capture dialog showing preset; false for Cancel,
    // otherwise name holds the last key's name (empty: none).
    virtual bool CaptureKey(QWidget* parent, const std::string& preset, std::string& name) = 0;
};

struct ShellServices {
    AppContext& ctx;
    DeviceLink& link;
    HidSystem& hid;
    UiText& text;
    const SkinImages& skin;
    WindowLookup* windows = nullptr; // null: no other windows are looked for
    ShellDialogs* dialogs = nullptr; // null: the Qt dialogs
    // The held single-instance lock, through which later launches ask this
    // copy to come forward; null: no other launch can reach it.
    SingleInstance* instance = nullptr;
    // The desktop-wide keyboard hook of the key capture and the macro
    // recorder; null: the key capture reads only the keys its own window
    // receives.
    KeyboardHook* keyboard = nullptr;
    // The macro picker of the assignment menu's "Macro"; null: the
    // program's own.
    MacroChooser* macros = nullptr;
    // The chooser of profile files to import and export; null: QFileDialog.
    ProfileFileChooser* profileFiles = nullptr;
    // The tray host and the notification service; null: the session bus's.
    TrayServices* tray = nullptr;
    // The macro recorder's millisecond clock and the pause after each macro
    // write; null: the steady clock, really pausing.
    Pacer* clock = nullptr;
};

// A mouse that stopped answering is looked for again this often.
inline constexpr std::chrono::milliseconds kLostMouseSearchInterval{2000};

struct ShellOptions {
    bool showSplash = true;
    int splashMilliseconds = 3000;
    // The desktop's language code, used when no profile names one.
    std::string systemLanguage = "EN";
    // On a desktop without a notification area nothing could ever bring the
    // hidden window up: show it after start-up, and let its close button
    // minimise instead of hide.
    bool showWhenNoTray = false;
    // How often a mouse that stopped answering is looked for again.
    std::chrono::milliseconds lostMouseSearchInterval = kLostMouseSearchInterval;
};

// Flows longer than this show their progress.
inline constexpr std::chrono::milliseconds kProgressShownAbove{500};

class AppShell : public QObject,
                 private StartupSteps,
                 private DeviceSessionListener,
                 private FlowObserver,
                 public UiThread,
                 public ConfigCommands {
    Q_OBJECT
public:
    explicit AppShell(ShellServices services);
    // Cancels a running flow and waits for its save.
    ~AppShell() override;

    // Start-up in its fixed order; leaves the window hidden. False when it
    // stopped early.
    bool Initialise(const ShellOptions& options = {});
    bool Initialised() const { return initialised_; }

    CMouseConfigurationDlg& Window() { return *window_; }
    TrayIcon& Tray() { return tray_; }
    DeviceWorker& Worker() { return *worker_; }
    DeviceSession& Session() { return *session_; }
    // What panes and the window are given: requests delivered queued.
    ConfigCommands& QueuedCommands() { return *queued_; }

    // Tray double-click: the window with the profile read again, once the
    // flows asked for before have run. Only while the mouse is connected.
    void RestoreFromTray();
    void OnHelpCommand(HelpCommand command);
    // A click on assignment box buttonIndex: the left-click guard, then the
    // menu at the box; the chosen command runs once the menu has closed.
    void OpenAssignmentMenu(int buttonIndex);
    // The assignment menu's command handler (ids 1003..4000) for the last
    // selected button: stores the choice, shows the caption and sends the
    // button map and macros.
    void RunAssignmentCommand(int id);
    void ResetToFactoryDefaults();
    void OpenProfilePane();
    // The macro manager, modal, once the flows asked for before have run.
    // OK takes its encoded macros into the image; then (and after a
    // deletion that moved bindings) buttons and macros go to the mouse.
    void OpenMacroManager();
    // The open macro manager; null when none is open.
    CMacroProgramDialog* MacroManager() const { return macroManager_; }
    // Another launch of the program asked this copy to come forward: the
    // window as from the tray when the mouse is connected, otherwise a
    // message that the program runs and waits for the mouse (or why the
    // mouse that is there cannot be used).
    void BringForward();
    // A message another program posted to the window (kRestoreMessage).
    void OnWindowMessage(uint32_t message, int64_t wParam, int64_t lParam);
    // A device notice's balloon: kind 1 (DPI stage param), 14 found, 15 gone.
    void ShowNoticeBalloon(int kind, int param);
    bool TrayAvailable() const;

    // --- UiThread ---
    void Post(std::function<void()> task) override;

    // --- ConfigCommands, run now (the queued adapter calls these) ---
    void Apply(ApplyGroup group) override;
    void ClearHighlight() override;

signals:
    // "Exit" in the tray menu, or the firmware updater took over.
    void exitRequested();

private:
    // StartupSteps
    void SetIcons() override;
    void ShowSplash() override;
    void SetTitle() override;
    bool StartDeviceSession() override;
    void LoadProfileFiles() override;
    void CreateWindow() override;
    void ShowMouseState() override;
    void ApplyPointerSettings() override;
    void NotifyCompanion() override;
    void Finish() override;
    // DeviceSessionListener
    void MouseArrived(bool announced) override;
    void MouseGone(bool announced) override;
    void DpiStageChanged(int stage) override;
    // FlowObserver
    void FlowStarted(std::chrono::milliseconds planned) override;
    void FlowsIdle() override;

    void RunFlowJob(std::function<FlowResult()> run, std::function<std::chrono::milliseconds()> plan,
                    std::function<void(FlowResult)> finished = {});
    void ReportFlow(const FlowResult& result);
    // Tells the user once where and why settings could not be saved; a later
    // successful save lets a new problem be told again.
    void TellSaveProblem(const SaveProblem& problem);
    void ShowMessageLater(const QString& message);
    // One background search for a mouse that stopped answering.
    void SearchForLostMouse();
    bool MouseConnected() const;
    // The mouse is listed but this user may not open it.
    bool MouseRefused() const;
    // Says so once per plug-in of a refused mouse.
    void TellIfMouseRefused();
    QString RefusedMouseText() const;
    // Shows the window with the profile read again; false without the mouse.
    bool RestoreNow();
    void ListenForOtherLaunches();
    ShellDialogs& Dialogs();
    void RunMacroManager();

    // --- Profiles: what the profile pane asks for ---
    void ConnectProfilePane(CConfigDialog& pane);
    void OnProfilePaneClosed(const ProfileListModel::CloseRequest& request);
    void ImportProfileFile(int position, const ProfileListCommit& commit);
    void ExportProfileFile();
    // The panes, sliders and captions show the image a profile flow left.
    void ShowProfileData();
    ProfileFileChooser& FileChooser();

    // Posts to the UI thread without waiting for flows: the worker's own
    // reports of a finished flow.
    class DirectPost final : public UiThread {
    public:
        explicit DirectPost(QObject* receiver) : receiver_(receiver) {}
        void Post(std::function<void()> task) override;

    private:
        QObject* receiver_;
    };

    ShellServices s_;
    ShellOptions options_;
    DirectPost direct_{this};
    std::unique_ptr<ShellDialogs> qtDialogs_;
    std::unique_ptr<ProfileFileChooser> qtFileChooser_;
    std::unique_ptr<ConfigCommands> queued_;
    std::unique_ptr<CMouseConfigurationDlg> window_;
    std::unique_ptr<TrayServices> busTray_; // when the services name none
    TrayIcon tray_;
    std::unique_ptr<DeviceSession> session_;
    std::unique_ptr<DeviceWorker> worker_;
    QTimer progressTimer_;
    QTimer searchTimer_; // looks for a mouse that stopped answering
    std::unique_ptr<QSocketNotifier> launches_;
    bool initialised_ = false;
    // An assignment command waits for its dialog; set when the window went
    // away under it, so that its tail does not run.
    bool assignmentRunning_ = false;
    bool assignmentAbandoned_ = false;
    bool saveProblemTold_ = false;
    bool refusalTold_ = false;
    CMacroProgramDialog* macroManager_ = nullptr; // while its modal loop runs
    std::unique_ptr<Pacer> steadyClock_;          // when services.clock is null
};

} // namespace lumeno
