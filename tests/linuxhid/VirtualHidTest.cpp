// The virtual devices end to end in one process: lumeno-virtual-mouse's
// server on one side, the Linux HidSystem on the other, a socket between.
// The HID contract runs over them too, as the "Socket" backend.
#include "CollectionDescriptor.h"
#include "VirtualHidServer.h"
#include "device/DeviceFixture.h"
#include "support/HidContract.h"

#include "device/DeviceChange.h"
#include "flows/WriteFlows.h"
#include "platform/HidReportDescriptor.h"
#include "platform/VirtualHidProtocol.h"
#include "platform/linux/LinuxHidSystem.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace lumeno::test {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

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

// The socket backend of the contract: the server and the Linux HidSystem,
// sysfs empty. Plug changes are done once the server says so. The folder is
// at least folderLength long: beyond 107 bytes no socket address holds it.
template <std::size_t folderLength>
struct SocketBackendIn {
    SocketBackendIn() { fs::create_directories(sysfs / "class" / "hidraw"); }
    std::string Start()
    {
        std::string error;
        return server.Start(&error) ? std::string() : "server: " + error;
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

    static fs::path Folder(fs::path run)
    {
        for (int i = 0; run.string().size() < folderLength; ++i)
            run /= "a-run-folder-of-some-length-" + std::to_string(i);
        return run / "virtual-hid";
    }

    TempDir tmp;
    fs::path sysfs = tmp.path() / "sys";
    fs::path folder = Folder(tmp.path() / "run");
    VirtualMouse mouse;
    ServerLines lines;
    VirtualHidServer server{mouse, folder, lines.Sink()};
    LinuxHidSystem hid{SocketRig::Options(sysfs, folder)};
};
using SocketBackend = SocketBackendIn<0>;
using LongFolderSocketBackend = SocketBackendIn<220>;

INSTANTIATE_TYPED_TEST_SUITE_P(Socket, HidContract, SocketBackend);
INSTANTIATE_TYPED_TEST_SUITE_P(SocketInALongFolder, HidContract, LongFolderSocketBackend);

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

TEST_F(VirtualHidTest, EnumerationNamesTheSocketsAndSkipsStaleOnes)
{
    const auto list = hid.Enumerate();
    ASSERT_TRUE(list);
    ASSERT_EQ(list->size(), 2u);
    EXPECT_EQ(fs::path((*list)[0].path).filename(), "VID_7A1F&PID_2C41&Col01#7&2a5c1f3b&0&0000");
    EXPECT_EQ(fs::path((*list)[1].path).filename(), "VID_7A1F&PID_2C41&Col02#7&2a5c1f3b&0&0000");
    EXPECT_EQ((*list)[0].version, 0x0100);

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
