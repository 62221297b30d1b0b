#pragma once
// The socket protocol between lumeno-virtual-mouse (the server) and the
// Linux HidSystem (the client). Each virtual HID collection is one Unix
// SOCK_SEQPACKET socket in the virtual-device folder; a client connects to
// the socket of the collection it wants and every packet is one message.
//
// The socket's file name carries the ids in the Windows spelling, so that
// arrival and removal notices can be named without asking the server:
//     VID_7A1F&PID_2C41&Col01#<instance>
// A server binds under a name starting with '.' and renames the socket into
// place once it listens, so a client never sees a socket it cannot reach.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace lumeno::virtualhid {

// Message layout (all numbers little-endian):
//
//   byte | meaning
//   -----+----------------------------------------------------------
//   0    | MessageType; replies carry the request's type | kReply
//   1    | Status (replies; 0 in requests and input reports)
//   2..3 | 0
//   4..  | payload
inline constexpr std::size_t kHeaderSize = 4;
inline constexpr std::uint8_t kReply = 0x80;

enum class MessageType : std::uint8_t {
    Hello = 1,      // client -> server, first message: HelloRequest payload
    SetFeature = 2, // payload: feature report, report id first
    GetFeature = 3, // payload: buffer of the wanted length, report id first;
                    // the reply's payload is the report read
    Output = 4,     // payload: output report, report id first
    Input = 5,      // server -> client, unasked: input report, report id first
};

enum class Status : std::uint8_t {
    Ok = 0,
    AccessDenied = 1, // the device refuses this user
    Gone = 2,         // the device was unplugged
    Failed = 3,       // the device refused the request
    BadRequest = 4,   // malformed message or wrong mode
};

enum class OpenMode : std::uint8_t {
    Describe = 0, // only the HelloReply; no reports
    Probe = 1,    // tells whether an open would be allowed
    Commands = 2, // features, output and input reports
    Events = 3,   // input reports only
};

// HelloRequest payload:
//   0..3 kMagic | 4..5 kVersion | 6 OpenMode
inline constexpr std::uint32_t kMagic = 0x484B564C; // "LVKH" on the wire
inline constexpr std::uint16_t kVersion = 1;
inline constexpr std::size_t kHelloRequestSize = 7;

// HelloReply payload (also sent when the status is not Ok):
//   0..1 vendor id | 2..3 product id | 4..5 version | 6.. report descriptor
inline constexpr std::size_t kHelloReplyFixedSize = 6;

// Largest message: a header and the longest report the kernel allows.
inline constexpr std::size_t kMaxMessageSize = kHeaderSize + 16384 + 1;

// Socket files that are not (yet) published start with this character.
inline constexpr char kHiddenPrefix = '.';

// The ids a socket file name carries.
struct SocketName {
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    int collection = 0;   // 1-based
    std::string instance; // what follows '#'
};

inline std::string FormatSocketName(std::uint16_t vendorId, std::uint16_t productId, int collection,
                                    std::string_view instance)
{
    char head[48];
    std::snprintf(head, sizeof head, "VID_%04X&PID_%04X&Col%02d#", vendorId, productId, collection);
    std::string name = head;
    for (const char c : instance) // keep the name a single path component
        name += (c == '/' || c == '\0') ? '_' : c;
    return name;
}

inline std::optional<SocketName> ParseSocketName(std::string_view name)
{
    unsigned vid = 0, pid = 0;
    int collection = 0, used = 0;
    const std::string copy(name);
    if (std::sscanf(copy.c_str(), "VID_%4X&PID_%4X&Col%2d#%n", &vid, &pid, &collection, &used) != 3 || used != 24 ||
        collection < 1)
        return std::nullopt;
    return SocketName{static_cast<std::uint16_t>(vid), static_cast<std::uint16_t>(pid), collection,
                      copy.substr(static_cast<std::size_t>(used))};
}

} // namespace lumeno::virtualhid
