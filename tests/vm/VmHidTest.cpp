// The hidraw backend against the real kernel HID stack. Runs as PID 1's child
// in a small VM (see run-vm-test.sh): the firmware model is served through
// /dev/uhid, the kernel makes hidraw nodes of it, and the program side finds
// and drives them through sysfs, hidraw and uevents, as on a real machine.
// The HID contract runs here as the "Hidraw" backend.
#include "../linuxhid/ChildProcess.h"
#include "UhidServer.h"
#include "device/DeviceFixture.h"
#include "support/HidContract.h"

#include "device/CommandSet.h"
#include "device/DeviceChange.h"
#include "device/EventReader.h"
#include "flows/WriteFlows.h"
#include "platform/linux/LinuxHidSystem.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>

namespace lumeno::test {
namespace {

using namespace std::chrono_literals;

LinuxHidSystemOptions KernelOnly()
{
    LinuxHidSystemOptions o; // /sys and /dev of the machine, uevents on
    o.virtualFolder.clear();
    return o;
}

// The mouse served by the kernel, and a program side that finds it.
struct KernelHid : ::testing::Test, ContextFixture {
    KernelHid()
    {
        ctx.device = &link;
        EnsureDataDirectory(ctx);
        hid.SetNoticeCallback(log.Callback());
    }
    ~KernelHid() override
    {
        server.Stop();
        hid.SetNoticeCallback({});
    }
    void Plug()
    {
        std::string error;
        ASSERT_TRUE(server.Start(&error)) << error;
        const auto arrivals = log.Take(HidNoticeKind::Arrival, 2);
        ASSERT_EQ(arrivals.size(), 2u);
        for (const auto& name : arrivals)
            EXPECT_TRUE(PassesDeviceNameFilter(name)) << name;
    }

    VirtualPacer pacer;
    VirtualMouse mouse{{}, &pacer};
    UhidServer server{mouse};
    NoticeLog log;
    LinuxHidSystem hid{KernelOnly()};
    DeviceLink link{hid, pacer, debug};
};

// The hidraw backend of the contract. Start returns once the arrivals of the
// first plug are through; plug changes are done once the server says so.
struct HidrawBackend {
    ~HidrawBackend() { server.Stop(); }
    std::string Start()
    {
        NoticeLog arrivals;
        hid.SetNoticeCallback(arrivals.Callback());
        std::string error;
        const bool started = server.Start(&error);
        const std::size_t arrived = started ? arrivals.Take(HidNoticeKind::Arrival, 2).size() : 0;
        hid.SetNoticeCallback({});
        if (!started)
            return "uhid: " + error;
        return arrived == 2 ? std::string() : "no arrival notices";
    }
    HidSystem& System() { return hid; }
    VirtualMouse& Mouse() { return mouse; }
    void Unplug()
    {
        ActAndWaitForLine(lines, "unplugged", [this] { mouse.Unplug(); });
    }
    void Plug()
    {
        ActAndWaitForLine(lines, "plugged", [this] { mouse.Plug(); });
    }

