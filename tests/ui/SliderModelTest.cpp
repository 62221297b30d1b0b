#include "ui/SliderModel.h"

#include <gtest/gtest.h>

namespace lumeno {
namespace {

// The DPI stage slider: 1..120 over 170 px at (25,3)-(32,173).
SliderModel DpiSlider()
{
    SliderModel m(SliderOrientation::Vertical, SliderRect{25, 3, 32, 173});
    m.SetRange(1, 120);
    return m;
}

// A lighting level slider: 1..6 over 128 px at (100,20)-(228,28).
SliderModel LevelSlider()
{
    SliderModel m(SliderOrientation::Horizontal, SliderRect{100, 20, 228, 28});
    m.SetRange(1, 6);
    return m;
}

TEST(SliderModel, VerticalPositionsAlongTheTrack)
{
    const SliderModel m = DpiSlider();
    const struct {
        int y, pos;
    } cases[] = {{173, 1}, {172, 1}, {171, 2}, {88, 60}, {4, 119}, {3, 120}, {-50, 120}, {400, 1}};
    for (const auto& c : cases)
        EXPECT_EQ(m.PositionAt(c.y), c.pos) << "y=" << c.y;
}

TEST(SliderModel, HorizontalReachesTheMaximumOnlyAtTheRightEdge)
{
    const SliderModel m = LevelSlider();
    const struct {
        int x, pos;
    } cases[] = {{0, 1}, {100, 1}, {125, 1}, {126, 2}, {227, 5}, {228, 6}, {500, 6}};
    for (const auto& c : cases)
        EXPECT_EQ(m.PositionAt(c.x), c.pos) << "x=" << c.x;
}

TEST(SliderModel, FilledTrackIsFullOneStepBeforeTheMaximum)
{
    SliderModel m = LevelSlider();
    const int expected[] = {0, 32, 64, 96, 128, 128};
    for (int level = 1; level <= 6; ++level) {
        m.SetPos(level);
        EXPECT_EQ(m.FilledExtent(), expected[level - 1]) << "level " << level;
    }
    SliderModel v = DpiSlider();
    v.SetPos(120);
    EXPECT_EQ(v.FilledExtent(), 170);
    v.SetPos(60);
    EXPECT_EQ(v.FilledExtent(), 170 * 59 / 118);
}

TEST(SliderModel, DragAndReleaseBelowTheTrackGivesTheMinimum)
{
    SliderModel m = DpiSlider();
    m.SetPos(80);
    ASSERT_TRUE(m.Press());
    EXPECT_TRUE(m.Dragging());
    EXPECT_TRUE(m.Move(3));
    EXPECT_EQ(m.Pos(), 120);
    EXPECT_EQ(m.Release(260), std::optional<int>(1));
    EXPECT_FALSE(m.Dragging());
    EXPECT_EQ(m.Release(3), std::nullopt); // no drag, nothing to announce
}

TEST(SliderModel, DisabledSliderIgnoresTheMouse)
{
    SliderModel m = LevelSlider();
    m.SetPos(3);
    m.SetEnabled(false);
    EXPECT_FALSE(m.Press());
    EXPECT_FALSE(m.Move(228));
    EXPECT_EQ(m.Release(228), std::nullopt);
    EXPECT_EQ(m.Pos(), 3);
}

TEST(SliderModel, SetPosClampsAndTheRefreshFormFallsToTheMinimum)
{
    SliderModel m = LevelSlider();
    m.SetPos(0);
    EXPECT_EQ(m.Pos(), 1);
    m.SetPos(9);
    EXPECT_EQ(m.Pos(), 6);
    m.SetPosOrMinimum(9);
    EXPECT_EQ(m.Pos(), 1);
    m.SetPosOrMinimum(4);
    EXPECT_EQ(m.Pos(), 4);
}

TEST(SliderModel, DegenerateRangesAndSizesDoNotDivideByZero)
{
    SliderModel two(SliderOrientation::Horizontal, SliderRect{0, 0, 50, 8});
    two.SetRange(0, 1);
    two.SetPos(1);
    EXPECT_EQ(two.FilledExtent(), 50);
    two.SetRange(5, 5);
    EXPECT_EQ(two.FilledExtent(), 0);
    EXPECT_EQ(two.PositionAt(40), 5);
    SliderModel flat(SliderOrientation::Vertical, SliderRect{0, 10, 7, 10});
    flat.SetRange(1, 120);
    EXPECT_EQ(flat.PositionAt(10), 1);
    EXPECT_EQ(flat.FilledExtent(), 0);
}

} // namespace
} // namespace lumeno
