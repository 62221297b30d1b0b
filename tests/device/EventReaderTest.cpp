// The event reader: which reports become DPI notices, across unplug and
// re-plug, and that stopping it never hangs.
#include "DeviceFixture.h"

#include "device/DeviceChange.h"
#include "device/DpiNotice.h"
#include "device/EventReader.h"

#include <cstring>

namespace lumeno::test {
namespace {

struct EventReaderTest : DeviceFixture {
    EventReaderTest()
    {
        LoadFactoryDefaults(ctx.image);
        TakeSnapshot(ctx.image, ctx.snapshot);
        EXPECT_TRUE(session.Start());
    }
    // Waits for the next DPI notice and gives its stage.
    int NextStage()
    {
        for (;;) {
            if (!listener.WaitFor(consumed + 1))
                return -1;
            const std::string call = listener.Snapshot()[consumed++];
            if (call.starts_with("dpi "))
                return std::stoi(call.substr(4));
        }
    }
    size_t DpiNotices()
    {
        size_t n = 0;
        for (const auto& call : listener.Snapshot())
            n += call.starts_with("dpi ");
        return n;
    }
    void Send(std::initializer_list<uint8_t> report)
    {
        Bytes bytes(report);
        bytes.resize(8, 0);
        mouse.SendEventReport(bytes);
    }

    InlineUiThread ui;
    RecordingListener listener;
    DeviceSession session{ctx, link, hid, ui, listener};
    size_t consumed = 0;
};

TEST_F(EventReaderTest, OnlyDpiStageReportsBecomeNotices)
{
    Send({0x04, 0x02, 0x00, 0x03});
    Send({0x05, 0x01, 0x00, 0x04});
    Send({0x04, 0x01, 0x7E, 0x02});
    EXPECT_EQ(NextStage(), 2); // the two before it produced nothing
    mouse.PressDpiButton();    // from stage 2 to the next enabled one
    EXPECT_EQ(NextStage(), 3);
    EXPECT_EQ(DpiNotices(), 2u);
}

TEST_F(EventReaderTest, NoticesComeBackAfterUnplugAndReplug)
{
    mouse.SwitchDpiStage(1);
    EXPECT_EQ(NextStage(), 1);
    mouse.Unplug();
    EXPECT_FALSE(link.connection.MouseConnected());
    mouse.Plug();
    EXPECT_TRUE(link.connection.MouseConnected());
    mouse.SwitchDpiStage(6);
    EXPECT_EQ(NextStage(), 6);
    // Twice more, to be sure the reader did not just get lucky once.
    mouse.Unplug();
    mouse.Plug();
    mouse.SwitchDpiStage(0);
    EXPECT_EQ(NextStage(), 0);
}

TEST_F(EventReaderTest, NoticeChangesNothingInTheImage)
{
    ConfigImage before = ctx.image;
    mouse.SwitchDpiStage(5);
    EXPECT_EQ(NextStage(), 5);
    EXPECT_EQ(std::memcmp(&before, &ctx.image, kConfigImageSize), 0);
}

TEST(EventReaderStopTest, StopDoesNotWaitForAnUnhandledNotice)
{
    DeviceRig f;
    f.Connect();
    RecordingNoticeSink notices;
    notices.autoHandle = false;
    EventReader reader(f.link.connection, notices);
    reader.Start();
    f.mouse.SwitchDpiStage(4);
    ASSERT_TRUE(notices.WaitFor(1));
    reader.Stop(); // the UI thread is the one stopping: it will never handle it
    EXPECT_FALSE(reader.Started());
    // Handling the notice late, after the reader is gone, is harmless.
    for (auto& handled : notices.pending)
        handled();
}

TEST(EventReaderStopTest, StopEndsAPendingReadAndAnIdleWait)
{
    DeviceRig f;
    RecordingNoticeSink notices;
    {
        EventReader idle(f.link.connection, notices); // no mouse connected: waits for a wake
        idle.Start();
    }
    f.Connect();
    EventReader reading(f.link.connection, notices);
    reading.Start();
    reading.Wake();
    reading.Stop(); // returns: the read is cancelled
    EXPECT_TRUE(notices.Snapshot().empty());
}

TEST(DpiNoticeTextTest, NamesTheStageAndItsDpiFromTheSnapshot)
{
    std::array<std::string, kNoticeStages> texts;
    for (int s = 0; s < kNoticeStages; ++s)
        texts[size_t(s)] = "Stage " + std::to_string(s + 1) + " ";
    ConfigSnapshot snapshot{};
    LoadFactoryDefaults(snapshot);

    EXPECT_EQ(DpiNoticeText(texts, snapshot, 2), "Stage 3 (2400)");
    EXPECT_EQ(DpiNoticeText(texts, snapshot, 7), "Stage 8 (0)"); // the stage-8 slot has no default
    snapshot.dpiCode100[7] = 160;
    EXPECT_EQ(DpiNoticeText(texts, snapshot, 7), "Stage 8 (16000)");
    EXPECT_EQ(DpiNoticeText(texts, snapshot, 8), std::nullopt);
    EXPECT_EQ(DpiNoticeText(texts, snapshot, -1), std::nullopt);
}

} // namespace
} // namespace lumeno::test
