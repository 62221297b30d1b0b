// Finding the two collections, the name filter of device notices, and what
// arrival and removal do.
#include "DeviceFixture.h"

#include "flows/WriteFlows.h"

#include "device/DeviceChange.h"
#include "device/EventReader.h"

namespace lumeno::test {
namespace {

const char kCommandPath[] =
    "\\\\?\\HID#VID_7A1F&PID_2C41&MI_01&Col01#7&2a5c1f3b&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";
const char kEventPath[] =
    "\\\\?\\HID#VID_7A1F&PID_2C41&MI_01&Col02#7&2a5c1f3b&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";

HidInterfaceInfo Keyboard(std::string path)
{
    HidInterfaceInfo info;
    info.path = std::move(path);
    info.vendorId = 0x046D;
    info.productId = 0xC31C;
    info.usagePage = 1;
    info.usage = 6;
    info.inputReportLength = 9;
    return info;
}

TEST(DiscoveryTest, FindsBothCollectionsAndWritesTheDiagnosticLines)
{
    DeviceRig f;
    EXPECT_TRUE(f.link.connection.CheckConnection());
    EXPECT_TRUE(f.link.connection.MouseConnected());
    EXPECT_EQ(f.link.connection.FeatureReportLength(), 9);
    EXPECT_EQ(f.link.connection.InputReportLength(), 65);
    EXPECT_EQ(f.link.connection.OutputReportLength(), 65);
    EXPECT_EQ(f.link.connection.EventReportLength(), 8);
    EXPECT_EQ(f.link.connection.DevicePath(), kCommandPath);

    const std::string cmdCaps = std::string("DevicePath:") + kCommandPath +
                                ",Usage:0x0001,UsagePage:0xff01,FeatureReportByteLength:0x0009,"
                                "InputReportByteLength:0x41,OutputReportByteLength:0x41\n";
    const std::string evtCaps = std::string("DevicePath:") + kEventPath +
                                ",Usage:0x0001,UsagePage:0xff02,FeatureReportByteLength:0x0000,"
                                "InputReportByteLength:0x8,OutputReportByteLength:0x0\n";
    const std::vector<std::string> expected{
        "EnumHidMouseVender3360 ReadWriteInfo GetLastError dwErrorCode = 0\n",
        "EnumHidMouseVender3360 PID:2c41,VID:7a1f,VersionNumber:0100\n",
        "nEnumHidMouseVender3360 Find our hid device.Success\n",
        "nEnumHidMouseVender 3360 " + cmdCaps,
        "EnumHidMouseVender3360 ReadWriteInfo GetLastError dwErrorCode = 0\n",
        "EnumHidMouseVender3360 PID:2c41,VID:7a1f,VersionNumber:0100\n",
        "nEnumHidMouseVender3360 Find our hid device.Success\n",
        "nEnumHidMouseVender 3360 " + evtCaps,
        "Vender OK",
        "EnumHidMouseHandle3360 ReadWriteInfo GetLastError dwErrorCode = 0\n",
        "EnumHidMouseHandle3360 PID:2c41,VID:7a1f,VersionNumber:0100\n",
        "EnumHidMouseHandle3360 Find our hid device.Success\n",
        "EnumHidMouseHandle3360 " + cmdCaps,
        "Handler OK",
    };
    EXPECT_EQ(f.debug.lines, expected);
}

TEST(DiscoveryTest, FeatureLengthOtherThanNineNeverConnects)
{
    VirtualMouseOptions options;
    options.commandFeatureReportLength = 8;
    DeviceRig f(options);
    EXPECT_FALSE(f.link.connection.CheckConnection());
    EXPECT_FALSE(f.link.connection.MouseConnected());
    EXPECT_EQ(f.debug.lines.back(), "SetupDiEnumDeviceInterfaces failed.\n");
}

TEST(DiscoveryTest, AccessDeniedProbesAreSkipped)
{
    DeviceRig f;
    // Keyboards refuse even a probe; they come first in the list.
    f.hid.AddForeignInterface(Keyboard("kbd"), HidError::AccessDenied);
    EXPECT_TRUE(f.link.connection.CheckConnection());
    EXPECT_EQ(f.debug.lines[0], "EnumHidMouseVender3360 ReadWriteInfo GetLastError dwErrorCode = 5\n");
    EXPECT_EQ(f.debug.lines[1], "EnumHidMouseVender3360 ReadWriteInfo GetLastError dwErrorCode = 0\n");
}

TEST(DiscoveryTest, ADeniedMouseIsNotFound)
{
    DeviceRig f;
    f.mouse.SetAccessDenied(true);
    EXPECT_FALSE(f.link.connection.CheckConnection());
    EXPECT_FALSE(f.link.connection.MouseConnected());
}

TEST(DiscoveryTest, AnyOtherProbeFailureEndsTheSearch)
{
    DeviceRig f;
    f.hid.AddForeignInterface(Keyboard("gone"), HidError::NotFound);
    EXPECT_FALSE(f.link.connection.FindEventInterface());
    EXPECT_EQ(f.debug.lines,
              (std::vector<std::string>{"EnumHidMouseVender3360 ReadWriteInfo GetLastError dwErrorCode = 2\n"}));
}

TEST(DiscoveryTest, UnreadableCapabilitiesEndTheSearch)
{
    DeviceRig f;
    HidInterfaceInfo odd = Keyboard("odd");
    odd.vendorId = 0x7A1F;
    odd.productId = 0x2C41;
    odd.capabilitiesKnown = false;
    f.hid.AddForeignInterface(odd);
    EXPECT_FALSE(f.link.connection.FindCommandInterface());
    EXPECT_EQ(f.debug.lines.back(), "HidD_GetPreparsedData failed.\n");
}

TEST(DiscoveryTest, ReceiverWithProductId2C33IsNeverTakenForTheMouse)
{
    VirtualMouseOptions options;
    options.withDongleInterface = true;
    DeviceRig f(options);
    f.mouse.Unplug();
    HidInterfaceInfo receiver;
    receiver.path = "\\\\?\\HID#VID_7A1F&PID_2C33&MI_02&Col01#r";
    receiver.vendorId = 0x7A1F;
    receiver.productId = 0x2C33;
    receiver.usagePage = 0xFF01;
    receiver.usage = 1;
    receiver.featureReportLength = 9;
    receiver.inputReportLength = 65;
    receiver.outputReportLength = 65;
    f.hid.AddForeignInterface(receiver);
    EXPECT_FALSE(f.link.connection.CheckConnection());

    f.mouse.Plug(); // the mouse with its own receiver interface
    EXPECT_TRUE(f.link.connection.CheckConnection());
    EXPECT_NE(f.link.connection.DevicePath().find("PID_2C41"), std::string::npos);
}

TEST(DiscoveryTest, EnumerationFailureMeansNotFound)
{
    DeviceRig f;
    f.hid.SetEnumerationFails(true);
    EXPECT_FALSE(f.link.connection.CheckConnection());
    EXPECT_TRUE(f.debug.lines.empty());
}

TEST(DeviceNameFilterTest, AcceptsBothProductIdsInBothSpellings)
{
    struct Case {
        const char* name;
        bool passes;
    };
    const Case cases[] = {
        {"\\\\?\\HID#VID_7A1F&PID_2C41&MI_01&Col01#x", true},
        {"\\\\?\\HID#Vid_7a1f&Pid_2c41&MI_01&Col01#x", true},
        {"\\\\?\\HID#VID_7A1F&PID_2C33&MI_02&Col01#x", true},
        {"\\\\?\\HID#Vid_7a1f&Pid_2c33#x", true},
        {"\\\\?\\hid#vid_7a1f&pid_2c41&mi_01&col01#x", false}, // all lower case
        {"\\\\?\\HID#VID_7A1F&PID_2C42#x", false},
        {"\\\\?\\HID#VID_7A1F&Pid_2c41#x", false}, // mixed spellings
        {"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PassesDeviceNameFilter(c.name), c.passes) << c.name;
}

struct DeviceChangeTest : DeviceFixture {
    DeviceChangeTest()
    {
        EXPECT_TRUE(session.Start());
        mouse.ClearTraffic();
    }

    InlineUiThread ui;
    RecordingListener listener;
    DeviceSession session{ctx, link, hid, ui, listener};
};

TEST_F(DeviceChangeTest, RemovalOfTheMouseIsReportedAndClosesTheHandles)
{
    mouse.Unplug(); // two interfaces: two notices, both pass the filter
    EXPECT_FALSE(link.connection.MouseConnected());
    // Handled here as they come (the UI thread takes a burst along at once):
    // one announcement, then nothing more to announce.
    EXPECT_EQ(listener.Snapshot(), (std::vector<std::string>{"gone", "gone quietly"}));
    EXPECT_TRUE(debug.Contains("The system did not detect the Lumeno-KV580 Pro.\n"));
    EXPECT_EQ(link.connection.CommandHandle(), nullptr);
}

TEST_F(DeviceChangeTest, ArrivalReconnectsReloadsAndWritesNothing)
{
    mouse.Unplug();
    listener.Clear();
    link.state.currentDpiStage = 9;
    ctx.image.axisSensitivityX = 77; // the configuration file will be reloaded over this
    SaveConfigFile(ctx);
    ctx.image.axisSensitivityX = 1;
    ctx.ini.WriteString(dataDir / "str.ini", "Profile", "ItemCount", "1");
    ctx.ini.WriteString(dataDir / "str.ini", "Profile", "Item0", "Profile 1");
    ctx.ini.WriteString(dataDir / "str.ini", "Profile", "CurProfileName", "Profile 1");

    mouse.Plug();

    EXPECT_TRUE(link.connection.MouseConnected());
    EXPECT_EQ(ctx.image.axisSensitivityX, 77);
    EXPECT_EQ(link.state.currentDpiStage, 0);
    EXPECT_EQ(listener.Snapshot(), (std::vector<std::string>{"arrived"})) << "one plug, one notice";
    for (auto& r : mouse.Traffic())
        EXPECT_NE(r.kind, TrafficKind::SetFeature) << "arrival must not write to the mouse";
}

TEST_F(DeviceChangeTest, RemovalOfAnotherInterfaceKeepsTheMouse)
{
    session.OnDeviceChange(kDeviceRemoveComplete, kDeviceTypeInterface, "\\\\?\\HID#VID_7A1F&PID_2C33#gone");
    EXPECT_TRUE(link.connection.MouseConnected());
    EXPECT_EQ(listener.Snapshot(), (std::vector<std::string>{"arrived quietly"}));
}

TEST_F(DeviceChangeTest, ArrivalThatFindsNoMouseReportsItGoneQuietly)
{
    mouse.SetAccessDenied(true);
    session.OnDeviceChange(kDeviceArrival, kDeviceTypeInterface, "\\\\?\\HID#VID_7A1F&PID_2C33#new");
    EXPECT_FALSE(link.connection.MouseConnected());
    EXPECT_EQ(listener.Snapshot(), (std::vector<std::string>{"gone quietly"}));
}

TEST_F(DeviceChangeTest, OtherNoticesAreIgnored)
{
    mouse.SetAccessDenied(true); // any search would now fail
    const struct {
        uint32_t code;
        uint32_t type;
        const char* name;
    } cases[] = {
        {kDeviceArrival, kDeviceTypeInterface, "\\\\?\\hid#vid_7a1f&pid_2c41&mi_01&col01#x"},
        {kDeviceArrival, 2, "\\\\?\\HID#VID_7A1F&PID_2C41#x"},
        {0x8001, kDeviceTypeInterface, "\\\\?\\HID#VID_7A1F&PID_2C41#x"},
        {kDeviceRemoveComplete, kDeviceTypeInterface, "\\\\?\\HID#VID_046D&PID_C52B#x"},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(session.OnDeviceChange(c.code, c.type, c.name));
    EXPECT_TRUE(link.connection.MouseConnected());
    EXPECT_TRUE(listener.Snapshot().empty());
}

TEST_F(DeviceChangeTest, LowerCaseNamedMouseIsNeverNoticed)
{
    // A system that spells interface names in lower case only: the mouse is
    // found by a search, but its notices do not pass the filter.
    hid.RemoveMouse(mouse);
    hid.AddMouse(mouse, InterfaceNameStyle::Lower);
    mouse.Unplug();
    EXPECT_TRUE(listener.Snapshot().empty());
    EXPECT_TRUE(link.connection.MouseConnected()); // nobody told it otherwise
}

// Holds posted tasks until the test runs them, as the UI thread would.
class QueuedUiThread final : public UiThread {
public:
    void Post(std::function<void()> task) override { tasks.push_back(std::move(task)); }
    void RunAll()
    {
        while (!tasks.empty()) {
            auto task = std::move(tasks.front());
            tasks.erase(tasks.begin());
            task();
        }
    }
    std::vector<std::function<void()>> tasks;
};

TEST(DeviceSessionNoticesTest, TheNoticesOfOnePlugAreHandledOnce)
{
    DeviceRig f;
    QueuedUiThread ui;
    RecordingListener listener;
    DeviceSession session(f.ctx, f.link, f.hid, ui, listener);
    ASSERT_TRUE(session.Start());
    for (int cycle = 0; cycle < 3; ++cycle) {
        f.mouse.Unplug();
        EXPECT_EQ(ui.tasks.size(), 1u) << "one search for the whole unplug";
        ui.RunAll();
        f.mouse.Plug();
        EXPECT_EQ(ui.tasks.size(), 1u) << "one search for the whole plug";
        ui.RunAll();
    }
    EXPECT_EQ(listener.Snapshot(), (std::vector<std::string>{"gone", "arrived", "gone", "arrived", "gone", "arrived"}));
}

TEST_F(DeviceChangeTest, AMouseThatStopsAnsweringIsLostThenFoundWhenItAnswersAgain)
{
    mouse.SetFrozen(true);
    ASSERT_TRUE(RunFlow(Flow::Sensitivity, ctx).saved);
    session.AfterFlow();
    EXPECT_TRUE(session.Lost());
    EXPECT_FALSE(link.connection.MouseConnected());
    EXPECT_EQ(link.connection.CommandHandle(), nullptr) << "handles closed as for a removal";
    EXPECT_EQ(listener.Snapshot(), (std::vector<std::string>{"gone"}));

    EXPECT_FALSE(session.SearchAnswering()) << "still frozen";
    EXPECT_FALSE(link.connection.MouseConnected());

    mouse.SetFrozen(false);
    ASSERT_TRUE(session.SearchAnswering());
    session.FoundAgain();
    EXPECT_FALSE(session.Lost());
    EXPECT_TRUE(link.connection.MouseConnected());
    EXPECT_EQ(listener.Snapshot(), (std::vector<std::string>{"gone", "arrived"}));
    mouse.ClearTraffic();
    RunFlow(Flow::Sensitivity, ctx);
    EXPECT_EQ(Codes(), (Bytes{0x0B})) << "the mouse hears the program again";
}

TEST_F(DeviceChangeTest, AFlowThatWasAnsweredLeavesTheMouseConnected)
{
    RunFlow(Flow::Sensitivity, ctx);
    session.AfterFlow();
    EXPECT_FALSE(session.Lost());
    EXPECT_TRUE(link.connection.MouseConnected());
    EXPECT_TRUE(listener.Snapshot().empty());
}

TEST_F(DeviceChangeTest, RemovalCancelsAFlowAtOnce)
{
    EXPECT_FALSE(link.cancel.load());
    mouse.Unplug();
    EXPECT_TRUE(link.cancel.load());
}

TEST(DeviceSessionStartTest, WithTheMouseClearsTheDeviceStateAndStartsTheReader)
{
    DeviceRig f;
    f.ctx.image.profileIndex = 4;
    f.link.state.reportRateState = {1, 2, 3, 4};
    InlineUiThread ui;
    RecordingListener listener;
    DeviceSession session(f.ctx, f.link, f.hid, ui, listener);
    EXPECT_TRUE(session.Start());
    EXPECT_TRUE(session.Reader().Started());
    EXPECT_EQ(f.ctx.image.profileIndex, 0);
    EXPECT_EQ(f.link.state.reportRateState, (std::array<uint8_t, 4>{}));
}

TEST(DeviceSessionStartTest, WithoutTheMouseNothingStarts)
{
    DeviceRig f;
    f.hid.RemoveMouse(f.mouse);
    InlineUiThread ui;
    RecordingListener listener;
    DeviceSession session(f.ctx, f.link, f.hid, ui, listener);
    EXPECT_FALSE(session.Start());
    EXPECT_FALSE(session.Reader().Started());
    EXPECT_FALSE(f.link.connection.MouseConnected());
}

} // namespace
} // namespace lumeno::test
