#include "app/AppShell.h"

#include "app/DBusTrayServices.h"
#include "app/DlgSplash.h"
#include "app/MainWindowSkin.h"
#include "app/MouseConfigurationDlg.h"
#include "app/ProfileFileChooser.h"
#include "app/SettingsPanes.h"
#include "app/TrayNotice.h"
#include "buttons/AssignmentMenu.h"
#include "buttons/AssignmentMenuView.h"
#include "buttons/SingleDialog.h"
#include "config/ConfigDialog.h"
#include "config/ProfileListFile.h"
#include "config/ProfileSettings.h"
#include "device/DeviceConnection.h"
#include "device/DeviceLink.h"
#include "flows/AppContext.h"
#include "flows/FlowRouter.h"
#include "flows/PointerSettings.h"
#include "flows/ProfileFlows.h"
#include "flows/ProfileLoad.h"
#include "macros/MacroEncoder.h"
#include "macros/MacroProgramDialog.h"
#include "macros/QtMacroChooser.h"
#include "platform/DebugOutput.h"
#include "platform/Pacer.h"
#include "platform/SingleInstance.h"
#include "platform/WindowLookup.h"
#include "ui/BitmapBtn.h"
#include "ui/MessageBox.h"
#include "ui/SkinImages.h"
#include "ui/UiText.h"

#include <QApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QMenu>
#include <QPointer>
#include <QProcess>
#include <QSocketNotifier>
#include <QSystemTrayIcon>
#include <QUrl>

#include <filesystem>

namespace lumeno {

namespace {

constexpr int kProgressTickMs = 50;

// Delivers requests on the UI thread after the handler that made them, in
// order: what a pane asks for runs once the pane's own handler is done.
class QueuedConfigCommands final : public QObject, public ConfigCommands {
public:
    explicit QueuedConfigCommands(ConfigCommands& target) : target_(target) {}
    void Apply(ApplyGroup group) override
    {
        QMetaObject::invokeMethod(
            this, [this, group] { target_.Apply(group); }, Qt::QueuedConnection);
    }
    void ClearHighlight() override
    {
        QMetaObject::invokeMethod(
            this, [this] { target_.ClearHighlight(); }, Qt::QueuedConnection);
    }

private:
    ConfigCommands& target_;
};

// The program's dialogs: skinned message boxes in the user's language, the
// assignment menu and the key capture dialog.
class QtShellDialogs final : public ShellDialogs {
public:
    QtShellDialogs(const SkinImages& skin, const UiText& text, AppContext& ctx, KeyboardHook* keyboard)
        : skin_(skin), text_(text), ctx_(ctx), keyboard_(keyboard)
    {
    }
    bool ConfirmReset(QWidget* parent) override
    {
        return Run(parent, MessageButtons::OkCancel, kTextAttention, Text(kTextResetQuestion)) == QDialog::Accepted;
    }
    QWidget* CreateProfilePane(QWidget* parent) override
    {
        return new CConfigDialog(skin_, text_, ctx_.languageCode, parent);
    }
    void ShowMessage(QWidget* parent, const QString& message) override
    {
        Run(parent, MessageButtons::Ok, kTextProductName, message);
    }
    void CancelOpen() override
    {
        if (open_)
            open_->reject();
        if (menu_)
            menu_->close();
        if (keys_)
            keys_->reject();
    }
    void ShowCaptionedMessage(QWidget* parent, const QString& caption, const QString& message) override
    {
        // A message without a caption of its own gets the product's name.
        Run(parent, MessageButtons::Ok, caption.isEmpty() ? Text(kTextProductName) : caption, message);
    }
    int RunAssignmentMenu(QWidget* parent, const AssignmentMenuContent& menu, const QPoint& anchor) override
    {
        QFont font(QString::fromUtf8(MainWindowFontFace(ctx_.languageCode).data()));
        font.setPixelSize(kMainWindowFontHeight);
        font.setWeight(QFont::Normal);
        return lumeno::RunAssignmentMenu(menu, anchor, font, parent, &menu_);
    }
    bool CaptureKey(QWidget* parent, const std::string& preset, std::string& name) override
    {
        QPointer<CSingleDialog> shown;
        CSingleDialog dialog(
            skin_, ctx_.debug, keyboard_, ctx_.languageCode, preset,
            [this, parent, &shown](const QString& caption, const QString& text) {
                ShowCaptionedMessage(shown ? static_cast<QWidget*>(shown.data()) : parent, caption, text);
            },
            parent);
        shown = &dialog;
        keys_ = &dialog;
        const bool ok = dialog.exec() == QDialog::Accepted;
        keys_ = nullptr;
        if (ok)
            name = dialog.KeyName();
        return ok;
    }
    bool StartUpdater(const std::string& program) override
    {
        const auto folder = std::filesystem::path(program).parent_path();
        return QProcess::startDetached(QString::fromStdString(program), {}, QString::fromStdString(folder.string()));
    }

private:
    QString Text(int id) const { return QString::fromStdString(text_[id]); }
    int Run(QWidget* parent, MessageButtons buttons, int caption, const QString& message)
    {
        return Run(parent, buttons, Text(caption), message);
    }
    int Run(QWidget* parent, MessageButtons buttons, const QString& caption, const QString& message)
    {
        const MessageTexts texts{caption, message, Text(kTextOk), Text(kTextCancel),
                                 QString::fromUtf8(MainWindowFontFace(ctx_.languageCode).data())};
        CMessageBox box(skin_, buttons, texts, parent);
        open_ = &box;
        const int result = box.exec();
        open_ = nullptr;
        return result;
    }

