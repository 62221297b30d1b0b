#include "platform/linux/Uevent.h"

#include <arpa/inet.h>
#include <cctype>
#include <cstring>
#include <string_view>

namespace lumeno {
namespace {

// udev's netlink header (libudev's struct monitor_netlink_header):
//   0..7   "libudev\0"
//   8..11  magic 0xfeedcafe, network byte order
//   12..15 header size
//   16..19 offset of the properties
//   20..23 length of the properties
//   24..   filter hashes and tags (not needed here)
constexpr std::string_view kUdevPrefix{"libudev\0", 8};
constexpr std::uint32_t kUdevMagic = 0xfeedcafe;
constexpr std::size_t kUdevHeaderMin = 24;

std::uint32_t ReadHostU32(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    std::uint32_t v;
    std::memcpy(&v, bytes.data() + offset, sizeof v);
    return v;
}

// KEY=VALUE\0 pairs; a missing final NUL is tolerated.
void ParseProperties(std::span<const std::uint8_t> bytes, Uevent& event)
{
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = pos;
        while (end < bytes.size() && bytes[end] != 0)
            ++end;
        const std::string_view item(reinterpret_cast<const char*>(bytes.data() + pos), end - pos);
        const auto eq = item.find('=');
        if (eq != std::string_view::npos && eq > 0)
            event.properties[std::string(item.substr(0, eq))] = std::string(item.substr(eq + 1));
        pos = end + 1;
    }
}

std::string Get(const Uevent& e, const char* key)
{
    const auto it = e.properties.find(key);
    return it == e.properties.end() ? std::string() : it->second;
}

bool IsHex(std::string_view s)
{
    for (const char c : s)
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return false;
    return !s.empty();
}

std::uint16_t Hex16(std::string_view s)
{
    return static_cast<std::uint16_t>(std::stoul(std::string(s), nullptr, 16) & 0xFFFF);
}

} // namespace

std::optional<Uevent> ParseUevent(std::span<const std::uint8_t> message)
{
    Uevent event;
    const std::string_view text(reinterpret_cast<const char*>(message.data()), message.size());
    if (text.substr(0, kUdevPrefix.size()) == kUdevPrefix) {
        if (message.size() < kUdevHeaderMin || ntohl(ReadHostU32(message, 8)) != kUdevMagic)
            return std::nullopt;
        const std::uint32_t offset = ReadHostU32(message, 16);
        const std::uint32_t length = ReadHostU32(message, 20);
        if (offset < kUdevHeaderMin || offset > message.size() || length > message.size() - offset)
            return std::nullopt;
        ParseProperties(message.subspan(offset, length), event);
    } else {
        // The kernel's form starts with "action@devpath"; the same facts
        // follow as properties.
        const auto first = text.find('\0');
        const std::string_view head = text.substr(0, first);
        if (head.find('@') == std::string_view::npos)
            return std::nullopt;
        if (first != std::string_view::npos)
            ParseProperties(message.subspan(first + 1), event);
    }
    event.action = Get(event, "ACTION");
    event.devpath = Get(event, "DEVPATH");
    event.subsystem = Get(event, "SUBSYSTEM");
    event.devname = Get(event, "DEVNAME");
    // udev spells the node with its folder.
    if (event.devname.rfind("/dev/", 0) == 0)
        event.devname.erase(0, 5);
    if (event.action.empty() || event.devpath.empty())
        return std::nullopt;
    return event;
}

std::optional<HidIds> HidIdsFromDevpath(const std::string& devpath)
{
    // Look from the end: the HID device is the nearest ancestor of a hidraw node.
    std::size_t end = devpath.size();
    while (end > 0) {
        const std::size_t slash = devpath.rfind('/', end - 1);
        const std::size_t begin = slash == std::string::npos ? 0 : slash + 1;
        const std::string_view part(devpath.data() + begin, end - begin);
        // BBBB:VVVV:PPPP.NNNN
        if (part.size() == 19 && part[4] == ':' && part[9] == ':' && part[14] == '.' && IsHex(part.substr(0, 4)) &&
            IsHex(part.substr(5, 4)) && IsHex(part.substr(10, 4)) && IsHex(part.substr(15, 4)))
            return HidIds{Hex16(part.substr(0, 4)), Hex16(part.substr(5, 4)), Hex16(part.substr(10, 4))};
        if (slash == std::string::npos)
            break;
        end = slash;
    }
    return std::nullopt;
}

std::optional<HidIds> HidIdsFromProperty(const std::string& value)
{
    // BBBB:VVVVVVVV:PPPPPPPP
    const std::string_view v(value);
    const auto a = v.find(':');
    const auto b = v.find(':', a == std::string_view::npos ? a : a + 1);
    if (a == std::string_view::npos || b == std::string_view::npos)
        return std::nullopt;
    const auto bus = v.substr(0, a), vid = v.substr(a + 1, b - a - 1), pid = v.substr(b + 1);
    if (!IsHex(bus) || !IsHex(vid) || !IsHex(pid) || bus.size() > 8 || vid.size() > 8 || pid.size() > 8)
        return std::nullopt;
    return HidIds{Hex16(bus), Hex16(vid), Hex16(pid)};
}

} // namespace lumeno
