#include "linuxhid/BootMouseDescriptor.h"
#include "platform/linux/LinuxHidSystem.h"
#include "platform/linux/Uevent.h"

#include <gtest/gtest.h>

#include <fstream>
#include <unistd.h>

namespace lumeno {
namespace {

namespace fs = std::filesystem;

// Commands (no report ids would clash with events, so the fixture mouse
// numbers its reports): vendor page 0xFF01 with feature id 1 (8 bytes) and
// input/output id 2 (64 bytes); vendor page 0xFF02 with input id 4 (7 bytes).
const std::vector<uint8_t> kTwoCollections = {
    0x06, 0x01, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08, 0x85, 0x01, 0x95,
    0x08, 0x09, 0x01, 0xB1, 0x02, 0x85, 0x02, 0x95, 0x40, 0x09, 0x01, 0x81, 0x02, 0x09, 0x01, 0x91, 0x02,
    0xC0, 0x06, 0x02, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x04, 0x95, 0x07, 0x09, 0x01, 0x81, 0x02, 0xC0};

// A small sysfs: devices/<usb device>/<interface>/<hid device>/hidraw/<node>,
// with class/hidraw/<node> linking to it, as the kernel lays it out.
class SysfsFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        char tmpl[] = "/tmp/lumeno-sysfs-XXXXXX";
        ASSERT_NE(::mkdtemp(tmpl), nullptr);
        root_ = tmpl;
        fs::create_directories(root_ / "class" / "hidraw");
    }
    void TearDown() override { fs::remove_all(root_); }

    static void WriteFile(const fs::path& path, const std::string& text)
    {
        std::ofstream(path, std::ios::binary) << text;
    }

    // usbDevice: e.g. "usb1/1-2"; version written as its bcdDevice when non-empty.
    void AddNode(const std::string& node, const std::string& usbDevice, const std::string& hidName,
                 const std::string& hidId, const std::vector<uint8_t>& descriptor, const std::string& bcd)
    {
        const fs::path usb = root_ / "devices" / "pci0000:00" / usbDevice;
        const fs::path hid = usb / (usbDevice.substr(usbDevice.rfind('/') + 1) + ":1.0") / hidName;
        const fs::path raw = hid / "hidraw" / node;
        fs::create_directories(raw);
        if (!bcd.empty())
            WriteFile(usb / "bcdDevice", bcd + "\n");
        WriteFile(hid / "uevent", "DRIVER=hid-generic\nHID_ID=" + hidId + "\nHID_NAME=Fixture\n");
        WriteFile(hid / "report_descriptor", std::string(descriptor.begin(), descriptor.end()));
        WriteFile(raw / "uevent", "MAJOR=246\nMINOR=0\nDEVNAME=" + node + "\n");
        fs::create_directory_symlink("../..", raw / "device");
        fs::create_directory_symlink(fs::relative(raw, root_ / "class" / "hidraw"), root_ / "class" / "hidraw" / node);
    }

    std::vector<HidInterfaceInfo> Enumerate()
    {
        LinuxHidSystemOptions options;
        options.sysfsRoot = root_;
        options.devRoot = "/dev";
        options.watchHidraw = false;
        LinuxHidSystem system(options);
        auto list = system.Enumerate();
        EXPECT_TRUE(list);
        return list.value_or(std::vector<HidInterfaceInfo>{});
    }

    fs::path root_;
};

TEST_F(SysfsFixture, ListsEveryCollectionWithIdsVersionAndLengthsInNodeOrder)
{
    AddNode("hidraw10", "usb1/1-3", "0003:046D:C077.000A", "0003:0000046D:0000C077", kBootMouse, "7200");
    AddNode("hidraw2", "usb1/1-2", "0003:7A1F:2C41.0002", "0003:00007A1F:00002C41", kTwoCollections, "0100");

    const auto list = Enumerate();
    ASSERT_EQ(list.size(), 3u);

    EXPECT_EQ(list[0].path, "/dev/hidraw2#Col01");
    EXPECT_EQ(list[0].vendorId, 0x7A1F);
    EXPECT_EQ(list[0].productId, 0x2C41);
    EXPECT_EQ(list[0].version, 0x0100);
    EXPECT_TRUE(list[0].capabilitiesKnown);
    EXPECT_EQ(list[0].usagePage, 0xFF01);
    EXPECT_EQ(list[0].usage, 1);
    EXPECT_EQ(list[0].featureReportLength, 9);
    EXPECT_EQ(list[0].inputReportLength, 65);
    EXPECT_EQ(list[0].outputReportLength, 65);

    EXPECT_EQ(list[1].path, "/dev/hidraw2#Col02");
    EXPECT_EQ(list[1].usagePage, 0xFF02);
    EXPECT_EQ(list[1].inputReportLength, 8);
    EXPECT_EQ(list[1].featureReportLength, 0);
    EXPECT_EQ(list[1].outputReportLength, 0);

    EXPECT_EQ(list[2].path, "/dev/hidraw10#Col01");
    EXPECT_EQ(list[2].vendorId, 0x046D);
    EXPECT_EQ(list[2].version, 0x7200);
    EXPECT_EQ(list[2].usagePage, 1);
    EXPECT_EQ(list[2].usage, 2);
    EXPECT_EQ(list[2].inputReportLength, 4);
}

