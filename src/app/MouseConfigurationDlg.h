#pragma once
// CMouseConfigurationDlg: the borderless, skinned main window. It hosts the
// title buttons, the left-column accordion (button assignment, macro
// manager, axis sensitivity, and the invisible lift-off header), the mouse
// picture with its highlighted button, the settings pane, the profile and
// reset buttons and the note. It owns the connection handling, the event
// reader and the tray icon, receives the device notices and routes the
// panes' requests to the flows.
//
// It starts hidden: initialising never shows it; the tray icon's
// double-click (RestoreFromTray) is the first time the user sees it.
#include "app/MainWindowLayout.h"
#include "app/TrayIcon.h"
#include "flows/DeviceSession.h"
#include "platform/UiThread.h"

#include <QFont>
#include <QImage>
#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <string>

namespace lumeno {

struct AppContext;
class CBitmapBtn;
class CDMarker;
class DeviceLink;
class HidSystem;
class SkinImages;
class UiText;
class WindowLookup;

inline constexpr char kMainWindowTitle[] = "Lumeno-KV580 Pro";
inline constexpr char kCompanionWindowTitle[] = "Lumeno-KV580 Pro ACCE";
inline constexpr char kUpdaterWindowTitle[] = "Programmer";
inline constexpr char kUpdaterProgram[] = "Update/3360/FWUpdate";
inline constexpr char kVersionText[] = "Version:1.0";

// Message numbers kept from the desktop protocol the window speaks.
inline constexpr uint32_t kRestoreMessage = 0x313;

// Slider identifiers of the axis sensitivity.
inline constexpr int kXSensitivitySliderId = 2025;
inline constexpr int kYSensitivitySliderId = 2026;

// Help menu commands.
inline constexpr int kHelpWebSite = 1001;
inline constexpr int kHelpUpdate = 1002;
inline constexpr int kHelpVersion = 1003;
inline constexpr int kHelpMenuItemWidth = 100;

// Apply-request codes of the settings panes.
enum ApplyRequest : int {
    kApplyReshowControls = 0,
    kApplyPointerFirst = 1,
    kApplyPointerLast = 3,
    kApplyDpi = 4,
    kApplyReportRate = 5,
    kApplyLighting = 6,
};

struct MainWindowServices {
    AppContext& ctx;
    DeviceLink& link;
    HidSystem& hid;
    UiText& text;
    const SkinImages& skin;
    WindowLookup* windows = nullptr; // null: no other windows are looked for
};

struct MainWindowOptions {
    bool showSplash = true;
    int splashMilliseconds = 3000;
    // The desktop's language code, used when no profile names one.
    std::string systemLanguage = "EN";
    // On a desktop without a notification area nothing could ever bring the
    // hidden window up: show it after start-up, and let its close button
    // minimise instead of hide.
    bool showWhenNoTray = false;
};

class CMouseConfigurationDlg : public QWidget, public DeviceSessionListener, public UiThread {
    Q_OBJECT
public:
    explicit CMouseConfigurationDlg(MainWindowServices services, QWidget* parent = nullptr);
    ~CMouseConfigurationDlg() override;

    // The fixed initialisation order of start-up; leaves the window hidden.
    // False when it stopped early (the window then runs without controls).
    bool Initialise(const MainWindowOptions& options = {});

    // --- Routing of requests (UI thread) ---
    void OnApplyRequest(int code);
    void OnSliderReleased(int position, int identifier);
    void OnDeviceNotice(int kind, int param);
    void OnAssignmentBox(int buttonIndex);
    void OnBackgroundPress(QPoint clientPos);
    void OnHelpCommand(int command);
    // A message another program posted to this window (kRestoreMessage).
    void OnWindowMessage(uint32_t message, int64_t wParam, int64_t lParam);

    // --- Tray ---
    void HideToTray();
    void RestoreFromTray();
    // True when the desktop offers a notification area for the icon.
    bool TrayAvailable() const;
    TrayIcon& Tray() { return tray_; }

    void ClearHighlight();
    void SelectView(MouseView view);
    void ToggleAssignmentSection();
    void ToggleAxisSection();
    void ResetToFactoryDefaults();
    void OpenProfilePane();

