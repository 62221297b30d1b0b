// The virtual devices end to end in one process: lumeno-virtual-mouse's
// server on one side, the Linux HidSystem on the other, a socket between.
#include "CollectionDescriptor.h"
#include "VirtualHidServer.h"
#include "device/DeviceFixture.h"

#include "device/DeviceChange.h"
#include "flows/WriteFlows.h"
#include "platform/HidReportDescriptor.h"
#include "platform/VirtualHidProtocol.h"
#include "platform/linux/LinuxHidSystem.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace lumeno::test {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

// Notices as they arrive, with a bounded wait.
struct NoticeLog {
    void Add(HidNoticeKind kind, const std::string& name)
    {
        std::lock_guard lock(mutex);
        notices.emplace_back(kind, name);
        changed.notify_all();
    }
    bool WaitFor(std::size_t count)
    {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, 5s, [&] { return notices.size() >= count; });
    }
    std::vector<std::pair<HidNoticeKind, std::string>> Take()
    {
        std::lock_guard lock(mutex);
        return std::exchange(notices, {});
    }
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::pair<HidNoticeKind, std::string>> notices;
};

// A program side that reaches the mouse only through the socket protocol.
struct SocketRig : ContextFixture {
    explicit SocketRig(VirtualMouseOptions options = {}) : mouse(std::move(options), &pacer)
    {
        fs::create_directories(sysfs / "class" / "hidraw");
        ctx.device = &link;
        EnsureDataDirectory(ctx);
    }
    static LinuxHidSystemOptions Options(const fs::path& sysfs, const fs::path& folder)
    {
        LinuxHidSystemOptions o;
        o.sysfsRoot = sysfs;
        o.virtualFolder = folder;
        o.watchHidraw = false;
        return o;
    }

    fs::path sysfs = tmp.path() / "sys";
    fs::path folder = tmp.path() / "run" / "virtual-hid";
    VirtualPacer pacer;
    VirtualMouse mouse;
    VirtualHidServer server{mouse, folder};
    LinuxHidSystem hid{Options(sysfs, folder)};
    DeviceLink link{hid, pacer, debug};
};

struct VirtualHidTest : ::testing::Test, SocketRig {
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(server.Start(&error)) << error;
    }
};

TEST(VirtualMouseDescriptors, ParseToTheCollectionsOwnLengths)
{
    VirtualMouseOptions options;
    options.withDongleInterface = true;
    VirtualMouse mouse(options);
    for (const auto& c : mouse.Collections()) {
        SCOPED_TRACE(static_cast<int>(c.collection));
        const auto parsed = HidReportDescriptor::Parse(BuildCollectionDescriptor(c));
        ASSERT_TRUE(parsed);
        ASSERT_EQ(parsed->collections.size(), 1u);
        const auto& tlc = parsed->collections[0];
        EXPECT_EQ(tlc.usagePage, c.usagePage);
        EXPECT_EQ(tlc.usage, c.usage);
        EXPECT_EQ(tlc.featureReportLength, c.featureReportLength);
        EXPECT_EQ(tlc.inputReportLength, c.inputReportLength);
        EXPECT_EQ(tlc.outputReportLength, c.outputReportLength);
        EXPECT_EQ(parsed->numberedReports, c.reportId != 0);
    }
}

TEST_F(VirtualHidTest, EnumerationListsBothCollectionsWithTheirCapabilities)
{
    const auto list = hid.Enumerate();
    ASSERT_TRUE(list);
    ASSERT_EQ(list->size(), 2u);
    const auto& commands = (*list)[0];
    EXPECT_EQ(fs::path(commands.path).filename(), "VID_7A1F&PID_2C41&Col01#7&2a5c1f3b&0&0000");
    EXPECT_EQ(commands.vendorId, 0x7A1F);
    EXPECT_EQ(commands.productId, 0x2C41);
    EXPECT_EQ(commands.version, 0x0100);
    EXPECT_EQ(commands.usagePage, 0xFF01);
    EXPECT_EQ(commands.usage, 1);
    EXPECT_EQ(commands.featureReportLength, 9);
    EXPECT_EQ(commands.inputReportLength, 65);
    EXPECT_EQ(commands.outputReportLength, 65);
    const auto& events = (*list)[1];
    EXPECT_EQ(events.usagePage, 0xFF02);
    EXPECT_EQ(events.inputReportLength, 8);
    EXPECT_EQ(events.featureReportLength, 0);
    EXPECT_EQ(hid.Probe(commands.path), HidError::None);

    // A socket left behind by a server that died is not listed.
    const std::string stale = (folder / "VID_7A1F&PID_2C41&Col09#stale").string();
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::memcpy(addr.sun_path, stale.c_str(), stale.size() + 1);
    const int fd = ::socket(AF_UNIX, SOCK_SEQPACKET, 0);
    ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr), 0);
    ::close(fd);
    EXPECT_EQ(hid.Enumerate()->size(), 2u);
}

TEST_F(VirtualHidTest, FlowsSendTheSameBytesAsInProcess)
{
    DeviceRig inProcess;
    PrepareWriteAllImage(inProcess.ctx);
    inProcess.Connect();
    WriteAll(inProcess.ctx);

    PrepareWriteAllImage(ctx);
    ASSERT_TRUE(link.connection.CheckConnection());
    link.state.Clear();
    mouse.ClearTraffic();
    WriteAll(ctx);

    // The same pauses in between, so the same times too.
    ExpectSameTraffic(mouse.Traffic(), inProcess.mouse.Traffic(), /*compareTimes=*/true);
    EXPECT_EQ(mouse.State().macroBlocks, inProcess.mouse.State().macroBlocks);
}

