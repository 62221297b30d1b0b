#include "app/MainWindowLayout.h"
#include "buttons/ButtonMap.h"

#include <gtest/gtest.h>

namespace lumeno {
namespace {

constexpr int kH1 = 150; // height of the button-assignment background
constexpr int kH2 = 170; // height of the axis-sensitivity background

TEST(MainWindowLayout, ButtonAssignmentMovesBothHeadersByItsHeightAndBack)
{
    MainWindowLayout layout(kH1, kH2);
    EXPECT_EQ(layout.MacroHeader(), (Rect{20, 132, 262, 152}));
    EXPECT_EQ(layout.AxisHeader(), (Rect{20, 157, 262, 177}));
    EXPECT_FALSE(layout.AssignmentBoxesVisible());

    EXPECT_EQ(layout.ToggleAssignment(), (Rect{20, 107, 262, 707}));
    EXPECT_TRUE(layout.AssignmentBoxesVisible());
    EXPECT_EQ(layout.MacroHeader(), (Rect{20, 132 + kH1, 262, 152 + kH1}));
    EXPECT_EQ(layout.AxisHeader(), (Rect{20, 157 + kH1, 262, 177 + kH1}));
    EXPECT_EQ(layout.AssignmentHeader(), (Rect{20, 107, 262, 127}));

    layout.ToggleAssignment();
    EXPECT_EQ(layout.MacroHeader(), (Rect{20, 132, 262, 152}));
    EXPECT_EQ(layout.AxisHeader(), (Rect{20, 157, 262, 177}));
}

TEST(MainWindowLayout, AxisSlidersFollowTheirHeader)
{
    MainWindowLayout layout(kH1, kH2);
    EXPECT_EQ(layout.ToggleAxis(), (Rect{20, 107, 262, 727}));
    EXPECT_TRUE(layout.AxisSlidersVisible());
    EXPECT_EQ(layout.XSlider(), (Rect{37, 177 + 25, 37 + 208, 177 + 25 + 9}));
    EXPECT_EQ(layout.YSlider(), (Rect{37, 177 + 85, 37 + 208, 177 + 85 + 9}));
    layout.ToggleAssignment();
    EXPECT_EQ(layout.XSlider().top, 177 + kH1 + 25);
    EXPECT_EQ(layout.YSlider().top, 177 + kH1 + 85);
}

TEST(MainWindowLayout, LiftOffHeaderMovesWithBothSections)
{
    MainWindowLayout layout(kH1, kH2);
    EXPECT_EQ(layout.LiftOffHeader(), (Point{20, 182}));
    layout.ToggleAxis();
    EXPECT_EQ(layout.LiftOffHeader(), (Point{20, 177 + kH2 + 5}));
    layout.ToggleAssignment();
    EXPECT_EQ(layout.LiftOffHeader(), (Point{20, 177 + kH1 + kH2 + 5}));
    layout.CollapseAll();
    EXPECT_EQ(layout.LiftOffHeader(), (Point{20, 182}));
}

struct HitCase {
    bool assignmentExpanded;
    bool axisExpanded;
    int x;
    int y;
    std::optional<LiftOffSwitch> expected;
};

class LiftOffHitTest : public ::testing::TestWithParam<HitCase> {};

TEST_P(LiftOffHitTest, AreasActAtTheirComputedPlaces)
{
    const auto& c = GetParam();
    MainWindowLayout layout(kH1, kH2);
    layout.SetAssignmentExpanded(c.assignmentExpanded);
    layout.SetAxisExpanded(c.axisExpanded);
    EXPECT_EQ(layout.LiftOffHit(c.x, c.y), c.expected) << c.x << "," << c.y;
}

// Collapsed: header at (20,182), ON x 40..51, OFF x 178..189, y 196..247.
INSTANTIATE_TEST_SUITE_P(
    Places, LiftOffHitTest,
    ::testing::Values(HitCase{false, false, 40, 196, LiftOffSwitch::On},
                      HitCase{false, false, 51, 247, LiftOffSwitch::On}, HitCase{false, false, 39, 200, std::nullopt},
                      HitCase{false, false, 52, 200, std::nullopt}, HitCase{false, false, 45, 195, std::nullopt},
                      HitCase{false, false, 45, 248, std::nullopt}, HitCase{false, false, 178, 220, LiftOffSwitch::Off},
                      HitCase{false, false, 189, 247, LiftOffSwitch::Off},
                      HitCase{false, false, 190, 220, std::nullopt}, HitCase{false, false, 100, 220, std::nullopt},
                      // Both sections open: header at (20, 177 + 150 + 170 + 5) = (20, 502).
                      HitCase{true, true, 45, 516, LiftOffSwitch::On}, HitCase{true, true, 45, 220, std::nullopt},
                      HitCase{true, true, 180, 567, LiftOffSwitch::Off}));

TEST(MainWindowLayout, RowsFourAndFiveHoldSwappedButtonIndices)
{
    const int expected[] = {0, 1, 2, 4, 3, 5, 6};
    for (int row = 1; row <= kButtonCount; ++row) {
        EXPECT_EQ(ButtonIndexOfRow(row), expected[row - 1]);
        EXPECT_EQ(RowOfButtonIndex(expected[row - 1]), row);
    }
    EXPECT_EQ(ButtonIndexOfRow(0), -1);
    EXPECT_EQ(RowOfButtonIndex(7), -1);
    EXPECT_EQ(MainWindowLayout::AssignmentBox(1), (Rect{120, 154, 250, 170}));
    EXPECT_EQ(MainWindowLayout::AssignmentBox(7), (Rect{120, 274, 250, 290}));
    EXPECT_EQ(MainWindowLayout::RowLabel(1), (Rect{31, 156, 115, 170}));
    EXPECT_EQ(MainWindowLayout::RowLabel(7), (Rect{31, 276, 115, 290}));
}

TEST(MainWindowLayout, HighlightedButtonLightsTheOverlayOfItsRow)
{
    EXPECT_EQ(OverlayNumberOfButtonIndex(4), 4);
    EXPECT_EQ(OverlayNumberOfButtonIndex(3), 5);
    EXPECT_EQ(OverlayNumberOfButtonIndex(0), 1);
    EXPECT_EQ(OverlayNumberOfButtonIndex(-1), -1);
    EXPECT_EQ(OverlayImageName(MouseView::Top, 4, true), "/Mouse/Front/F-4-over.png");
    EXPECT_EQ(OverlayImageName(MouseView::Side, 5, false), "/Mouse/Side/S-5-normal.png");
    EXPECT_EQ(MouseOverlays(MouseView::Top)[3].position, (Point{350, 247}));
    EXPECT_EQ(MouseOverlays(MouseView::Side)[4].position, (Point{545, 265}));
}

} // namespace
} // namespace lumeno