    const SkinImages& skin_;
    const UiText& text_;
    AppContext& ctx_;
    KeyboardHook* keyboard_;
    QPointer<CMessageBox> open_;
    QPointer<QMenu> menu_;
    QPointer<CSingleDialog> keys_;
};

// Item 2011's dialog, opened through the shell's dialogs.
class ShellKeyCapture final : public KeyCapture {
public:
    ShellKeyCapture(ShellDialogs& dialogs, QWidget* parent) : dialogs_(dialogs), parent_(parent) {}
    bool Capture(const std::string& preset, std::string& name) override
    {
        return dialogs_.CaptureKey(parent_, preset, name);
    }

private:
    ShellDialogs& dialogs_;
    QWidget* parent_;
};

} // namespace

AppShell::AppShell(ShellServices services)
    : s_(services), queued_(std::make_unique<QueuedConfigCommands>(*this)),
      window_(std::make_unique<CMouseConfigurationDlg>(
          MainWindowServices{services.ctx, *queued_, services.text, services.skin})),
      busTray_(services.tray ? nullptr : std::make_unique<DBusTrayServices>()),
      tray_(services.ctx.debug, services.tray ? *services.tray : *busTray_)
{
    worker_ = std::make_unique<DeviceWorker>(direct_, &s_.link, static_cast<FlowObserver*>(this));
    progressTimer_.setInterval(kProgressTickMs);
    connect(&progressTimer_, &QTimer::timeout, this, [this] { window_->ShowFlowProgress(worker_->Progress()); });

    connect(&searchTimer_, &QTimer::timeout, this, &AppShell::SearchForLostMouse);

    connect(&tray_, &TrayIcon::restoreRequested, this, &AppShell::RestoreFromTray);
    connect(&tray_, &TrayIcon::exitChosen, this, &AppShell::exitRequested);
    CMouseConfigurationDlg* w = window_.get();
    connect(w, &CMouseConfigurationDlg::resetRequested, this, &AppShell::ResetToFactoryDefaults);
    connect(w, &CMouseConfigurationDlg::profilePaneRequested, this, &AppShell::OpenProfilePane);
    connect(w, &CMouseConfigurationDlg::macroManagerRequested, this, &AppShell::OpenMacroManager);
    connect(w, &CMouseConfigurationDlg::helpCommandChosen, this, &AppShell::OnHelpCommand);
    // The menu runs once the box's click is handled, so the box shows its
    // mark while the menu is up.
    connect(w, &CMouseConfigurationDlg::assignmentMenuRequested, this, &AppShell::OpenAssignmentMenu,
            Qt::QueuedConnection);
}

AppShell::~AppShell()
{
    launches_.reset();
    progressTimer_.stop();
    searchTimer_.stop();
    worker_.reset(); // cancels a running flow and waits for its save
    session_.reset();
    tray_.Remove();
}

ShellDialogs& AppShell::Dialogs()
{
    if (s_.dialogs)
        return *s_.dialogs;
    if (!qtDialogs_)
        qtDialogs_ = std::make_unique<QtShellDialogs>(s_.skin, s_.text, s_.ctx, s_.keyboard);
    return *qtDialogs_;
}

bool AppShell::MouseConnected() const { return s_.link.connection.MouseConnected(); }

bool AppShell::MouseRefused() const
{
    // The search skips interfaces it may not open, as if they were not there;
    // the list names them all.
    const auto list = s_.hid.Enumerate();
    if (!list)
        return false;
    for (const HidInterfaceInfo& info : *list)
        if (info.vendorId == kMouseVendorId && info.productId == kMouseProductId &&
            s_.hid.Probe(info.path) == HidError::AccessDenied)
            return true;
    return false;
}

void AppShell::TellIfMouseRefused()
{
    if (!MouseRefused()) {
        refusalTold_ = false; // unplugged: the next plug-in is told again
        return;
    }
    if (refusalTold_)
        return;
    refusalTold_ = true;
    s_.ctx.debug.Write("The mouse is connected but this user may not open it\n");
    ShowMessageLater(RefusedMouseText());
}

QString AppShell::RefusedMouseText() const
{
    return QString::fromStdString(s_.text[kTextMouseNotAllowed]).arg(QString::fromUtf8(kUdevRuleFile));
}

bool AppShell::TrayAvailable() const { return QSystemTrayIcon::isSystemTrayAvailable(); }

void AppShell::DirectPost::Post(std::function<void()> task)
{
    QMetaObject::invokeMethod(receiver_, std::move(task), Qt::QueuedConnection);
}

void AppShell::Post(std::function<void()> task)
{
    // Device notices wait for a running flow, and run in order with it.
    QMetaObject::invokeMethod(
        this, [this, task = std::move(task)] { worker_->AfterFlows(task); }, Qt::QueuedConnection);
}

// --- Start-up ---

bool AppShell::Initialise(const ShellOptions& options)
{
    options_ = options;
    searchTimer_.setInterval(options.lostMouseSearchInterval);
    initialised_ = RunStartupSequence(*this);
    ListenForOtherLaunches();
    s_.ctx.debug.Write(!initialised_      ? "Main window initialised without controls\n"
                       : MouseConnected() ? "Main window initialised, mouse connected\n"
                                          : "Main window initialised, no mouse\n");
    return initialised_;
}

void AppShell::SetIcons()
{
    const QIcon icon = LoadApplicationIcon(s_.skin);
    window_->setWindowIcon(icon);
    tray_.SetIcon(icon);
}

void AppShell::ShowSplash()
{
    if (!options_.showSplash)
        return;
    // Its own images, so the splash picture is released when it closes.
    const SkinImages splashSkin(s_.skin.ApplicationFolder());
    CDlgSplash splash(splashSkin, s_.ctx.debug, nullptr, options_.splashMilliseconds);
    splash.exec();
}

void AppShell::SetTitle()
{
    window_->setWindowTitle(kMainWindowTitle);
    // A native window, never mapped, so that others can find it by its title.
    window_->winId();
}

bool AppShell::StartDeviceSession()
{
    session_ =
        std::make_unique<DeviceSession>(s_.ctx, s_.link, s_.hid, *this, static_cast<DeviceSessionListener&>(*this));
    session_->Start();
    return true;
}

void AppShell::LoadProfileFiles()
{
    const bool usable = RunStartupFileSteps(s_.ctx, options_.systemLanguage);
    // A first run replaced the loaded image by the factory defaults; the
    // snapshot follows, so the DPI balloons name the stages' real values.
    TakeSnapshot(s_.ctx.image, s_.ctx.snapshot);
    FillUiText(s_.text, s_.ctx.languageCode);
    if (!usable)
        TellSaveProblem(DiagnoseSaveFailure(s_.ctx));
}

void AppShell::CreateWindow()
{
    window_->Build();
    tray_.SetTip(QString::fromStdString(s_.text[kTextProductName]));
    tray_.SetExitText(QString::fromStdString(s_.text[kTextTrayExit]));
    tray_.Add();
}

void AppShell::ShowMouseState()
{
    if (MouseConnected()) {
        window_->ShowCaptions();
        window_->SetSlidersFromImage();
        window_->SettingsColumn()->MouseFound();
    } else {
        tray_.Remove();
        TellIfMouseRefused();
    }
}

void AppShell::ApplyPointerSettings() { lumeno::ApplyPointerSettings(s_.ctx); }

void AppShell::NotifyCompanion()
{
    if (!s_.windows)
        return;
    if (auto companion = s_.windows->FindTopLevelWindow(kCompanionWindowTitle))
        s_.windows->PostWindowMessage(*companion, kRestoreMessage, 1, 1);
}

void AppShell::Finish()
{
    const bool noTray = options_.showWhenNoTray && !TrayAvailable();
    window_->SetMinimiseOnClose(noTray);
    if (noTray && MouseConnected()) {
        s_.ctx.debug.Write("No notification area: showing the main window\n");
        RestoreFromTray();
    }
}

// --- The device session ---

void AppShell::MouseArrived(bool announced)
{
    refusalTold_ = false;
    window_->SettingsColumn()->MouseFound();
    tray_.Add();
    if (announced)
        ShowNoticeBalloon(int(DeviceNoticeKind::MouseFound), 0);
}

void AppShell::MouseGone(bool announced)
{
    // The manager closes as cancelled: a recording ends, keeps what it took
    // and gives the keyboard back.
    if (macroManager_)
        macroManager_->Destroy();
    // A question left on screen without its window would act on nothing
    // the user can see: it counts as cancelled. An arrival that finds no
    // usable mouse takes no window away, and leaves a message about it up.
    // An assignment whose dialog goes with it is not applied.
    if (announced || window_->isVisible()) {
        if (assignmentRunning_)
            assignmentAbandoned_ = true;
        Dialogs().CancelOpen();
        // So does whatever else is open over the window: the macro picker,
        // a colour or file chooser.
        for (int open = 0; open < 8; ++open) {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                break;
            dialog->reject();
        }
    }
    if (window_->isVisible())
        window_->HideToTray();
    tray_.Remove();
    // With the icon gone the balloon has nowhere to show; it is logged.
    if (announced)
        ShowNoticeBalloon(int(DeviceNoticeKind::MouseGone), 0);
    TellIfMouseRefused();
}

void AppShell::DpiStageChanged(int stage) { ShowNoticeBalloon(int(DeviceNoticeKind::DpiStageChanged), stage); }

void AppShell::ShowNoticeBalloon(int kind, int param)
{
    if (auto balloon = BalloonForNotice(kind, param, s_.text, s_.ctx.snapshot))
        tray_.ShowBalloon(*balloon);
}

// --- Requests ---

void AppShell::ClearHighlight() { window_->ClearHighlight(); }

void AppShell::Apply(ApplyGroup group)
{
    if (group == ApplyGroup::ReshowControls) {
        window_->ReshowControls();
        return;
    }
    const auto flow = FlowOfGroup(group);
    RunFlowJob([this, group] { return ApplyGroupNow(group, s_.ctx); },
               [this, flow] { return flow ? PlannedPauses(*flow, s_.ctx) : std::chrono::milliseconds(0); });
}

void AppShell::RunFlowJob(std::function<FlowResult()> run, std::function<std::chrono::milliseconds()> plan,
                          std::function<void(FlowResult)> finished)
{
    worker_->Submit({std::move(run), std::move(plan), [this, finished = std::move(finished)](FlowResult result) {
                         if (finished)
                             finished(result);
                         ReportFlow(result);
                     }});
}

void AppShell::ReportFlow(const FlowResult& result)
{
    session_->AfterFlow();
    if (session_->Lost())
        searchTimer_.start();
    if (result.cancelled)
        s_.ctx.debug.Write("Flow cancelled: the mouse went away\n");
    if (result.saved)
        saveProblemTold_ = false;
    else if (result.problem)
        TellSaveProblem(*result.problem);
}

void AppShell::TellSaveProblem(const SaveProblem& problem)
{
    DebugPrintf(s_.ctx.debug, "Settings not saved in %s: error %d\n", problem.where.c_str(), problem.error);
    if (saveProblemTold_)
        return;
    saveProblemTold_ = true;
    auto text = [this](int id) { return QString::fromStdString(s_.text[id]); };
    QString reason;
    switch (problem.kind) {
    case SaveProblemKind::DiskFull:
        reason = text(kTextDiskFull);
        break;
    case SaveProblemKind::NotAllowed:
        reason = text(kTextNotAllowed);
        break;
    case SaveProblemKind::FolderMissing:
        reason = text(kTextFolderMissing);
        break;
    case SaveProblemKind::FolderInTheWay:
        reason = text(kTextFolderInTheWay);
        break;
    case SaveProblemKind::NotAFile:
        reason = text(kTextNotAFile);
        break;
    case SaveProblemKind::Other:
        reason = text(kTextSystemError).arg(problem.error);
        break;
    }
    ShowMessageLater(text(kTextSaveFailed).arg(QString::fromStdString(problem.where.string()), reason));
}

void AppShell::ShowMessageLater(const QString& message)
{
    // Shown once the handler that found it is done, so a message never
    // holds up a flow or start-up.
    QMetaObject::invokeMethod(
        this, [this, message] { Dialogs().ShowMessage(window_.get(), message); }, Qt::QueuedConnection);
}

void AppShell::SearchForLostMouse()
{
    if (!session_->Lost()) {
        searchTimer_.stop();
        return;
    }
    if (worker_->Busy())
        return;
    auto found = std::make_shared<bool>(false);
    DeviceWorker::Job job{[this, found] {
                              *found = session_->SearchAnswering();
                              return FlowResult{};
                          },
                          {},
                          [this, found](FlowResult) {
                              if (*found)
                                  session_->FoundAgain();
                          }};
    job.quiet = true;
    worker_->Submit(std::move(job));
}

void AppShell::FlowStarted(std::chrono::milliseconds planned)
{
    // Short flows get the wait cursor only; long ones the strip, kept moving.
    const bool showProgress = planned > kProgressShownAbove;
    window_->ShowFlowProgress(showProgress ? 0.0 : -1.0);
    if (showProgress)
        progressTimer_.start();
    else
        progressTimer_.stop();
}

void AppShell::FlowsIdle()
{
    progressTimer_.stop();
    window_->ShowFlowProgress(std::nullopt);
    // Said after the requests that the last flow's end queued have had their
    // turn: a write one of them starts belongs to the same work.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!worker_->Busy())
                s_.ctx.debug.Write("Device writes done\n");
        },
        Qt::QueuedConnection);
}

