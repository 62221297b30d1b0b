// The KDE backend with plain file writes into a private config folder and a
// recorded notice instead of the session bus.
#include "platform/linux/KdePointerSink.h"
#include "platform/linux/KConfigFile.h"
#include "support/RecordingPointerSink.h"
#include "support/TestContext.h"

#include <gtest/gtest.h>

namespace lumeno {
namespace {

struct KdeSinkTest : ::testing::Test {
    KdeSinkSetup Setup(bool wayland)
    {
        KdeSinkSetup setup;
        setup.configHome = tmp.path();
        setup.wayland = wayland;
        setup.notify = [this](int type, int category) {
            notices.push_back({type, category});
            return busUp;
        };
        setup.x11 = wayland ? nullptr : &x11;
        return setup;
    }
    std::string Globals(const char* key) { return ReadKConfigEntry(tmp.path() / "kdeglobals", {"KDE"}, key); }
    std::string Input(const KConfigGroup& group, const char* key)
    {
        return ReadKConfigEntry(tmp.path() / "kcminputrc", group, key);
    }

    test::TempDir tmp;
    test::RecordingPointerSink x11;
    std::vector<std::pair<int, int>> notices;
    bool busUp = true;
};

TEST_F(KdeSinkTest, WheelAndDoubleClickGoToKdeglobalsAndPlasmaIsTold)
{
    test::WriteFileBytes(tmp.path() / "kdeglobals", "[General]\nColorScheme=Breeze\n\n[KDE]\nSingleClick=false\n");
    KdePointerSink kde(Setup(false));
    EXPECT_TRUE(kde.SetWheelLines(7).ok);
    EXPECT_TRUE(kde.SetDoubleClickTime(200).ok);
    EXPECT_EQ(Globals("WheelScrollLines"), "7");
    EXPECT_EQ(Globals("DoubleClickInterval"), "200");
    EXPECT_EQ(test::ReadFileBytes(tmp.path() / "kdeglobals"),
              "[General]\nColorScheme=Breeze\n\n[KDE]\nSingleClick=false\nWheelScrollLines=7\n"
              "DoubleClickInterval=200\n");
    EXPECT_EQ(notices, (std::vector<std::pair<int, int>>{{3, 0}, {3, 0}}));
}

TEST_F(KdeSinkTest, OneScreenPerNotchIsRefused)
{
    KdePointerSink kde(Setup(false));
    const auto result = kde.SetWheelLines(kWheelOneScreen);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(std::filesystem::exists(tmp.path() / "kdeglobals"));
}

TEST_F(KdeSinkTest, WithoutASessionBusTheWriteStandsButIsReported)
{
    busUp = false;
    KdePointerSink kde(Setup(false));
    const auto result = kde.SetDoubleClickTime(550);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.reason.find("session bus"), std::string::npos);
    EXPECT_EQ(Globals("DoubleClickInterval"), "550");
}

TEST_F(KdeSinkTest, OnX11SpeedAndPrecisionGoToKcminputrcAndTheXServer)
{
    KdePointerSink kde(Setup(false));
    EXPECT_TRUE(kde.SetSpeed(20).ok);
    EXPECT_TRUE(kde.SetPrecision(false).ok);
    EXPECT_EQ(Input({"Mouse"}, "XLbInptPointerAcceleration"), "1.000");
    EXPECT_EQ(Input({"Mouse"}, "XLbInptAccelProfileFlat"), "true");
    EXPECT_EQ(x11.calls, (std::vector<std::string>{"speed=20", "precision=0"}));
    kde.SetSpeed(1);
    EXPECT_EQ(Input({"Mouse"}, "XLbInptPointerAcceleration"), "-0.900");
}

TEST_F(KdeSinkTest, OnWaylandEveryRecordedDeviceIsWritten)
{
    const KConfigGroup mouse{"Libinput", "1133", "16505", "Logitech G Pro"};
    const KConfigGroup pad{"Libinput", "1739", "52781", "Touchpad"};
    test::WriteFileBytes(tmp.path() / "kcminputrc", "[Libinput][1133][16505][Logitech G Pro]\nNaturalScroll=false\n\n"
                                                    "[Libinput][1739][52781][Touchpad]\nTapToClick=true\n");
    KdePointerSink kde(Setup(true));
    EXPECT_TRUE(kde.SetSpeed(10).ok);
    EXPECT_TRUE(kde.SetPrecision(true).ok);
    for (const auto& device : {mouse, pad}) {
        EXPECT_EQ(Input(device, "PointerAcceleration"), "0.000");
        EXPECT_EQ(Input(device, "PointerAccelerationProfile"), "2");
    }
    EXPECT_EQ(Input(mouse, "NaturalScroll"), "false");
}

TEST_F(KdeSinkTest, OnWaylandWithoutRecordedDevicesSpeedIsRefused)
{
    KdePointerSink kde(Setup(true));
    const auto result = kde.SetSpeed(10);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.reason.find("per device"), std::string::npos);
}

TEST(KConfigFile, WritesIntoTheRightGroupAndKeepsTheRest)
{
    test::TempDir tmp;
    const auto file = tmp.path() / "sub" / "rc";
    EXPECT_TRUE(WriteKConfigEntry(file, {"A"}, "k", "1"));
    EXPECT_TRUE(WriteKConfigEntry(file, {"B", "x"}, "k", "2"));
    EXPECT_TRUE(WriteKConfigEntry(file, {"A"}, "k", "3"));
    EXPECT_TRUE(WriteKConfigEntry(file, {"A"}, "m", "4"));
    EXPECT_EQ(test::ReadFileBytes(file), "[A]\nk=3\nm=4\n\n[B][x]\nk=2\n");
    EXPECT_EQ(KConfigGroups(file), (std::vector<KConfigGroup>{{"A"}, {"B", "x"}}));
}

} // namespace
} // namespace lumeno