    VirtualMouse mouse;
    ServerLines lines;
    UhidServer server{mouse, lines.Sink()};
    LinuxHidSystem hid{KernelOnly()};
};

INSTANTIATE_TYPED_TEST_SUITE_P(Hidraw, HidContract, HidrawBackend);

TEST_F(KernelHid, WriteAllReachesTheFirmwareByteForByteAsInProcess)
{
    DeviceRig inProcess;
    PrepareWriteAllImage(inProcess.ctx);
    inProcess.Connect();
    WriteAll(inProcess.ctx);

    Plug();
    PrepareWriteAllImage(ctx);
    ASSERT_TRUE(link.connection.CheckConnection());
    link.state.Clear();
    mouse.ClearTraffic();
    WriteAll(ctx);

    // No time stamps: the kernel queues output reports to uhid and returns,
    // so the model may see a chunk after the (virtual) pause.
    ExpectSameTraffic(mouse.Traffic(), inProcess.mouse.Traffic(), /*compareTimes=*/false);
    // Replies came back unshifted: what the program read equals in-process.
    EXPECT_EQ(link.state.reportRateState, inProcess.link.state.reportRateState);
    EXPECT_EQ(link.state.lightingBlock, inProcess.link.state.lightingBlock);
    EXPECT_EQ(mouse.State().macroBlocks, inProcess.mouse.State().macroBlocks);
}

TEST_F(KernelHid, DpiEventReachesTheEventReader)
{
    Plug();
    ASSERT_TRUE(link.connection.CheckConnection());
    RecordingNoticeSink notices;
    EventReader reader(link.connection, notices);
    reader.Start();
    std::this_thread::sleep_for(100ms); // let the reader start its read
    mouse.SwitchDpiStage(2);
    ASSERT_TRUE(notices.WaitFor(1));
    EXPECT_EQ(notices.Snapshot()[0].kind, DeviceNoticeKind::DpiStageChanged);
    EXPECT_EQ(notices.Snapshot()[0].param, 2);
    reader.Stop();
}

TEST_F(KernelHid, RemovalAndArrivalUeventsReachOnDeviceChange)
{
    Plug();
    InlineUiThread ui;
    RecordingListener listener;
    DeviceSession session(ctx, link, hid, ui, listener);
    ASSERT_TRUE(session.Start());
    // The log takes the notices back, so the test hands them over as they come.
    hid.SetNoticeCallback(log.Callback());

    mouse.Unplug();
    const auto removals = log.Take(HidNoticeKind::Removal, 2);
    ASSERT_EQ(removals.size(), 2u);
    for (const auto& name : removals) {
        EXPECT_NE(name.find("VID_7A1F&PID_2C41"), std::string::npos) << name;
        session.OnDeviceChange(kDeviceRemoveComplete, kDeviceTypeInterface, name);
    }
    EXPECT_FALSE(link.connection.MouseConnected());
    // One announcement; the second interface's notice finds nothing more to say.
    EXPECT_EQ(listener.Snapshot(), (std::vector<std::string>{"gone", "gone quietly"}));

    mouse.Plug();
    const auto arrivals = log.Take(HidNoticeKind::Arrival, 2);
    ASSERT_EQ(arrivals.size(), 2u);
    for (const auto& name : arrivals)
        session.OnDeviceChange(kDeviceArrival, kDeviceTypeInterface, name);
    EXPECT_TRUE(link.connection.MouseConnected());
    EXPECT_EQ(listener.Snapshot(), (std::vector<std::string>{"gone", "gone quietly", "arrived"}));
}

TEST_F(KernelHid, UnplugDuringABlockReadEndsWithinTheTimeOut)
{
    Plug();
    ASSERT_TRUE(link.connection.CheckConnection());
    mouse.SetAnswersInputReads(false); // the chunks never come
    std::thread unplugger([&] {
        std::this_thread::sleep_for(300ms);
        mouse.Unplug();
    });
    std::array<uint8_t, 128> data;
    data.fill(0xEE);
    CommandFrame header = BlockHeader(kGetLightingBlock, 0, 2);
    const auto start = std::chrono::steady_clock::now();
    link.transport.TransferBlock(header, data, BlockDirection::Read, 128);
    const auto took = std::chrono::steady_clock::now() - start;
    unplugger.join();
    EXPECT_LT(took, 2 * kInputReportTimeout);
    EXPECT_EQ(data, (std::array<uint8_t, 128>{})); // failed reads leave zeros
}

TEST(VirtualMouseProgram, ServesRealHidrawNodesThroughUhid)
{
    const char* program = std::getenv("LUMENO_VIRTUAL_MOUSE");
    if (!program)
        GTEST_SKIP() << "LUMENO_VIRTUAL_MOUSE not set";
    NoticeLog log;
    LinuxHidSystem hid{KernelOnly()};
    hid.SetNoticeCallback(log.Callback());

    ChildProcess mouse({program, "--uhid"});
    ASSERT_EQ(mouse.ReadLine().value_or(""), "ready uhid");
    ASSERT_EQ(log.Take(HidNoticeKind::Arrival, 2).size(), 2u);

    ContextFixture f;
    SleepingPacer pacer;
    DeviceLink link{hid, pacer, f.debug};
    ASSERT_TRUE(link.connection.CheckConnection());
    link.transport.SendFrame(CommandFrame::Make(kSetLiftOff, {6}));
    EXPECT_EQ(mouse.ReadLine().value_or(""), "frame SetLiftOff level=6 [0d 06 00 00 00 00 00 ec]");

    mouse.Send("dpi 3");
    EXPECT_TRUE(mouse.WaitForLine("event DpiStageChanged stage=3"));
    uint8_t event[80] = {};
    const auto r = link.connection.EventHandle()->Read(event, 2000ms);
    ASSERT_EQ(r.status, HidReadStatus::Ok);
    EXPECT_EQ(Bytes(event, event + 4), (Bytes{4, 1, 0, 2}));

    mouse.Send("quit");
    EXPECT_TRUE(mouse.WaitForLine("bye"));
    EXPECT_EQ(mouse.Wait(), 0);
    EXPECT_EQ(log.Take(HidNoticeKind::Removal, 2).size(), 2u);
    hid.SetNoticeCallback({});
}

} // namespace
} // namespace lumeno::test
