// ApplyPointerSettings over a recording desktop: the mapping to the
// operating system's values, the order and diagnostic lines of the four
// settings, and the marker rule that keeps a desktop's own settings until
// the user sets pointer values in this program.
#include "flows/PointerSettings.h"
#include "config/ConfigFiles.h"
#include "config/ProfileSettings.h"
#include "flows/FlowRouter.h"
#include "flows/ProfileLoad.h"
#include "flows/WriteFlows.h"
#include "support/RecordingPointerSink.h"
#include "support/TestContext.h"

#include <gtest/gtest.h>

namespace lumeno {
namespace {

using test::RecordingPointerSink;

ConfigImage Defaults()
{
    ConfigImage image{};
    LoadFactoryDefaults(image);
    return image;
}

struct SpeedCase {
    int level, os;
};
class SpeedMapping : public ::testing::TestWithParam<SpeedCase> {};
TEST_P(SpeedMapping, LevelToOperatingSystemSpeed)
{
    ConfigImage image = Defaults();
    image.pointerSpeedLevel = uint8_t(GetParam().level);
    EXPECT_EQ(PointerOsValuesOf(image).speed, GetParam().os);
}
INSTANTIATE_TEST_SUITE_P(Levels, SpeedMapping,
                         ::testing::Values(SpeedCase{1, 1}, SpeedCase{2, 2}, SpeedCase{6, 10}, SpeedCase{10, 18},
                                           SpeedCase{11, 20}));

struct DoubleClickCase {
    int level, ms;
};
class DoubleClickMapping : public ::testing::TestWithParam<DoubleClickCase> {};
TEST_P(DoubleClickMapping, LevelToMilliseconds)
{
    ConfigImage image = Defaults();
    image.doubleClickLevel = uint8_t(GetParam().level);
    EXPECT_EQ(PointerOsValuesOf(image).doubleClickMs, GetParam().ms);
}
INSTANTIATE_TEST_SUITE_P(Levels, DoubleClickMapping,
                         ::testing::Values(DoubleClickCase{1, 900}, DoubleClickCase{6, 550}, DoubleClickCase{11, 200}));

TEST(PointerMapping, DefaultImageTurnsPrecisionOffAndScrollsThreeLines)
{
    const PointerOsValues values = PointerOsValuesOf(Defaults());
    EXPECT_EQ(values, (PointerOsValues{false, 10, 3, 550}));
}

TEST(PointerMapping, PrecisionIsOnForOneOnly)
{
    ConfigImage image = Defaults();
    for (int stored : {0, 2, 255}) {
        image.pointerPrecision = uint8_t(stored);
        EXPECT_FALSE(PointerOsValuesOf(image).precision) << stored;
    }
    image.pointerPrecision = 1;
    EXPECT_TRUE(PointerOsValuesOf(image).precision);
}

TEST(PointerMapping, PageModeSendsOneScreen)
{
    ConfigImage image = Defaults();
    image.wheelPageMode = 1;
    image.wheelLines = 12;
    EXPECT_EQ(PointerOsValuesOf(image).wheelLines, kWheelOneScreen);
    EXPECT_EQ(kWheelOneScreen, -1);
}

struct DesktopScaleCase {
    int speed;
    double desktop;
};
class DesktopScale : public ::testing::TestWithParam<DesktopScaleCase> {};
TEST_P(DesktopScale, SpeedOntoLibinputScale) { EXPECT_DOUBLE_EQ(DesktopSpeed(GetParam().speed), GetParam().desktop); }
INSTANTIATE_TEST_SUITE_P(Speeds, DesktopScale,
                         ::testing::Values(DesktopScaleCase{1, -0.9}, DesktopScaleCase{2, -0.8},
                                           DesktopScaleCase{10, 0.0}, DesktopScaleCase{20, 1.0}));

TEST(PointerMapping, PrecisionOntoDesktopProfilesAndXControl)
{
    EXPECT_EQ(DesktopAccelProfile(true), "adaptive");
    EXPECT_EQ(DesktopAccelProfile(false), "flat");
    EXPECT_EQ(XPointerControlOf(true), (XPointerControl{2, 1, 6}));
    EXPECT_EQ(XPointerControlOf(false), (XPointerControl{1, 1, 0}));
}

// A started program with its data folder, its first profile loaded and a
// recording desktop.
struct PointerApplyTest : ::testing::Test {
    void SetUp() override
    {
        ASSERT_TRUE(RunStartupFileSteps(f.ctx, "EN"));
        f.ctx.pointerSettings = &applier;
    }
    std::string Marker() { return f.ctx.ini.ReadString(f.ctx.paths.currentSettingsFile, "Profile", "PointerSettings"); }

