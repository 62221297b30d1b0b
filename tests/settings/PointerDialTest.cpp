// The dial's click rule: where a click lands, which level it gives.
#include "settings/PointerDial.h"

#include <gtest/gtest.h>

#include <cmath>

namespace lumeno {
namespace {

// A point on the ring's middle (r = 57) at g degrees from the right end.
struct RingPoint {
    int x, y;
};
RingPoint OnRing(double degrees)
{
    const double radians = degrees / 57.29578;
    return {kDialCentreX + int(std::lround(57 * std::cos(radians))),
            kDialCentreY - int(std::lround(57 * std::sin(radians)))};
}

struct LevelCase {
    double degrees;
    int level;
};

class DialBands : public ::testing::TestWithParam<LevelCase> {};

TEST_P(DialBands, AngleOnTheRingGivesItsLevel)
{
    const auto [x, y] = OnRing(GetParam().degrees);
    const DialClick click = ClickDial(x, y, 6);
    EXPECT_FALSE(click.ignored);
    EXPECT_TRUE(click.onRing);
    EXPECT_EQ(click.level, GetParam().level) << GetParam().degrees << " degrees";
}

// Each 18-degree band from the right end is one level less; 162..175 gives
// 2, the left-most 5 degrees give 1.
INSTANTIATE_TEST_SUITE_P(Bands, DialBands,
                         ::testing::Values(LevelCase{1, 11}, LevelCase{17, 11}, LevelCase{19, 10}, LevelCase{35, 10},
                                           LevelCase{37, 9}, LevelCase{55, 8}, LevelCase{73, 7}, LevelCase{89, 7},
                                           LevelCase{90, 7}, LevelCase{91, 6}, LevelCase{109, 5}, LevelCase{127, 4},
                                           LevelCase{145, 3}, LevelCase{163, 2}, LevelCase{173, 2}, LevelCase{176, 1},
                                           LevelCase{180, 1}));

TEST(PointerDial, FarEndsGiveOneAndEleven)
{
    // The ends of the ring on the centre line itself.
    EXPECT_EQ(ClickDial(kDialCentreX - 60, kDialCentreY, 6).level, 1);
    EXPECT_EQ(ClickDial(kDialCentreX + 60, kDialCentreY, 6).level, 11);
    // A click at 175 degrees or more counts as the far left.
    const auto [x, y] = OnRing(177);
    EXPECT_DOUBLE_EQ(ClickDial(x, y, 6).angle, 185);
}

TEST(PointerDial, BelowTheCentreIsIgnored)
{
    const DialClick click = ClickDial(kDialCentreX + 50, kDialCentreY + 1, 4);
    EXPECT_TRUE(click.ignored);
    EXPECT_EQ(click.level, 4);
}

struct OffRingCase {
    int x, y;
};
class DialOffRing : public ::testing::TestWithParam<OffRingCase> {};

TEST_P(DialOffRing, KeepsTheLevelButIsNotIgnored)
{
    const DialClick click = ClickDial(GetParam().x, GetParam().y, 8);
    EXPECT_FALSE(click.ignored);
    EXPECT_FALSE(click.onRing);
    EXPECT_EQ(click.level, 8);
}

INSTANTIATE_TEST_SUITE_P(InnerAndOuter, DialOffRing,
                         ::testing::Values(OffRingCase{kDialCentreX, kDialCentreY},           // the centre
                                           OffRingCase{kDialCentreX, kDialCentreY - 42},      // just inside
                                           OffRingCase{kDialCentreX, kDialCentreY - 72},      // just outside
                                           OffRingCase{kDialCentreX - 70, kDialCentreY - 70}, // a corner
                                           OffRingCase{0, 0}));

TEST(PointerDial, RingEdgesCount)
{
    EXPECT_TRUE(ClickDial(kDialCentreX, kDialCentreY - 43, 1).onRing);
    EXPECT_TRUE(ClickDial(kDialCentreX, kDialCentreY - 71, 1).onRing);
}

} // namespace
} // namespace lumeno