void AppShell::ResetToFactoryDefaults()
{
    if (!Dialogs().ConfirmReset(window_.get()))
        return;
    RunFlowJob(
        [this] { return FactoryReset(s_.ctx); },
        [this] { return MouseConnected() ? PlannedPauses(Flow::WriteAll, s_.ctx) : std::chrono::milliseconds(0); },
        [this](FlowResult) { window_->ShowAfterReset(); });
}

void AppShell::OpenProfilePane()
{
    if (window_->ProfilePaneOpen()) {
        window_->SetProfileControlsEnabled(false);
        return;
    }
    QWidget* pane = Dialogs().CreateProfilePane(window_.get());
    if (!pane)
        return;
    if (auto* profiles = qobject_cast<CConfigDialog*>(pane))
        ConnectProfilePane(*profiles);
    window_->OpenProfilePane(pane);
}

// --- Profiles ---

ProfileFileChooser& AppShell::FileChooser()
{
    if (s_.profileFiles)
        return *s_.profileFiles;
    if (!qtFileChooser_)
        qtFileChooser_ = std::make_unique<QtProfileFileChooser>(s_.text);
    return *qtFileChooser_;
}

void AppShell::ConnectProfilePane(CConfigDialog& pane)
{
    const ButtonImages& close = kCloseButtonSkin.images;
    pane.CloseButton()->SetBitmaps(s_.skin, 0, 0, kProfilePaneCloseRect.width(), kProfilePaneCloseRect.height(),
                                   close.normal, close.hover, close.pressed, close.disabled);
    pane.SetModel(ProfileListModel(ReadProfileList(s_.ctx), ReadCurrentProfileName(s_.ctx), s_.ctx.profiles,
                                   s_.ctx.languageCode));
    connect(&pane, &CConfigDialog::closeRequested, this, &AppShell::OnProfilePaneClosed);
    connect(&pane, &CConfigDialog::importRequested, this, &AppShell::ImportProfileFile);
    connect(&pane, &CConfigDialog::exportRequested, this, [this](int) { ExportProfileFile(); });
}

