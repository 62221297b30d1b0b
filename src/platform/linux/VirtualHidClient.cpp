#include "platform/linux/VirtualHidClient.h"

#include "platform/linux/DeadlineRead.h"
#include "platform/linux/UnixSocketPath.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>

namespace lumeno {
namespace {

using namespace virtualhid;
using Clock = std::chrono::steady_clock;

// Input reports kept while nobody reads, as many as the kernel keeps per
// hidraw reader; later ones are dropped, as there.
constexpr std::size_t kMaxQueuedInputs = 64;

struct Fd {
    int fd = -1;
    ~Fd()
    {
        if (fd >= 0)
            ::close(fd);
    }
    int Release() { return std::exchange(fd, -1); }
};

HidError FromStatus(uint8_t status)
{
    switch (static_cast<Status>(status)) {
    case Status::Ok:
        return HidError::None;
    case Status::AccessDenied:
        return HidError::AccessDenied;
    case Status::Gone:
        return HidError::NotFound;
    default:
        return HidError::Failed;
    }
}

bool SendMessage(int fd, MessageType type, std::span<const uint8_t> payload)
{
    std::vector<uint8_t> message(kHeaderSize + payload.size());
    message[0] = static_cast<uint8_t>(type);
    std::copy(payload.begin(), payload.end(), message.begin() + kHeaderSize);
    for (;;) {
        const ssize_t n = ::send(fd, message.data(), message.size(), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        return n == static_cast<ssize_t>(message.size());
    }
}

// One whole message, waiting at most until deadline. nullopt on time-out,
// end of connection or error.
std::optional<std::vector<uint8_t>> ReceiveMessage(int fd, Clock::time_point deadline)
{
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        pollfd p{fd, POLLIN, 0};
        const int r = ::poll(&p, 1, static_cast<int>(std::max<long long>(0, left)));
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0)
            return std::nullopt;
        std::vector<uint8_t> message(kMaxMessageSize);
        const ssize_t n = ::recv(fd, message.data(), message.size(), 0);
        if (n < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (n < static_cast<ssize_t>(kHeaderSize))
            return std::nullopt;
        message.resize(static_cast<std::size_t>(n));
        return message;
    }
}

// Connects to the socket and exchanges the hello. On success the connected
// descriptor and the reply; otherwise the error.
int Connect(const std::filesystem::path& socketPath, OpenMode mode, std::vector<uint8_t>* reply, HidError* error)
{
    auto fail = [&](HidError e) {
        if (error)
            *error = e;
        return -1;
    };
    Fd fd{::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0)};
    if (fd.fd < 0)
        return fail(HidError::Failed);
    if (const int failure = ConnectSocketAt(fd.fd, socketPath)) {
        switch (failure) {
        case EACCES:
        case EPERM:
            return fail(HidError::AccessDenied);
        case ENOENT:
        case ECONNREFUSED:
            return fail(HidError::NotFound); // a stale socket of a server that ended
        default:
            return fail(HidError::Failed);
        }
    }
    uint8_t hello[kHelloRequestSize] = {};
    std::memcpy(hello, &kMagic, 4);
    std::memcpy(hello + 4, &kVersion, 2);
    hello[6] = static_cast<uint8_t>(mode);
    if (!SendMessage(fd.fd, MessageType::Hello, hello))
        return fail(HidError::NotFound);
    auto answer = ReceiveMessage(fd.fd, Clock::now() + kVirtualHidReplyTimeout);
    if (!answer || (*answer)[0] != (static_cast<uint8_t>(MessageType::Hello) | kReply))
        return fail(HidError::NotFound);
    const HidError status = FromStatus((*answer)[1]);
    if (status != HidError::None)
        return fail(status);
    if (reply)
        *reply = std::move(*answer);
    if (error)
        *error = HidError::None;
    return fd.Release();
}

uint16_t U16(const std::vector<uint8_t>& bytes, std::size_t offset)
{
    return static_cast<uint16_t>(bytes[offset] | bytes[offset + 1] << 8);
}

} // namespace

std::optional<VirtualHidDescription> DescribeVirtualHid(const std::filesystem::path& socket, HidError* error)
{
    std::vector<uint8_t> reply;
    Fd fd{Connect(socket, OpenMode::Describe, &reply, error)};
    if (fd.fd < 0)
        return std::nullopt;
    if (reply.size() < kHeaderSize + kHelloReplyFixedSize) {
        if (error)
            *error = HidError::Failed;
        return std::nullopt;
    }
    VirtualHidDescription d;
    d.vendorId = U16(reply, kHeaderSize);
    d.productId = U16(reply, kHeaderSize + 2);
    d.version = U16(reply, kHeaderSize + 4);
    d.descriptor.assign(reply.begin() + kHeaderSize + kHelloReplyFixedSize, reply.end());
    return d;
}

