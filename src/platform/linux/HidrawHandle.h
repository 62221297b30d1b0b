#pragma once
// One open HID top-level collection on a hidraw node. The kernel gives one
// node per HID device and leaves the report id out of unnumbered input
// reports; this handle puts it back (byte 0 = 0) and, on a node with several
// collections, passes on only the input reports of its own collection.
#include "platform/HidSystem.h"
#include "platform/linux/CancelableWait.h"

#include <atomic>
#include <set>
#include <string>

namespace lumeno {

class HidrawHandle final : public HidHandle {
public:
    // Opens node ("/dev/hidraw3") for the collection (1-based; 0 = the whole
    // node). nullptr and the reason in error on failure.
    static std::unique_ptr<HidrawHandle> Open(const std::string& node, int collection, HidOpenMode mode,
                                              HidError* error);
    ~HidrawHandle() override;

    bool SetFeature(std::span<const uint8_t> report) override;
    bool GetFeature(std::span<uint8_t> report) override;
    bool Write(std::span<const uint8_t> report) override;
    HidReadResult Read(std::span<uint8_t> buffer, std::chrono::milliseconds timeout) override;
    void CancelRead() override;

    // Maps an errno value of open() to the error kind callers act on.
    static HidError ErrorFromErrno(int error);

private:
    explicit HidrawHandle(int fd) : fd_(fd) {}
    bool Usable() const { return fd_ >= 0 && !gone_.load(); }
    void NoteFailure(int error);

    int fd_ = -1;
    bool numbered_ = false;
    std::set<uint8_t> ownIds_; // empty: every report belongs to this handle
    std::atomic<bool> gone_{false};
    CancelableWait wait_;
};

} // namespace lumeno
