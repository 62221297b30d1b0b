#include "platform/linux/Uevent.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>

#include <cstring>

namespace lumeno {
namespace {

std::vector<uint8_t> BytesOf(const std::string& s) { return {s.begin(), s.end()}; }

const std::string kHidrawPath = "/devices/pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.1/0003:7A1F:2C41.0004/hidraw/hidraw3";

TEST(Uevent, KernelFormat)
{
    using namespace std::string_literals;
    const std::string msg = "remove@" + kHidrawPath + "\0ACTION=remove\0DEVPATH="s + kHidrawPath +
                            "\0SUBSYSTEM=hidraw\0MAJOR=246\0MINOR=3\0DEVNAME=hidraw3\0SEQNUM=4242\0"s;
    const auto e = ParseUevent(BytesOf(msg));
    ASSERT_TRUE(e);
    EXPECT_EQ(e->action, "remove");
    EXPECT_EQ(e->devpath, kHidrawPath);
    EXPECT_EQ(e->subsystem, "hidraw");
    EXPECT_EQ(e->devname, "hidraw3");
    EXPECT_EQ(e->properties.at("SEQNUM"), "4242");
}

TEST(Uevent, UdevFormatWithFullNodePath)
{
    using namespace std::string_literals;
    const std::string props = "ACTION=add\0DEVPATH="s + kHidrawPath + "\0SUBSYSTEM=hidraw\0DEVNAME=/dev/hidraw3\0"s;
    std::vector<uint8_t> msg(40, 0);
    std::memcpy(msg.data(), "libudev", 8);
    const uint32_t magic = htonl(0xfeedcafe), headerSize = 40, offset = 40,
                   length = static_cast<uint32_t>(props.size());
    std::memcpy(msg.data() + 8, &magic, 4);
    std::memcpy(msg.data() + 12, &headerSize, 4);
    std::memcpy(msg.data() + 16, &offset, 4);
    std::memcpy(msg.data() + 20, &length, 4);
    msg.insert(msg.end(), props.begin(), props.end());

    const auto e = ParseUevent(msg);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->action, "add");
    EXPECT_EQ(e->devname, "hidraw3");

    // A header pointing past the message is refused, not followed.
    const uint32_t tooLong = 100000;
    std::memcpy(msg.data() + 20, &tooLong, 4);
    EXPECT_FALSE(ParseUevent(msg));
}

TEST(Uevent, RejectsNoise)
{
    using namespace std::string_literals;
    for (const std::string& s : {""s, "hello"s, "libudev\0xx"s, "add@/x\0SUBSYSTEM=hid\0"s})
        EXPECT_FALSE(ParseUevent(BytesOf(s))) << s;
}

TEST(Uevent, IdsFromDevicePathAndProperty)
{
    const auto ids = HidIdsFromDevpath(kHidrawPath);
    ASSERT_TRUE(ids);
    EXPECT_EQ(ids->bus, 3);
    EXPECT_EQ(ids->vendorId, 0x7A1F);
    EXPECT_EQ(ids->productId, 0x2C41);
    // uhid devices sit under the virtual folder, with the same naming.
    const auto uhid = HidIdsFromDevpath("/devices/virtual/misc/uhid/0003:7A1F:2C33.0001/hidraw/hidraw0");
    ASSERT_TRUE(uhid);
    EXPECT_EQ(uhid->productId, 0x2C33);
    EXPECT_FALSE(HidIdsFromDevpath("/devices/virtual/misc/uhid"));
    EXPECT_FALSE(HidIdsFromDevpath("/devices/0003:7A1F:2C4G.0001/hidraw/hidraw0"));

    const auto prop = HidIdsFromProperty("0003:00007A1F:00002C41");
    ASSERT_TRUE(prop);
    EXPECT_EQ(prop->vendorId, 0x7A1F);
    EXPECT_EQ(prop->productId, 0x2C41);
    EXPECT_FALSE(HidIdsFromProperty("0003:7A1F"));
    EXPECT_FALSE(HidIdsFromProperty("0003:zz:00002C41"));
}

} // namespace
} // namespace lumeno
