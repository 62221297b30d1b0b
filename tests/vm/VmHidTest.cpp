// The hidraw backend against the real kernel HID stack. Runs as PID 1's child
// in a small VM (see run-vm-test.sh): the firmware model is served through
// /dev/uhid, the kernel makes hidraw nodes of it, and the program side finds
// and drives them through sysfs, hidraw and uevents, as on a real machine.
#include "../linuxhid/ChildProcess.h"
#include "UhidServer.h"
#include "device/DeviceFixture.h"

#include "device/CommandSet.h"
#include "device/DeviceChange.h"
#include "device/EventReader.h"
#include "flows/WriteFlows.h"
#include "platform/linux/LinuxHidSystem.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <cstdlib>
#include <thread>

namespace lumeno::test {
namespace {

using namespace std::chrono_literals;

struct NoticeLog {
    void Add(HidNoticeKind kind, const std::string& name)
    {
        std::lock_guard lock(mutex);
        notices.emplace_back(kind, name);
        changed.notify_all();
    }
    // Waits (bounded) until count notices of kind have come; takes them all.
    std::vector<std::string> Take(HidNoticeKind kind, std::size_t count)
    {
        std::unique_lock lock(mutex);
        auto matching = [&] {
            std::vector<std::string> names;
            for (const auto& [k, n] : notices)
                if (k == kind)
                    names.push_back(n);
            return names;
        };
        changed.wait_for(lock, 10s, [&] { return matching().size() >= count; });
        auto names = matching();
        notices.clear();
        return names;
    }
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::pair<HidNoticeKind, std::string>> notices;
};

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
        hid.SetNoticeCallback([this](HidNoticeKind k, const std::string& n) { log.Add(k, n); });
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

TEST_F(KernelHid, DiscoveryFindsBothCollectionsThroughSysfsAndTheDescriptor)
{
    Plug();
    const auto list = hid.Enumerate();
    ASSERT_TRUE(list);
    std::vector<HidInterfaceInfo> ours;
    for (const auto& i : *list)
        if (i.vendorId == 0x7A1F && i.productId == 0x2C41)
            ours.push_back(i);
    ASSERT_EQ(ours.size(), 2u);
    EXPECT_EQ(ours[0].usagePage, 0xFF01);
    EXPECT_EQ(ours[0].usage, 1);
    EXPECT_EQ(ours[0].featureReportLength, 9);
    EXPECT_EQ(ours[0].inputReportLength, 65);
    EXPECT_EQ(ours[0].outputReportLength, 65);
    EXPECT_EQ(ours[1].usagePage, 0xFF02);
    EXPECT_EQ(ours[1].inputReportLength, 8);
    EXPECT_EQ(hid.Probe(ours[0].path), HidError::None);
    EXPECT_TRUE(link.connection.CheckConnection());
    EXPECT_EQ(link.connection.FeatureReportLength(), 9);
    EXPECT_EQ(link.connection.EventReportLength(), 8);
}

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
    hid.SetNoticeCallback([this](HidNoticeKind k, const std::string& n) { log.Add(k, n); });

    mouse.Unplug();
    const auto removals = log.Take(HidNoticeKind::Removal, 2);
    ASSERT_EQ(removals.size(), 2u);
    for (const auto& name : removals) {
        EXPECT_NE(name.find("VID_7A1F&PID_2C41"), std::string::npos) << name;
        session.OnDeviceChange(kDeviceRemoveComplete, kDeviceTypeInterface, name);
    }
    EXPECT_FALSE(link.connection.MouseConnected());
    ASSERT_FALSE(listener.Snapshot().empty());
    EXPECT_EQ(listener.Snapshot().back(), "gone");

    mouse.Plug();
    const auto arrivals = log.Take(HidNoticeKind::Arrival, 2);
    ASSERT_EQ(arrivals.size(), 2u);
    for (const auto& name : arrivals)
        session.OnDeviceChange(kDeviceArrival, kDeviceTypeInterface, name);
    EXPECT_TRUE(link.connection.MouseConnected());
    EXPECT_EQ(listener.Snapshot().back(), "arrived");
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

    // A read without a time-out on the vanished node ends as well.
    HidReadResult r;
    std::thread reader([&] {
        uint8_t buffer[65];
        r = link.connection.CommandHandle()->Read(buffer, kHidWaitForever);
    });
    reader.join();
    EXPECT_EQ(r.status, HidReadStatus::Failed);
}

TEST_F(KernelHid, ABlockedReadWithoutTimeOutFailsWhenTheDeviceIsDestroyed)
{
    Plug();
    ASSERT_TRUE(link.connection.CheckConnection());
    const auto events = link.connection.EventHandle();
    std::thread unplugger([&] {
        std::this_thread::sleep_for(300ms);
        mouse.Unplug();
    });
    uint8_t buffer[80];
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(events->Read(buffer, kHidWaitForever).status, HidReadStatus::Failed);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 3s);
    unplugger.join();
}

// The program itself, as a user runs it.
TEST(VirtualMouseProgram, ServesRealHidrawNodesThroughUhid)
{
    const char* program = std::getenv("LUMENO_VIRTUAL_MOUSE");
    if (!program)
        GTEST_SKIP() << "LUMENO_VIRTUAL_MOUSE not set";
    NoticeLog log;
    LinuxHidSystem hid{KernelOnly()};
    hid.SetNoticeCallback([&](HidNoticeKind k, const std::string& n) { log.Add(k, n); });

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
