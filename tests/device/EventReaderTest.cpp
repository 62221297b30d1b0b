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
        EXPECT_TRUE(StartDeviceLink(ctx, link, reader));
        hid.SetNoticeCallback([this](HidNoticeKind kind, const std::string& name) {
            handler.OnHidNotice(kind, name);
        });
    }
    ~EventReaderTest() override
    {
        hid.SetNoticeCallback({});
        reader.Stop();
    }
    // Waits for the next DPI notice and gives its stage.
    int NextStage()
    {
        for (;;) {
            if (!notices.WaitFor(consumed + 1))
                return -1;
            const auto n = notices.Snapshot()[consumed++];
            if (n.kind == DeviceNoticeKind::DpiStageChanged)
                return n.param;
        }
    }
    void Send(std::initializer_list<uint8_t> report)
    {
        Bytes bytes(report);
        bytes.resize(8, 0);
        mouse.SendEventReport(bytes);
    }

    RecordingNoticeSink notices;
    EventReader reader{link.connection, notices};
    RecordingView view;
    DeviceChangeHandler handler{ctx, link, reader, view, notices};
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
    EXPECT_EQ(notices.Snapshot().size(), 2u);
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

TEST_F(EventReaderTest, StopDoesNotWaitForAnUnhandledNotice)
{
    notices.autoHandle = false;
    mouse.SwitchDpiStage(4);
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