    // --- Hooks for the panes of other subsystems ---
    // The settings column (placed at its rectangle) and its refresh.
    void SetSettingsPane(QWidget* pane, std::function<void()> refresh = {});
    // Creates the profile pane as a child; without it the profile button only
    // clears the highlight.
    void SetProfilePaneFactory(std::function<QWidget*(QWidget* parent)> factory);
    // Asks "Reset to factory default?"; the default shows a message box.
    void SetResetConfirmation(std::function<bool()> confirm) { confirmReset_ = std::move(confirm); }
    // Re-enables the settings panes and the reset button after profile work.
    void SetProfileControlsEnabled(bool enabled);

    void AddTrayIcon();
    void RemoveTrayIcon();
    void HideMainWindow();
    void SetDpiHundredStepMode();
    void DestroyMacroManager();

    // --- DeviceSessionListener ---
    void MouseArrived(bool announced) override;
    void MouseGone(bool announced) override;
    void DpiStageChanged(int stage) override;

    // --- UiThread ---
    void Post(std::function<void()> task) override;

    DeviceSession* Session() { return session_.get(); }

    // --- State, for the views and tests ---
    const MainWindowLayout& Layout() const { return layout_; }
    MouseView View() const { return view_; }
    int HighlightedButton() const { return highlighted_; }
    int LastSelectedButton() const { return lastSelected_; }
    CBitmapBtn* AssignmentBox(int buttonIndex) const;
    CBitmapBtn* AssignmentHeaderButton() const { return headers_[0]; }
    CBitmapBtn* MacroHeaderButton() const { return headers_[1]; }
    CBitmapBtn* AxisHeaderButton() const { return headers_[2]; }
    QWidget* LiftOffHeader() const { return liftOffHeader_; }
    CDMarker* XSlider() const { return xSlider_; }
    CDMarker* YSlider() const { return ySlider_; }
    CBitmapBtn* ResetButton() const { return reset_; }
    CBitmapBtn* ProfileButton() const { return profile_; }
    QWidget* ProfilePane() const { return profilePane_; }
    bool Initialised() const { return initialised_; }

signals:
    // The assignment menu of a button should open (its own subsystem).
    void assignmentMenuRequested(int buttonIndex);
    void macroManagerRequested();
    void dpiHundredStepModeRequested();
    void macroManagerDestroyRequested();
    // "Exit" in the tray menu, or the firmware updater took over.
    void exitRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void LoadSkinAndFonts();
    void CreateControls();
    void ApplyTexts();
    void FitCaption(CBitmapBtn* button) const;
    void Relayout();
    void ShowCaptions();
    void SetSlidersFromImage();
    void PaintPicture(QPainter& painter);
    void PaintSections(QPainter& painter);
    void RefreshSettingsPane();
    void RunFirmwareUpdate();
    void CloseToTray();
    bool MouseConnected() const;
    QString Text(int id) const;

    MainWindowServices s_;
    MainWindowLayout layout_{0, 0};
    MouseView view_ = MouseView::Top;
    int highlighted_ = -1;
    int lastSelected_ = -1;
    bool initialised_ = false;
    bool controlsCreated_ = false;

    QImage background_;
    QFont font_;

    CBitmapBtn* help_ = nullptr;
    CBitmapBtn* minimise_ = nullptr;
    CBitmapBtn* close_ = nullptr;
    std::array<CBitmapBtn*, 3> headers_{}; // button assignment, macro manager, axis sensitivity
    QWidget* liftOffHeader_ = nullptr;
    std::array<CBitmapBtn*, kAssignmentRows> boxes_{}; // by buttonIndex
    CBitmapBtn* topTab_ = nullptr;
    CBitmapBtn* sideTab_ = nullptr;
    CBitmapBtn* profile_ = nullptr;
    CBitmapBtn* reset_ = nullptr;
    CDMarker* xSlider_ = nullptr;
    CDMarker* ySlider_ = nullptr;

    QPointer<QWidget> settingsPane_;
    std::function<void()> refreshSettingsPane_;
    QPointer<QWidget> profilePane_;
    std::function<QWidget*(QWidget*)> profilePaneFactory_;
    std::function<bool()> confirmReset_;

    TrayIcon tray_;
    std::unique_ptr<DeviceSession> session_;

    bool showWhenNoTray_ = false;
    bool dragging_ = false;
    QPoint dragOffset_;
};

} // namespace lumeno
