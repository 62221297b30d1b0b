#pragma once
// The main window's geometry: the left-column accordion (button assignment,
// macro manager, axis sensitivity and the invisible lift-off header), the
// assignment boxes, the axis sliders, the lift-off switch areas and the
// places of the fixed controls. Views ask it where things are; it knows no
// toolkit.
#include "config/ConfigImage.h"
#include "ui/AccordionModel.h"

#include <optional>
#include <string>

namespace lumeno {

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// Fixed controls of the main window, in client pixels.
inline constexpr Rect kHelpButtonRect{937, 5, 952, 20};
inline constexpr Rect kMinimiseButtonRect{958, 5, 973, 20};
inline constexpr Rect kCloseButtonRect{979, 5, 994, 20};
inline constexpr Rect kTopViewTabRect{435, 527, 497, 556};
inline constexpr Rect kSideViewTabRect{505, 527, 567, 556};
inline constexpr Rect kProfileButtonRect{18, 604, 158, 634};
inline constexpr Rect kResetButtonRect{923, 604, 980, 634};
inline constexpr Rect kSettingsPaneRect{735, 32, 735 + 260, 32 + 561};
inline constexpr Rect kPictureRect{262, 2, 734, 500};
inline constexpr Point kLogoPos{20, 32};
inline constexpr Point kLeftColumnPos{20, 107};
inline constexpr Point kMouseLogoPos{40, 525};
inline constexpr Point kNotePos{194, 612};

inline constexpr int kSliderWidth = 208;
inline constexpr int kSliderHeight = 9;
inline constexpr int kAxisSliderMin = 1;
inline constexpr int kAxisSliderMax = 11;

enum class LiftOffSwitch { On, Off };

class MainWindowLayout {
public:
    // assignmentHeight and axisHeight: heights of the two section backgrounds
    // ("BK_ButtonAssignment.png", "BK_XYSensSetting.png"); 0 when missing.
    MainWindowLayout(int assignmentHeight, int axisHeight);

    bool AssignmentExpanded() const;
    bool AxisExpanded() const;

    // Each toggle returns the area to repaint at once.
    Rect ToggleAssignment();
    Rect ToggleAxis();
    // All three sections collapsed (start-up, reset, restore).
    void CollapseAll();
    void SetAssignmentExpanded(bool expanded);
    void SetAxisExpanded(bool expanded);

    Rect AssignmentHeader() const;
    Rect MacroHeader() const;
    Rect AxisHeader() const;
    // The lift-off header has no size: only its top-left corner is kept.
    Point LiftOffHeader() const;

    // Row r = 1..7.
    static Rect AssignmentBox(int row);
    static Rect RowLabel(int row);
    bool AssignmentBoxesVisible() const { return AssignmentExpanded(); }

    Rect XSlider() const;
    Rect YSlider() const;
    bool AxisSlidersVisible() const { return AxisExpanded(); }

    // Backgrounds of the expanded sections, drawn below their headers.
    Point AssignmentBackground() const;
    Point AxisBackground() const;
    // Scale label n = 1..10 under the slider that starts at sliderTop.
    Point ScaleLabel(int n, int sliderTop) const;

    // Which lift-off area a background click at (x, y) hits, if any.
    std::optional<LiftOffSwitch> LiftOffHit(int x, int y) const;
    Rect LiftOffOnArea() const;  // inclusive bounds
    Rect LiftOffOffArea() const; // inclusive bounds

private:
    Rect Header(int section) const;

    AccordionModel column_;
};

enum class MouseView { Top = 1, Side = 2 };

struct OverlayImage {
    int number; // 1..7, the digit in the file name
    Point position;
};

// Base picture of a view and its position.
const char* MouseBaseImage(MouseView view);
Point MouseBasePosition(MouseView view);
// The seven overlays of a view, numbered 1..7.
const OverlayImage* MouseOverlays(MouseView view); // kButtonCount entries
// "/Mouse/Front/F-<n>-over.png" etc., relative to the "Skins" folder.
std::string OverlayImageName(MouseView view, int number, bool highlighted);
// The overlay number that lights up for a highlighted buttonIndex (-1: none).
int OverlayNumberOfButtonIndex(int buttonIndex);

} // namespace lumeno