void AppShell::ShowProfileData()
{
    window_->SetSlidersFromImage();
    window_->ShowCaptions();
    if (CDlgadvance* column = window_->SettingsColumn()) {
        column->CollapseAll();
        column->RefreshPanes();
    }
    window_->update();
}

void AppShell::OnProfilePaneClosed(const ProfileListModel::CloseRequest& request)
{
    window_->CloseProfilePane();
    queued_->Apply(ApplyGroup::ReshowControls);
    RunFlowJob([this, request] { return CloseProfilePane(s_.ctx, request).flow; },
               [this, request] {
                   return CloseRequestWrites(request) ? PlannedPauses(Flow::WriteAll, s_.ctx)
                                                      : std::chrono::milliseconds(0);
               },
               [this](FlowResult) { ShowProfileData(); });
}

void AppShell::ImportProfileFile(int position, const ProfileListCommit& commit)
{
    const auto file =
        FileChooser().ChooseImport(window_.get(), TransferStartPath(s_.ctx, QDir::homePath().toStdString()));
    if (!file || !IsProfileFile(s_.ctx.files, *file)) {
        s_.ctx.profiles.importPending = false; // nothing was imported
        if (file)
            Dialogs().ShowMessage(
                window_.get(),
                QString::fromStdString(s_.text[kTextNotAProfileFile]).arg(QString::fromStdString(file->string())));
        return;
    }
    QPointer<CConfigDialog> pane = qobject_cast<CConfigDialog*>(window_->ProfilePane());
    auto outcome = std::make_shared<std::pair<ProfileListWrite, TransferResult>>();
    RunFlowJob(
        [this, position, commit, file = *file, outcome] {
            // The list as the pane shows it reaches the disk first, so the
            // position the file goes to holds the file names it shows.
            outcome->first = WriteProfileList(s_.ctx, s_.ctx.profiles, commit);
            if (outcome->first == ProfileListWrite::Failed)
                return FlowResult{false, false, DiagnoseSaveFailure(s_.ctx)};
            outcome->second = ImportProfile(s_.ctx, position, file);
            return outcome->second.flow;
        },
        [this] { return PlannedPauses(Flow::WriteAll, s_.ctx); },
        [this, pane, position, outcome](FlowResult) {
            const TransferResult& result = outcome->second;
            if (pane && (outcome->first == ProfileListWrite::Written || outcome->first == ProfileListWrite::NoList) &&
                result.problem == TransferProblem::None && result.wrote) {
                pane->ListWritten();
                pane->Imported(position);
            }
            if (result.problem == TransferProblem::NotAProfileFile)
                Dialogs().ShowMessage(window_.get(), QString::fromStdString(s_.text[kTextNotAProfileFile])
                                                         .arg(QString::fromStdString(result.file.string())));
            if (result.wrote)
                ShowProfileData();
        });
}