HidError ProbeVirtualHid(const std::filesystem::path& socket)
{
    HidError error = HidError::Failed;
    Fd fd{Connect(socket, OpenMode::Probe, nullptr, &error)};
    return error;
}

std::unique_ptr<VirtualHidHandle> VirtualHidHandle::Open(const std::filesystem::path& socket, HidOpenMode mode,
                                                         HidError* error)
{
    const int fd =
        Connect(socket, mode == HidOpenMode::Commands ? OpenMode::Commands : OpenMode::Events, nullptr, error);
    if (fd < 0)
        return nullptr;
    return std::unique_ptr<VirtualHidHandle>(new VirtualHidHandle(fd));
}

VirtualHidHandle::~VirtualHidHandle()
{
    if (fd_ >= 0)
        ::close(fd_);
}

void VirtualHidHandle::Queue(std::vector<uint8_t> message)
{
    if (inputs_.size() < kMaxQueuedInputs)
        inputs_.push_back(std::move(message));
}

std::optional<std::vector<uint8_t>> VirtualHidHandle::Request(MessageType type, std::span<const uint8_t> payload)
{
    if (gone_ || !SendMessage(fd_, type, payload)) {
        gone_ = true;
        return std::nullopt;
    }
    const auto deadline = Clock::now() + kVirtualHidReplyTimeout;
    const uint8_t expected = static_cast<uint8_t>(type) | kReply;
    for (;;) {
        auto message = ReceiveMessage(fd_, deadline);
        if (!message) {
            gone_ = true;
            return std::nullopt;
        }
        if ((*message)[0] == static_cast<uint8_t>(MessageType::Input))
            Queue(std::move(*message));
        else if ((*message)[0] == expected)
            return message;
    }
}

bool VirtualHidHandle::SetFeature(std::span<const uint8_t> report)
{
    const auto reply = Request(MessageType::SetFeature, report);
    return reply && (*reply)[1] == static_cast<uint8_t>(Status::Ok);
}

bool VirtualHidHandle::GetFeature(std::span<uint8_t> report)
{
    const auto reply = Request(MessageType::GetFeature, report);
    if (!reply || (*reply)[1] != static_cast<uint8_t>(Status::Ok))
        return false;
    const std::size_t got = std::min(report.size(), reply->size() - kHeaderSize);
    std::memcpy(report.data(), reply->data() + kHeaderSize, got);
    std::memset(report.data() + got, 0, report.size() - got);
    return true;
}

bool VirtualHidHandle::Write(std::span<const uint8_t> report)
{
    const auto reply = Request(MessageType::Output, report);
    return reply && (*reply)[1] == static_cast<uint8_t>(Status::Ok);
}

HidReadResult VirtualHidHandle::Read(std::span<uint8_t> buffer, std::chrono::milliseconds timeout)
{
    auto deliver = [&](const std::vector<uint8_t>& message) {
        const std::size_t copied = std::min(buffer.size(), message.size() - kHeaderSize);
        std::memcpy(buffer.data(), message.data() + kHeaderSize, copied);
        return HidReadResult{HidReadStatus::Ok, copied};
    };
    const HidReadResult result = DeadlineRead(fd_, wait_, timeout, [&]() -> std::optional<HidReadResult> {
        // Reports that came in during a request go first.
        if (!inputs_.empty()) {
            const auto message = std::move(inputs_.front());
            inputs_.pop_front();
            return deliver(message);
        }
        if (gone_)
            return HidReadResult{HidReadStatus::Failed, 0};
        std::vector<uint8_t> message(kMaxMessageSize);
        const ssize_t n = ::recv(fd_, message.data(), message.size(), MSG_DONTWAIT);
        if (n < 0 && (errno == EAGAIN || errno == EINTR))
            return std::nullopt;
        if (n < static_cast<ssize_t>(kHeaderSize)) // end of connection: unplugged
            return HidReadResult{HidReadStatus::Failed, 0};
        message.resize(static_cast<std::size_t>(n));
        if (message[0] != static_cast<uint8_t>(MessageType::Input))
            return std::nullopt;
        return deliver(message);
    });
    if (result.status == HidReadStatus::Failed)
        gone_ = true;
    return result;
}

void VirtualHidHandle::CancelRead() { wait_.Cancel(); }

} // namespace lumeno