TEST_F(VirtualHidTest, EventReportsReachTheEventCollectionWithTheirId)
{
    ASSERT_TRUE(link.connection.CheckConnection());
    const auto events = link.connection.EventHandle();
    mouse.SwitchDpiStage(2);
    uint8_t buffer[80] = {};
    const auto r = events->Read(buffer, 2000ms);
    ASSERT_EQ(r.status, HidReadStatus::Ok);
    ASSERT_EQ(r.length, 8u);
    EXPECT_EQ(Bytes(buffer, buffer + 4), (Bytes{4, 1, 0, 2}));
    // The event collection is read-only.
    const uint8_t report[9] = {};
    EXPECT_FALSE(events->SetFeature(report));
}

TEST_F(VirtualHidTest, ReadTimesOutIsCancelledAndFailsAtUnplug)
{
    ASSERT_TRUE(link.connection.CheckConnection());
    const auto events = link.connection.EventHandle();
    uint8_t buffer[80];
    EXPECT_EQ(events->Read(buffer, 0ms).status, HidReadStatus::TimedOut);
    EXPECT_EQ(events->Read(buffer, 50ms).status, HidReadStatus::TimedOut);

    events->CancelRead(); // latched: the next read ends at once
    EXPECT_EQ(events->Read(buffer, kHidWaitForever).status, HidReadStatus::Cancelled);

    std::thread canceller([&] {
        std::this_thread::sleep_for(50ms);
        events->CancelRead();
    });
    EXPECT_EQ(events->Read(buffer, kHidWaitForever).status, HidReadStatus::Cancelled);
    canceller.join();

    // Pulled out during a read that would wait forever: the read fails promptly.
    std::thread unplugger([&] {
        std::this_thread::sleep_for(50ms);
        mouse.Unplug();
    });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(events->Read(buffer, kHidWaitForever).status, HidReadStatus::Failed);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
    unplugger.join();
    const uint8_t report[9] = {};
    EXPECT_FALSE(link.connection.CommandHandle()->SetFeature(report));
    EXPECT_EQ(events->Read(buffer, 0ms).status, HidReadStatus::Failed);
}

TEST_F(VirtualHidTest, AccessDeniedShowsInProbeAndOpen)
{
    mouse.SetAccessDenied(true);
    const auto list = hid.Enumerate();
    ASSERT_TRUE(list);
    ASSERT_EQ(list->size(), 2u);
    EXPECT_EQ(hid.Probe((*list)[0].path), HidError::AccessDenied);
    HidError error = HidError::None;
    EXPECT_EQ(hid.Open((*list)[0].path, HidOpenMode::Commands, &error), nullptr);
    EXPECT_EQ(error, HidError::AccessDenied);
    EXPECT_FALSE(link.connection.CheckConnection());
}

TEST_F(VirtualHidTest, UnplugAndPlugSendRemovalAndArrivalThatPassTheFilter)
{
    NoticeLog log;
    hid.SetNoticeCallback([&](HidNoticeKind kind, const std::string& name) { log.Add(kind, name); });

    mouse.Unplug();
    ASSERT_TRUE(log.WaitFor(2));
    for (const auto& [kind, name] : log.Take()) {
        EXPECT_EQ(kind, HidNoticeKind::Removal);
        EXPECT_TRUE(PassesDeviceNameFilter(name)) << name;
    }
    EXPECT_TRUE(hid.Enumerate()->empty());

    mouse.Plug();
    ASSERT_TRUE(log.WaitFor(2));
    const auto arrivals = log.Take();
    ASSERT_EQ(arrivals.size(), 2u);
    for (const auto& [kind, name] : arrivals) {
        EXPECT_EQ(kind, HidNoticeKind::Arrival);
        EXPECT_TRUE(PassesDeviceNameFilter(name)) << name;
        EXPECT_EQ(name.rfind("\\\\?\\HID#VID_7A1F&PID_2C41&Col0", 0), 0u) << name;
    }
    // Arrival comes only once the socket takes connections.
    EXPECT_TRUE(link.connection.CheckConnection());

    hid.SetNoticeCallback({});
    mouse.Unplug();
    std::this_thread::sleep_for(100ms);
    EXPECT_TRUE(log.Take().empty());
}

TEST_F(VirtualHidTest, ASecondMouseOfTheSameNameIsRefusedAnotherNameIsListed)
{
    VirtualMouse twin;
    VirtualHidServer clash(twin, folder);
    std::string error;
    EXPECT_FALSE(clash.Start(&error));
    EXPECT_NE(error.find("another virtual mouse"), std::string::npos) << error;

    VirtualMouseOptions options;
    options.instanceId = "second";
    VirtualMouse second(options);
    VirtualHidServer other(second, folder);
    ASSERT_TRUE(other.Start(&error)) << error;
    EXPECT_EQ(hid.Enumerate()->size(), 4u);
}

TEST_F(VirtualHidTest, StoppingTheServerRemovesItsSockets)
{
    server.Stop();
    EXPECT_TRUE(fs::is_empty(folder));
    EXPECT_TRUE(hid.Enumerate()->empty());
}

TEST(VirtualHidProtocol, SocketNamesRoundTrip)
{
    const auto name = virtualhid::FormatSocketName(0x7A1F, 0x2C33, 3, "a/b");
    EXPECT_EQ(name, "VID_7A1F&PID_2C33&Col03#a_b");
    const auto parsed = virtualhid::ParseSocketName(name);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->productId, 0x2C33);
    EXPECT_EQ(parsed->collection, 3);
    EXPECT_EQ(parsed->instance, "a_b");
    EXPECT_FALSE(virtualhid::ParseSocketName("VID_7A1F&PID_2C33#x"));
    EXPECT_FALSE(virtualhid::ParseSocketName(".VID_7A1F&PID_2C33&Col01#x"));
}

} // namespace
} // namespace lumeno::test
