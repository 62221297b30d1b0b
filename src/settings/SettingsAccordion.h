#pragma once
// The settings column's layout and scrolling rules.
//
// Collapsed, the shown headers stand from y = 2 down, 5 px apart; an open
// item's pane lies directly under its header and pushes every later header
// down by the pane's height. Several items may be open at once.
//
// The content height starts at 120 px (six headers of 20 px) and each
// toggle adds or removes the pane's height plus 10; the view height is the
// content height, at least 563 (the column's backdrop). The column scrolls
// over whichever reaches further, the content height or the bottom of the
// last header or pane, so the last element can always be brought into view.
//
// Scrolling: a line is 60 px, a page one visible height. The wheel moves a
// page per notch in page mode; otherwise n = lines x |delta| / 120 and the
// column moves one line when n < 6, else n / 3 lines.
#include "ui/AccordionModel.h"

#include <vector>

namespace lumeno {

// The header strip, which the main window's section headers share, and the
// column's backdrop, drawn at the column's top left.
inline constexpr char kSettingsHeaderImage[] = "\\skins\\ItemBK.png";
inline constexpr char kSettingsBackdropImage[] = "Skins\\BK_MainRight.png";

inline constexpr int kSettingsColumnTop = 2;
inline constexpr int kSettingsHeaderGap = 5;
inline constexpr int kSettingsHeaderWidth = 242;
inline constexpr int kSettingsHeaderHeight = 20;
inline constexpr int kSettingsStartContentHeight = 6 * kSettingsHeaderHeight;
inline constexpr int kSettingsPaneMargin = 10; // added to the content height with each open pane
inline constexpr int kSettingsMinimumViewHeight = 563;
inline constexpr int kSettingsColumnWidth = 260;
inline constexpr int kSettingsVisibleHeight = 561;
inline constexpr int kSettingsLineStep = 60;
inline constexpr int kWheelDeltaPerNotch = 120;

class SettingsAccordion {
public:
    // items: header height, pane height and whether the header is shown.
    explicit SettingsAccordion(std::vector<AccordionItem> items);

    const AccordionModel& Layout() const { return layout_; }
    int Count() const { return layout_.Count(); }
    bool Open(int item) const { return layout_.Open(item); }

    // Opens a closed item or closes an open one; a hidden item stays closed.
    void Toggle(int item);
    // Closes every open item, from the last to the first.
    void CollapseAll();

    int ContentHeight() const { return content_; }
    int ViewHeight() const;
    // The largest scroll position for a visible height (0: nothing to scroll).
    int ScrollMaximum(int visibleHeight) const;

private:
    AccordionModel layout_;
    int content_ = kSettingsStartContentHeight;
};

// The wheel setting in force: page mode, or lines per notch.
struct WheelSetting {
    bool pageMode = false;
    int lines = 3;
};

// Pixels one wheel message scrolls the column, negative towards the top (a
// positive delta scrolls up).
int WheelScrollPixels(int delta, WheelSetting setting, int visibleHeight);

// Touchpads and high-resolution wheels send parts of a notch: adds a
// message's delta to the rest left by earlier ones (dropped when the
// direction turns) and returns the whole notches in it, as a delta; the
// remainder stays in rest.
int TakeWholeNotches(int& rest, int delta);

} // namespace lumeno
