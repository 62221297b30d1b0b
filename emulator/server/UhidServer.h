#pragma once
// Serves a VirtualMouse through /dev/uhid as real kernel HID devices: one
// device per collection, as the mouse's USB interfaces would appear, so that
// every HID tool, and the hidraw backend, sees real /dev/hidrawN nodes.
//
// uhid details that matter: a feature report that hidraw sets arrives with
// its report id byte first (0 for unnumbered reports), and so does an output
// report; the reply to a feature read is handed to the hidraw caller as it
// is, so it carries the report id first, as a USB device's reply does.
#include "TrafficLog.h"
#include "VirtualMouse.h"
#include "WakeableWorker.h"

#include <atomic>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace lumeno {

class UhidServer final : public VirtualMouseHost {
public:
    using LineSink = std::function<void(const std::string&)>;

    explicit UhidServer(VirtualMouse& mouse, LineSink lines = {}, std::filesystem::path uhidNode = "/dev/uhid");
    ~UhidServer() override;
    UhidServer(const UhidServer&) = delete;
    UhidServer& operator=(const UhidServer&) = delete;

    // Creates the devices (if the mouse is plugged in) and starts serving.
    bool Start(std::string* error = nullptr);
    void Stop();

    void OnInputReport(MouseCollection collection, std::span<const uint8_t> report) override;
    void OnPlugChanged(bool plugged) override;

private:
    struct Device {
        VirtualCollectionInfo info;
        std::vector<uint8_t> descriptor;
        int fd = -1;
    };

    void Run();
    bool Create(std::string* error);
    void Destroy();
    void DestroyLocked(); // mutex_ held
    void Serve(Device& device);
    bool WriteEvent(int fd, const void* event);

    VirtualMouse& mouse_;
    LineSink lines_;
    std::filesystem::path node_;
    TrafficLog log_;

    std::mutex mutex_; // guards the devices' descriptors and writes to them
    std::vector<Device> devices_;
    bool created_ = false;

    std::atomic<bool> wantPlugged_{false};
    WakeableWorker worker_;
};

} // namespace lumeno