TEST_F(SysfsFixture, VanishedNodesAreSkipped)
{
    AddNode("hidraw0", "usb1/1-1", "0003:7A1F:2C41.0001", "0003:00007A1F:00002C41", kTwoCollections, "0100");
    // Unplugged between listing the class folder and reading the device:
    // the class link dangles.
    fs::create_directory_symlink("../../devices/gone/hidraw/hidraw1", root_ / "class" / "hidraw" / "hidraw1");
    // Half gone: the device folder is there but its files are not.
    AddNode("hidraw2", "usb1/1-4", "0003:7A1F:2C41.0003", "0003:00007A1F:00002C41", kTwoCollections, "0100");
    fs::remove(root_ / "class" / "hidraw" / "hidraw2" / "device" / "report_descriptor");

    const auto list = Enumerate();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].path, "/dev/hidraw0#Col01");
    EXPECT_EQ(list[1].path, "/dev/hidraw0#Col02");
}

TEST_F(SysfsFixture, UnparsableDescriptorListsTheNodeWithoutCapabilities)
{
    AddNode("hidraw0", "usb1/1-1", "0003:7A1F:2C41.0001", "0003:00007A1F:00002C41", {0xA1, 0x01}, "");
    const auto list = Enumerate();
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].path, "/dev/hidraw0");
    EXPECT_FALSE(list[0].capabilitiesKnown);
    EXPECT_EQ(list[0].vendorId, 0x7A1F);
    EXPECT_EQ(list[0].version, 0);
    EXPECT_EQ(list[0].featureReportLength, 0);
}

TEST_F(SysfsFixture, NoHidrawClassMeansNothingPresent)
{
    fs::remove(root_ / "class" / "hidraw");
    EXPECT_TRUE(Enumerate().empty());
}

TEST_F(SysfsFixture, HidrawUeventsBecomeOneNoticePerCollectionAlsoAtRemoval)
{
    AddNode("hidraw2", "usb1/1-2", "0003:7A1F:2C41.0002", "0003:00007A1F:00002C41", kTwoCollections, "0100");
    AddNode("hidraw3", "usb1/1-3", "0003:046D:C077.0003", "0003:0000046D:0000C077", kBootMouse, "");
    LinuxHidSystemOptions options;
    options.sysfsRoot = root_;
    options.watchHidraw = false;
    LinuxHidSystem system(options);
    std::vector<std::string> seen;
    system.SetNoticeCallback([&](HidNoticeKind kind, const std::string& name) {
        seen.push_back((kind == HidNoticeKind::Arrival ? "+" : "-") + name);
    });
    auto event = [](const std::string& action, const std::string& subsystem, const std::string& node,
                    const std::string& hidName) {
        Uevent e;
        e.action = action;
        e.subsystem = subsystem;
        e.devname = node;
        e.devpath = "/devices/pci0000:00/usb1/1-2/1-2:1.0/" + hidName + "/hidraw/" + node;
        return e;
    };

    system.HandleUevent(event("add", "hidraw", "hidraw2", "0003:7A1F:2C41.0002"));
    system.HandleUevent(event("add", "hidraw", "hidraw3", "0003:046D:C077.0003"));
    system.HandleUevent(event("bind", "hid", "", "0003:7A1F:2C41.0002"));
    fs::remove_all(root_ / "devices"); // unplugged: sysfs forgets the devices first
    system.HandleUevent(event("remove", "hidraw", "hidraw2", "0003:7A1F:2C41.0002"));
    // Never announced (it came before we listened): named from the device path.
    system.HandleUevent(event("remove", "hidraw", "hidraw7", "0003:7A1F:2C33.0007"));
    system.SetNoticeCallback({});

    EXPECT_EQ(seen, (std::vector<std::string>{
                        "+\\\\?\\HID#VID_7A1F&PID_2C41&Col01#hidraw2",
                        "+\\\\?\\HID#VID_7A1F&PID_2C41&Col02#hidraw2",
                        "+\\\\?\\HID#VID_046D&PID_C077#hidraw3",
                        "-\\\\?\\HID#VID_7A1F&PID_2C41&Col01#hidraw2",
                        "-\\\\?\\HID#VID_7A1F&PID_2C41&Col02#hidraw2",
                        "-\\\\?\\HID#VID_7A1F&PID_2C33#hidraw7",
                    }));
}

TEST(LinuxHidSystem, MissingSysfsMeansNoList)
{
    LinuxHidSystemOptions options;
    options.sysfsRoot = "/nonexistent-sysfs";
    options.watchHidraw = false;
    EXPECT_FALSE(LinuxHidSystem(options).Enumerate());
}

TEST(LinuxHidSystem, ProbeOfAMissingNodeIsNotFound)
{
    LinuxHidSystemOptions options;
    options.watchHidraw = false;
    LinuxHidSystem system(options);
    EXPECT_EQ(system.Probe("/dev/hidraw-none#Col01"), HidError::NotFound);
    HidError error = HidError::None;
    EXPECT_EQ(system.Open("/dev/hidraw-none#Col02", HidOpenMode::Events, &error), nullptr);
    EXPECT_EQ(error, HidError::NotFound);
}

TEST(LinuxHidSystem, ProbeWithoutPermissionIsAccessDenied)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root may open anything";
    char tmpl[] = "/tmp/lumeno-node-XXXXXX";
    const int fd = ::mkstemp(tmpl);
    ASSERT_GE(fd, 0);
    ::close(fd);
    ::chmod(tmpl, 0);
    LinuxHidSystemOptions options;
    options.watchHidraw = false;
    EXPECT_EQ(LinuxHidSystem(options).Probe(std::string(tmpl) + "#Col01"), HidError::AccessDenied);
    ::unlink(tmpl);
}

} // namespace
} // namespace lumeno
