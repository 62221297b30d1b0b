// Feeds arbitrary bytes to the virtual-device server as a client sends them:
// one server with its virtual mouse serves a private folder for the whole
// run; each input connects to one of its sockets and sends its messages.
// Input: byte 0 picks the socket (bits 0..1) and whether a valid greeting
// with the open mode of bits 3..4 goes first (bit 2); then messages, each a
// little-endian 16-bit length and that many bytes. The server must answer
// every message with a reply of the request's type, or close the
// connection; it must never crash or stop answering.
#include "FuzzFolder.h"

#include "VirtualHidServer.h"
#include "emulator/VirtualMouse.h"
#include "platform/VirtualHidProtocol.h"
#include "platform/linux/UnixSocketPath.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace {

using namespace lumeno;
using namespace lumeno::virtualhid;

// Longer than the longest message the server takes, so that cut messages
// are tried too.
constexpr size_t kMaxSent = kMaxMessageSize + 64;
// A server that has not answered after this long has stopped answering.
constexpr int kAnswerTimeoutMs = 10000;
constexpr uint8_t kSocketBits = 0x03;
constexpr uint8_t kGreetBit = 0x04;
constexpr int kModeShift = 3;
constexpr uint8_t kModeBits = 0x03;

struct Served {
    fuzz::FuzzFolder folder;
    VirtualMouse mouse;
    VirtualHidServer server{mouse, folder.Path() / "virtual-hid"};
    Served()
    {
        if (!server.Start())
            fuzz::Fail("the server does not start");
    }
};

Served& Server()
{
    static Served served;
    return served;
}

std::vector<uint8_t> Hello(uint8_t mode)
{
    std::vector<uint8_t> message(kHeaderSize + kHelloRequestSize, 0);
    message[0] = uint8_t(MessageType::Hello);
    std::memcpy(&message[kHeaderSize], &kMagic, 4);
    std::memcpy(&message[kHeaderSize + 4], &kVersion, 2);
    message[kHeaderSize + 6] = mode;
    return message;
}

// Sends one message and waits for its reply; false when the server closed
// the connection.
bool Exchange(int fd, const std::vector<uint8_t>& message)
{
    if (::send(fd, message.data(), message.size(), MSG_NOSIGNAL) < 0)
        return false;
    std::vector<uint8_t> reply(kMaxMessageSize);
    for (;;) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, kAnswerTimeoutMs) != 1)
            fuzz::Fail("the server neither answered nor closed");
        const ssize_t n = ::recv(fd, reply.data(), reply.size(), 0);
        if (n <= 0)
            return false;
        if (size_t(n) < kHeaderSize)
            fuzz::Fail("a message from the server is shorter than its header");
        if (reply[0] == uint8_t(MessageType::Input))
            continue; // an input report the mouse sent meanwhile (a block read's chunks)
        if (message.empty() || reply[0] != (message[0] | kReply) || reply[1] > uint8_t(Status::BadRequest))
            fuzz::Fail("the reply is not of the request's type or has no known status");
        return true;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    Served& served = Server();
    const auto sockets = served.server.SocketPaths();
    const int fd = ::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0);
    if (fd < 0 || ConnectSocketAt(fd, sockets[(data[0] & kSocketBits) % sockets.size()]) != 0)
        fuzz::Fail("no connection to the server");

    bool open = true;
    if (data[0] & kGreetBit)
        open = Exchange(fd, Hello(uint8_t((data[0] >> kModeShift) & kModeBits)));
    for (size_t at = 1; open && at + 2 <= size;) {
        const size_t length = std::min<size_t>(data[at] | size_t(data[at + 1]) << 8, kMaxSent);
        at += 2;
        const size_t n = std::min(length, size - at);
        const std::vector<uint8_t> message(data + at, data + at + n);
        at += n;
        if (message.empty())
            continue; // an empty packet reads as nothing at all
        open = Exchange(fd, message);
    }
    ::close(fd);
    return 0;
}