void AppShell::ExportProfileFile()
{
    const auto file =
        FileChooser().ChooseExport(window_.get(), TransferStartPath(s_.ctx, QDir::homePath().toStdString()));
    auto outcome = std::make_shared<TransferResult>();
    RunFlowJob(
        [this, file, outcome] {
            *outcome = ExportProfile(s_.ctx, file);
            return outcome->flow;
        },
        [this] { return PlannedPauses(Flow::WriteAll, s_.ctx); },
        [this, outcome](FlowResult) {
            if (outcome->problem == TransferProblem::NotWritten)
                Dialogs().ShowMessage(window_.get(), QString::fromStdString(s_.text[kTextProfileNotWritten])
                                                         .arg(QString::fromStdString(outcome->file.string())));
            ShowProfileData();
        });
}

void AppShell::OpenMacroManager()
{
    worker_->AfterFlows([this] { RunMacroManager(); });
}

void AppShell::RunMacroManager()
{
    if (macroManager_)
        return;
    if (!s_.clock && !steadyClock_)
        steadyClock_ = std::make_unique<SleepingPacer>();
    Pacer& clock = s_.clock ? *s_.clock : *steadyClock_;
    CMacroProgramDialog manager(
        {s_.ctx.ini, s_.ctx.paths.macroLibrary, clock, s_.keyboard, s_.ctx.languageCode, s_.skin, &s_.ctx.debug},
        window_.get());
    macroManager_ = &manager;
    manager.Open(s_.ctx.captions, &s_.ctx.image);
    const bool ok = manager.exec() == QDialog::Accepted;
    macroManager_ = nullptr;
    if (ok)
        CopyManagerCopyToImage(manager.Model().EncodedCopy(), s_.ctx.image);
    // Written at once, so a macro already bound to a button plays its new
    // version; bindings a deletion moved are written even after Cancel.
    if (ok || manager.Model().BindingsRepointed())
        Apply(ApplyGroup::ButtonsAndMacros);
}

