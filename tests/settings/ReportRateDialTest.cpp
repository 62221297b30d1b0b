#include "settings/ReportRateDial.h"
#include "config/ConfigImage.h"
#include "settings/AngleSnapChoice.h"

#include <gtest/gtest.h>

namespace lumeno {
namespace {

struct DialCase {
    const char* where;
    int dx, dy; // from the dial's centre (121,66)
    bool onRing;
    uint8_t code; // from a current code of 4 (250 Hz)
};

TEST(ReportRateDial, ClicksMapToTheirQuadrantOnlyOnTheRing)
{
    const DialCase cases[] = {
        {"upper right", 30, -30, true, kRate1000Hz},   {"upper left", -30, -30, true, kRate125Hz},
        {"lower left", -30, 30, true, kRate250Hz},     {"lower right", 30, 30, true, kRate500Hz},
        {"straight above (dx = 0)", 0, -50, true, 4},  {"straight below (dx = 0)", 0, 50, true, 4},
        {"level right (dy = 0)", 50, 0, true, 4},      {"level left (dy = 0)", -50, 0, true, 4},
        {"inner edge 35", 21, -28, true, kRate1000Hz}, {"outer edge 64", 0, 64, true, 4},
        {"inside the ring", 10, -10, false, 4},        {"just inside 34.1", 3, -34, false, 4},
        {"outside the ring", 60, -60, false, 4},       {"just outside 64.03", -2, -64, false, 4},
    };
    for (const auto& c : cases) {
        const RateDialClick click = ClickRateDial(kRateDialCentreX + c.dx, kRateDialCentreY + c.dy, 4);
        EXPECT_EQ(click.onRing, c.onRing) << c.where;
        EXPECT_EQ(click.code, c.code) << c.where;
    }
    EXPECT_EQ(kRateDialCentreX, 121);
    EXPECT_EQ(kRateDialCentreY, 66);
}

TEST(ReportRateDial, ImagesFollowTheRateAndAStoredZeroShowsFiveHundred)
{
    EXPECT_EQ(RateDialCode(0), kRate500Hz);
    EXPECT_EQ(RateDialCode(8), kRate125Hz);
    EXPECT_EQ(RateDialImageName(1), "Skins\\/USBReportRate/1000HZ.png");
    EXPECT_EQ(RateDialImageName(2), "Skins\\/USBReportRate/500HZ.png");
    EXPECT_EQ(RateDialImageName(4), "Skins\\/USBReportRate/250HZ.png");
    EXPECT_EQ(RateDialImageName(8), "Skins\\/USBReportRate/125HZ.png");
    EXPECT_EQ(RateDialImageName(0), "Skins\\/USBReportRate/500HZ.png");
}

TEST(AngleSnap, RadiosStoreOnAndOffAndOtherClicksNothing)
{
    ConfigImage image{};
    EXPECT_TRUE(ClickAngleSnap(image, 25, 30));
    EXPECT_EQ(image.angleSnapEnabled, 1);
    EXPECT_FALSE(ClickAngleSnap(image, 80, 35));
    EXPECT_EQ(image.angleSnapEnabled, 1);
    EXPECT_FALSE(ClickAngleSnap(image, 35, 35)) << "the right edge is outside";
    EXPECT_TRUE(ClickAngleSnap(image, 149, 39));
    EXPECT_EQ(image.angleSnapEnabled, 0);
}

} // namespace
} // namespace lumeno
