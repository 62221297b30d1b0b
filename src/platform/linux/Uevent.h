#pragma once
// Device events from the kernel's uevent netlink socket, in either of its two
// forms: the kernel's own ("add@/devices/...\0KEY=VALUE\0...") and udev's
// re-broadcast after its rules ran ("libudev\0" header, then KEY=VALUE\0...).
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>

namespace lumeno {

struct Uevent {
    std::string action;    // "add", "remove", "bind", ...
    std::string devpath;   // "/devices/.../0003:7A1F:2C41.0001/hidraw/hidraw0"
    std::string subsystem; // "hidraw", "hid", ...
    std::string devname;   // node name without "/dev/": "hidraw0"; may be empty
    std::map<std::string, std::string> properties;
};

// Parses one netlink message; nullopt when it is neither form or lacks
// ACTION or DEVPATH.
std::optional<Uevent> ParseUevent(std::span<const std::uint8_t> message);

struct HidIds {
    std::uint16_t bus = 0;
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
};

// The ids of a HID device from the name the kernel gives it in sysfs
// ("BBBB:VVVV:PPPP.NNNN"), looked for in every component of a device path.
// Works at removal too, when sysfs no longer has the device.
std::optional<HidIds> HidIdsFromDevpath(const std::string& devpath);

// The ids from a HID_ID property value ("0003:00007A1F:00002C41").
std::optional<HidIds> HidIdsFromProperty(const std::string& value);

} // namespace lumeno
