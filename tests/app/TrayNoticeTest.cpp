#include "app/TrayNotice.h"
#include "ui/UiText.h"

#include <gtest/gtest.h>

namespace lumeno {
namespace {

struct TrayNoticeTest : ::testing::Test {
    TrayNoticeTest()
    {
        FillUiText(english, "EN");
        FillUiText(chinese, "CHS");
        LoadFactoryDefaults(snapshot);
    }
    UiText english;
    UiText chinese;
    ConfigSnapshot snapshot{};
};

TEST_F(TrayNoticeTest, DpiStageNamesTheStageAndItsSnapshotDpi)
{
    snapshot.dpiCode100[2] = 16;
    const auto balloon = BalloonForNotice(1, 2, english, snapshot);
    ASSERT_TRUE(balloon);
    EXPECT_EQ(balloon->title, "Info");
    EXPECT_EQ(balloon->text, "Switch DPI into the third stage (1600)");
    EXPECT_EQ(balloon->timeoutMs, 5000);

    const auto localised = BalloonForNotice(1, 0, chinese, snapshot);
    EXPECT_EQ(localised->text, "DPI切换到第一段 (" + std::to_string(snapshot.dpiCode100[0] * 100) + ")");
}

TEST_F(TrayNoticeTest, StageEightReadsTheUnsetSlot)
{
    snapshot.dpiCode100[7] = 0;
    EXPECT_EQ(BalloonForNotice(1, 7, english, snapshot)->text, "Switch DPI into the eight stage (0)");
}

TEST_F(TrayNoticeTest, StageOutOfRangeKeepsThePreviousText)
{
    for (int stage : {8, 255, -1}) {
        const auto balloon = BalloonForNotice(1, stage, english, snapshot);
        ASSERT_TRUE(balloon);
        EXPECT_FALSE(balloon->text.has_value()) << stage;
        EXPECT_EQ(balloon->title, "Info");
        EXPECT_EQ(balloon->timeoutMs, 5000);
    }
}

TEST_F(TrayNoticeTest, ConnectionNoticesUseShortTimeouts)
{
    const auto found = BalloonForNotice(14, 0, english, snapshot);
    EXPECT_EQ(found->title, "Info");
    EXPECT_EQ(found->text, "The system detect Lumeno-KV580 Pro.");
    EXPECT_EQ(found->timeoutMs, 100);
    const auto gone = BalloonForNotice(15, 0, chinese, snapshot);
    EXPECT_EQ(gone->title, "Warning");
    EXPECT_EQ(gone->text, "系统没有检测到Lumeno-KV580 Pro鼠标！");
    EXPECT_EQ(gone->timeoutMs, 100);
}

TEST_F(TrayNoticeTest, OtherKindsAreIgnored)
{
    for (int kind : {0, 2, 13, 16, 0x7F2})
        EXPECT_FALSE(BalloonForNotice(kind, 0, english, snapshot)) << kind;
}

} // namespace
} // namespace lumeno
