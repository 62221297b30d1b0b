#pragma once
// The client end of the virtual-device socket protocol: describes, probes and
// opens a collection served by lumeno-virtual-mouse.
#include "platform/HidSystem.h"
#include "platform/VirtualHidProtocol.h"
#include "platform/linux/CancelableWait.h"

#include <atomic>
#include <chrono>
#include <deque>
#include <filesystem>
#include <optional>
#include <vector>

namespace lumeno {

struct VirtualHidDescription {
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t version = 0;
    std::vector<uint8_t> descriptor;
};

// How long a request waits for the server's answer before the device counts
// as gone; a hung server must not hang the program.
inline constexpr std::chrono::milliseconds kVirtualHidReplyTimeout{2000};

// Asks the server of socket for its ids and report descriptor.
std::optional<VirtualHidDescription> DescribeVirtualHid(const std::filesystem::path& socket, HidError* error);

// Connects and asks whether an open would be allowed.
HidError ProbeVirtualHid(const std::filesystem::path& socket);

class VirtualHidHandle final : public HidHandle {
public:
    static std::unique_ptr<VirtualHidHandle> Open(const std::filesystem::path& socket, HidOpenMode mode,
                                                  HidError* error);
    ~VirtualHidHandle() override;

    bool SetFeature(std::span<const uint8_t> report) override;
    bool GetFeature(std::span<uint8_t> report) override;
    bool Write(std::span<const uint8_t> report) override;
    HidReadResult Read(std::span<uint8_t> buffer, std::chrono::milliseconds timeout) override;
    void CancelRead() override;

private:
    explicit VirtualHidHandle(int fd) : fd_(fd) {}
    // Sends a request and waits for its reply; input reports that arrive
    // meanwhile are queued for Read. nullopt when the device is gone.
    std::optional<std::vector<uint8_t>> Request(virtualhid::MessageType type, std::span<const uint8_t> payload);
    void Queue(std::vector<uint8_t> message);

    int fd_ = -1;
    std::atomic<bool> gone_{false};
    std::deque<std::vector<uint8_t>> inputs_; // whole messages, header included
    CancelableWait wait_;
};

} // namespace lumeno
