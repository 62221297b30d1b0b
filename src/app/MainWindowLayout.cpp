#include "app/MainWindowLayout.h"

#include "buttons/ButtonMap.h"

#include <array>

namespace lumeno {

namespace {

// The left column: four headers 5 px apart from (20,107), the first and the
// third with a section below them; the lift-off header has no size.
constexpr int kColumnLeft = 20;
constexpr int kColumnTop = 107;
constexpr int kColumnRight = 262;
constexpr int kHeaderHeight = 20;
constexpr int kHeaderGap = 5;
enum Section { kAssignmentSection, kMacroSection, kAxisSection, kLiftOffSection };

// Axis sliders, relative to the bottom of the "Axis Sensitivity" header.
constexpr int kSliderLeft = 37;
constexpr int kXSliderOffset = 25;
constexpr int kYSliderOffset = 85;
// Scale labels "1".."10": 21 px apart from 24 px right of the panel's edge,
// just below their slider.
constexpr int kScaleFirstOffset = 24;
constexpr int kScaleStep = 21;
constexpr int kScaleBelowSlider = 12;

// Lift-off click areas, relative to the invisible header's left and bottom;
// bounds inclusive.
constexpr int kLiftOffOnLeft = 20;
constexpr int kLiftOffOnRight = 31;
constexpr int kLiftOffOffLeft = 158;
constexpr int kLiftOffOffRight = 169;
constexpr int kLiftOffTop = 14;
constexpr int kLiftOffBottom = 65;

// Repaint after a toggle: the left column, deeper when section 2 changed.
constexpr Rect kRepaintAfterAssignment{20, 107, 262, 707};
constexpr Rect kRepaintAfterAxis{20, 107, 262, 727};

constexpr std::array<OverlayImage, kButtonCount> kTopOverlays{{{1, {350, 102}},
                                                               {2, {550, 102}},
                                                               {3, {498, 190}},
                                                               {4, {350, 247}},
                                                               {5, {350, 315}},
                                                               {6, {498, 255}},
                                                               {7, {498, 285}}}};
constexpr std::array<OverlayImage, kButtonCount> kSideOverlays{{{1, {400, 155}},
                                                                {2, {335, 155}},
                                                                {3, {410, 248}},
                                                                {4, {490, 270}},
                                                                {5, {545, 265}},
                                                                {6, {460, 158}},
                                                                {7, {487, 158}}}};

} // namespace

MainWindowLayout::MainWindowLayout(int assignmentHeight, int axisHeight)
    : column_(kColumnTop, kHeaderGap,
              {{kHeaderHeight, assignmentHeight}, {kHeaderHeight, 0}, {kHeaderHeight, axisHeight}, {0, 0}})
{
}

bool MainWindowLayout::AssignmentExpanded() const { return column_.Open(kAssignmentSection); }
bool MainWindowLayout::AxisExpanded() const { return column_.Open(kAxisSection); }
void MainWindowLayout::SetAssignmentExpanded(bool expanded) { column_.SetOpen(kAssignmentSection, expanded); }
void MainWindowLayout::SetAxisExpanded(bool expanded) { column_.SetOpen(kAxisSection, expanded); }

Rect MainWindowLayout::ToggleAssignment()
{
    column_.Toggle(kAssignmentSection);
    return kRepaintAfterAssignment;
}

Rect MainWindowLayout::ToggleAxis()
{
    column_.Toggle(kAxisSection);
    return kRepaintAfterAxis;
}

void MainWindowLayout::CollapseAll() { column_.CollapseAll(); }

Rect MainWindowLayout::Header(int section) const
{
    return {kColumnLeft, column_.HeaderTop(section), kColumnRight, column_.HeaderBottom(section)};
}

Rect MainWindowLayout::AssignmentHeader() const { return Header(kAssignmentSection); }
Rect MainWindowLayout::MacroHeader() const { return Header(kMacroSection); }
Rect MainWindowLayout::AxisHeader() const { return Header(kAxisSection); }

Point MainWindowLayout::LiftOffHeader() const { return {kColumnLeft, column_.HeaderTop(kLiftOffSection)}; }

Rect MainWindowLayout::AssignmentBox(int row) { return {120, 134 + 20 * row, 250, 150 + 20 * row}; }

Rect MainWindowLayout::RowLabel(int row) { return {31, 136 + 20 * row, 115, 150 + 20 * row}; }

Rect MainWindowLayout::XSlider() const
{
    const int top = AxisHeader().bottom + kXSliderOffset;
    return {kSliderLeft, top, kSliderLeft + kSliderWidth, top + kSliderHeight};
}

Rect MainWindowLayout::YSlider() const
{
    const int top = AxisHeader().bottom + kYSliderOffset;
    return {kSliderLeft, top, kSliderLeft + kSliderWidth, top + kSliderHeight};
}

Point MainWindowLayout::AssignmentBackground() const { return {kColumnLeft, column_.PaneTop(kAssignmentSection)}; }

Point MainWindowLayout::AxisBackground() const { return {AxisHeader().left, AxisHeader().bottom}; }

Point MainWindowLayout::ScaleLabel(int n, int sliderTop) const
{
    return {AxisHeader().left + kScaleFirstOffset + kScaleStep * (n - 1), sliderTop + kScaleBelowSlider};
}

Rect MainWindowLayout::LiftOffOnArea() const
{
    const Point h = LiftOffHeader();
    return {h.x + kLiftOffOnLeft, h.y + kLiftOffTop, h.x + kLiftOffOnRight, h.y + kLiftOffBottom};
}

Rect MainWindowLayout::LiftOffOffArea() const
{
    const Point h = LiftOffHeader();
    return {h.x + kLiftOffOffLeft, h.y + kLiftOffTop, h.x + kLiftOffOffRight, h.y + kLiftOffBottom};
}

std::optional<LiftOffSwitch> MainWindowLayout::LiftOffHit(int x, int y) const
{
    auto inside = [x, y](const Rect& r) { return x >= r.left && x <= r.right && y >= r.top && y <= r.bottom; };
    if (inside(LiftOffOnArea()))
        return LiftOffSwitch::On;
    if (inside(LiftOffOffArea()))
        return LiftOffSwitch::Off;
    return std::nullopt;
}

// The overlays are numbered by row on screen, which is the button's map
// position + 1.
int OverlayNumberOfButtonIndex(int buttonIndex) { return RowOfButtonIndex(buttonIndex); }

const char* MouseBaseImage(MouseView view)
{
    return view == MouseView::Top ? "Skins/Mouse/Front/MouseFront.png" : "Skins/Mouse/Side/MouseSide.png";
}

Point MouseBasePosition(MouseView view) { return view == MouseView::Top ? Point{395, 85} : Point{300, 226}; }

const OverlayImage* MouseOverlays(MouseView view)
{
    return view == MouseView::Top ? kTopOverlays.data() : kSideOverlays.data();
}

std::string OverlayImageName(MouseView view, int number, bool highlighted)
{
    const bool top = view == MouseView::Top;
    std::string name = top ? "/Mouse/Front/F-" : "/Mouse/Side/S-";
    name += std::to_string(number);
    name += highlighted ? "-over.png" : "-normal.png";
    return name;
}

} // namespace lumeno