void AppShell::RestoreFromTray()
{
    worker_->AfterFlows([this] { RestoreNow(); });
}

bool AppShell::RestoreNow()
{
    if (!MouseConnected())
        return false;
    LoadProfile(s_.ctx);
    LoadProfileSettings(s_.ctx, s_.ctx.paths.currentSettingsFile);
    window_->ShowRestored();
    return true;
}

void AppShell::ListenForOtherLaunches()
{
    if (!s_.instance || s_.instance->RequestDescriptor() < 0)
        return;
    launches_ = std::make_unique<QSocketNotifier>(s_.instance->RequestDescriptor(), QSocketNotifier::Read);
    connect(launches_.get(), &QSocketNotifier::activated, this, [this] {
        if (s_.instance->TakeRequests() == 0)
            return;
        s_.ctx.debug.Write("Another launch asked this copy to come forward\n");
        BringForward();
    });
}

void AppShell::BringForward()
{
    worker_->AfterFlows([this] {
        if (RestoreNow())
            return;
        ShowMessageLater(MouseRefused() ? RefusedMouseText() : QString::fromStdString(s_.text[kTextWaitingForMouse]));
    });
}

void AppShell::OnWindowMessage(uint32_t message, int64_t, int64_t)
{
    if (message == kRestoreMessage)
        RestoreFromTray();
}