    test::ContextFixture f;
    RecordingPointerSink sink;
    SinkPointerSettings applier{sink, f.debug};
};

TEST_F(PointerApplyTest, FirstStartLeavesTheDesktopAlone)
{
    ApplyPointerSettings(f.ctx);
    EXPECT_TRUE(sink.calls.empty());
    EXPECT_EQ(Marker(), "");
}

TEST_F(PointerApplyTest, AProfileSwitchedToWithoutTheMarkerIsNotApplied)
{
    MarkPointerSettings(f.ctx);
    f.ctx.paths.currentSettingsFile = f.dataDir / "str3.ini"; // another profile, never set
    ApplyPointerSettings(f.ctx);
    EXPECT_TRUE(sink.calls.empty());
}

TEST_F(PointerApplyTest, PaneChangeMarksAppliesAndSaves)
{
    f.ctx.image.pointerSpeedLevel = 11;
    const FlowResult result = ApplyGroupNow(ApplyGroup::Pointer, f.ctx);
    EXPECT_TRUE(result.saved);
    EXPECT_EQ(sink.calls, (std::vector<std::string>{"precision=0", "speed=20", "wheel=3", "double-click=550"}));
    EXPECT_EQ(Marker(), "Y");
    // The change is in the profile's file: a fresh load finds it.
    f.ctx.image.pointerSpeedLevel = 6;
    LoadProfile(f.ctx);
    EXPECT_EQ(f.ctx.image.pointerSpeedLevel, 11);

    // From now on every start applies the profile.
    sink.calls.clear();
    ApplyPointerSettings(f.ctx);
    EXPECT_EQ(sink.calls.size(), 4u);
}

TEST_F(PointerApplyTest, FactoryResetAppliesTheDefaultsAndMarks)
{
    f.ctx.image.pointerPrecision = 1;
    f.ctx.image.doubleClickLevel = 11;
    FactoryReset(f.ctx);
    EXPECT_EQ(sink.calls, (std::vector<std::string>{"precision=0", "speed=10", "wheel=3", "double-click=550"}));
    EXPECT_EQ(Marker(), "Y");
}

TEST_F(PointerApplyTest, RefusalsWriteTheirLinesAndDoNotStopTheNext)
{
    MarkPointerSettings(f.ctx);
    sink.refuse = {"precision", "speed", "wheel", "double-click"};
    f.ctx.image.wheelPageMode = 1;
    f.debug.lines.clear();
    ApplyPointerSettings(f.ctx);
    EXPECT_EQ(sink.calls, (std::vector<std::string>{"precision=0", "speed=10", "wheel=-1", "double-click=550"}));
    ASSERT_EQ(f.debug.lines.size(), 9u);
    EXPECT_TRUE(f.debug.lines.back().starts_with("Pointer settings sent to recording in "));
    f.debug.lines.pop_back();
    EXPECT_EQ(f.debug.lines, (std::vector<std::string>{
                                 "SETMOUSE failed.\n",
                                 "recording: precision refused by the test\n",
                                 "SETMOUSESPEED failed.\n",
                                 "recording: speed refused by the test\n",
                                 "SETWHEELSCROLLLINES failed.\n",
                                 "recording: wheel refused by the test\n",
                                 "SPI_SETDOUBLECLICKTIME failed.\n",
                                 "recording: double-click refused by the test\n",
                             }));
    EXPECT_FALSE(applier.WheelSettingApplied());
}

TEST_F(PointerApplyTest, WheelSettingAppliedFollowsTheLastApply)
{
    MarkPointerSettings(f.ctx);
    ApplyPointerSettings(f.ctx);
    EXPECT_TRUE(applier.WheelSettingApplied());
    sink.refuse = {"wheel"};
    ApplyPointerSettings(f.ctx);
    EXPECT_FALSE(applier.WheelSettingApplied());
}

TEST_F(PointerApplyTest, TheRunnerDecidesWhereTheDesktopIsCalled)
{
    std::vector<std::function<void()>> handedOver;
    SinkPointerSettings posted(sink, f.debug, [&](std::function<void()> task) { handedOver.push_back(task); });
    f.ctx.pointerSettings = &posted;
    MarkPointerSettings(f.ctx);
    f.ctx.image.pointerSpeedLevel = 2;
    ApplyPointerSettings(f.ctx);
    f.ctx.image.pointerSpeedLevel = 11; // later changes do not leak into the handed-over values
    ASSERT_EQ(handedOver.size(), 1u);
    EXPECT_TRUE(sink.calls.empty());
    handedOver[0]();
    EXPECT_EQ(sink.calls[1], "speed=2");
}

} // namespace
} // namespace lumeno
