#pragma once
// CMouseConfigurationDlg: the borderless, skinned main window, a view. It
// shows the title buttons, the left-column accordion (button assignment,
// macro manager, axis sensitivity, and the invisible lift-off header), the
// mouse picture with its highlighted button, the settings column, the
// profile and reset buttons and the note. Its sliders and the lift-off
// switch edit the image and ask for their group through ConfigCommands;
// everything else it reports by signals to the shell, which owns the device
// session, the tray, the dialogs and the flows.
//
// It starts hidden: the tray icon's double-click is the first time the user
// sees it.
#include "app/MainWindowLayout.h"
#include "ui/WindowDrag.h"

#include <QFont>
#include <QImage>
#include <QPointer>
#include <QWidget>

#include <array>
#include <optional>

namespace lumeno {

struct AppContext;
class CBitmapBtn;
class CDMarker;
class ConfigCommands;
class CDlgadvance;
class SkinImages;
class UiText;

inline constexpr char kMainWindowTitle[] = "Lumeno-KV580 Pro";
inline constexpr char kVersionText[] = "Version:1.0";

// Slider identifiers of the axis sensitivity.
inline constexpr int kXSensitivitySliderId = 2025;
inline constexpr int kYSensitivitySliderId = 2026;

// Help menu commands.
enum class HelpCommand : int { None = 0, WebSite = 1001, Update = 1002, Version = 1003 };
inline constexpr int kHelpMenuItemWidth = 100;

struct MainWindowServices {
    AppContext& ctx;
    ConfigCommands& commands;
    const UiText& text;
    const SkinImages& skin;
};

class CMouseConfigurationDlg : public QWidget {
    Q_OBJECT
public:
    explicit CMouseConfigurationDlg(MainWindowServices services, QWidget* parent = nullptr);
    ~CMouseConfigurationDlg() override;

    // Skin, fonts, controls and the settings column; the left column
    // collapsed and the top view. Once.
    void Build();
    bool Built() const { return built_; }

    // --- What the shell asks of the view ---
    // Shows the window centred, with the sections collapsed and everything
    // read again from the image (the shell reloaded the profile first).
    void ShowRestored();
    void HideToTray();
    // The close button and the window manager's close: minimise instead of
    // hide (a desktop without a notification area could never bring it back).
    void SetMinimiseOnClose(bool minimise) { minimiseOnClose_ = minimise; }
    void ShowCaptions();
    void SetSlidersFromImage();
    // The profile pane closed: headers, boxes and sliders as the sections say.
    void ReshowControls();
    // After a factory reset: sections collapsed, sliders and panes from the
    // image, top view, no profile pane, captions.
    void ShowAfterReset();
    // Places a profile pane over the window, hiding the controls it covers;
    // the window owns it from then on. A pane already open stays.
    void OpenProfilePane(QWidget* pane);
    bool ProfilePaneOpen() const { return !profilePane_.isNull(); }
    // Closes the pane, shows the controls it covered and enables the settings
    // column and the reset button again.
    void CloseProfilePane();
    // Disables the settings column and the reset button while profiles are
    // being worked on.
    void SetProfileControlsEnabled(bool enabled);
    // A flow runs: the wait cursor, no input, and the progress strip at the
    // given fraction (a negative one: no strip, for flows shorter than half
    // a second); nullopt ends it.
    void ShowFlowProgress(std::optional<double> fraction);

    void ClearHighlight();
    void SelectView(MouseView view);
    void ToggleAssignmentSection();
    void ToggleAxisSection();

    // --- State, for the shell and tests ---
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
    CDlgadvance* SettingsColumn() const { return settings_; }
    QWidget* ProfilePane() const { return profilePane_; }
    std::optional<double> FlowProgress() const { return progress_; }

signals:
    void assignmentMenuRequested(int buttonIndex);
    void macroManagerRequested();
    void profilePaneRequested();
    void resetRequested();
    void helpCommandChosen(lumeno::HelpCommand command);

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
    void PaintPicture(QPainter& painter);
    void PaintSections(QPainter& painter);
    void PaintProgress(QPainter& painter);
    void OnAssignmentBox(int buttonIndex);
    void OnSliderReleased(int position, int identifier);
    void OnBackgroundPress(QPoint clientPos);
    void CloseToTray();
    QString Text(int id) const;

    MainWindowServices s_;
    MainWindowLayout layout_{0, 0};
    MouseView view_ = MouseView::Top;
    int highlighted_ = -1;
    int lastSelected_ = -1;
    bool built_ = false;

    QImage background_;
    QFont font_;

    CBitmapBtn* help_ = nullptr;
    CBitmapBtn* minimise_ = nullptr;
    CBitmapBtn* close_ = nullptr;
    std::array<CBitmapBtn*, 3> headers_{}; // button assignment, macro manager, axis sensitivity
    QWidget* liftOffHeader_ = nullptr;
    std::array<CBitmapBtn*, kButtonCount> boxes_{}; // by buttonIndex
    CBitmapBtn* topTab_ = nullptr;
    CBitmapBtn* sideTab_ = nullptr;
    CBitmapBtn* profile_ = nullptr;
    CBitmapBtn* reset_ = nullptr;
    CDMarker* xSlider_ = nullptr;
    CDMarker* ySlider_ = nullptr;
    CDlgadvance* settings_ = nullptr;
    QPointer<QWidget> profilePane_;

    std::optional<double> progress_;
    bool minimiseOnClose_ = false;
    WindowDrag drag_;
};

} // namespace lumeno