void AppShell::OnHelpCommand(HelpCommand command)
{
    switch (command) {
    case HelpCommand::WebSite:
        QDesktopServices::openUrl(QUrl(QString::fromStdString(s_.text[kTextMakerAddress])));
        break;
    case HelpCommand::Update: {
        if (s_.windows && s_.windows->FindTopLevelWindow(kUpdaterWindowTitle))
            return;
        // Without the mouse or the updater the program would only end: the
        // user is told why and it keeps running.
        if (!MouseConnected()) {
            Dialogs().ShowMessage(window_.get(), QString::fromStdString(s_.text[kTextUpdateNeedsMouse]));
            return;
        }
        const auto program = s_.skin.ApplicationFolder() / kUpdaterProgram;
        std::error_code ec;
        const bool started = std::filesystem::is_regular_file(program, ec) && Dialogs().StartUpdater(program.string());
        s_.ctx.debug.Write(std::string(started ? "Firmware updater started: " : "Firmware updater not started: ") +
                           program.string() + "\n");
        if (!started) {
            Dialogs().ShowMessage(window_.get(), QString::fromStdString(s_.text[kTextUpdaterMissing]));
            return;
        }
        emit exitRequested();
        break;
    }
    case HelpCommand::Version:
        // Reaches the assignment handler: it changes nothing and sends the
        // button map and macros again.
        RunAssignmentCommand(int(HelpCommand::Version));
        break;
    default:
        break;
    }
}

// --- The assignment menu ---

void AppShell::OpenAssignmentMenu(int buttonIndex)
{
    auto text = [this](int id) { return QString::fromStdString(s_.text[id]); };
    if (LeftClickGuardRefuses(s_.ctx.image, buttonIndex)) {
        Dialogs().ShowCaptionedMessage(window_.get(), text(kTextAttention), text(kTextLastLeftClick));
        window_->ClearHighlight();
        return;
    }
    const CBitmapBtn* box = window_->AssignmentBox(buttonIndex);
    const QPoint anchor = box ? AssignmentMenuAnchor(*box) : QCursor::pos();
    const int id = Dialogs().RunAssignmentMenu(window_.get(),
                                               BuildAssignmentMenu(buttonIndex, s_.text, s_.ctx.languageCode), anchor);
    // The box loses its mark and the picture its highlight whatever was chosen.
    window_->ClearHighlight();
    if (id < kAssignmentCommandFirst || id > kAssignmentCommandLast)
        return;
    // The choice runs once the menu is gone, as a command after it.
    QMetaObject::invokeMethod(
        this, [this, id] { RunAssignmentCommand(id); }, Qt::QueuedConnection);
}

void AppShell::RunAssignmentCommand(int id)
{
    const int i = window_->LastSelectedButton();
    ShellKeyCapture keys(Dialogs(), window_.get());
    QtMacroChooser picker(window_.get(), s_.ctx, s_.skin);
    MacroChooser* macros = s_.macros ? s_.macros : &picker;
    assignmentRunning_ = true;
    assignmentAbandoned_ = false;
    const CommandOutcome outcome =
        HandleAssignmentCommand(id, i, s_.ctx.image, s_.ctx.captions, s_.text, s_.ctx.languageCode, {&keys, macros});
    assignmentRunning_ = false;
    if (outcome == CommandOutcome::EarlyEnd || assignmentAbandoned_)
        return;
    if (i >= 0 && i < kButtonCount)
        window_->ShowCaptions();
    Apply(ApplyGroup::ButtonsAndMacros);
}

} // namespace lumeno
