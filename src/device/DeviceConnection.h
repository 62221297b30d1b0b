#pragma once
// Finding and opening the mouse's two vendor collections, and the connection
// state they leave behind.
//
// Threads: every member is called on the UI thread, except the ones marked
// "any thread", which the event reader uses. The UI thread is the only writer.
#include "platform/HidSystem.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

namespace lumeno {

class DebugOutput;

inline constexpr uint16_t kMouseVendorId = 0x7A1F;
inline constexpr uint16_t kMouseProductId = 0x2C41;
inline constexpr uint16_t kCommandUsagePage = 0xFF01;
inline constexpr uint16_t kEventUsagePage = 0xFF02;
inline constexpr uint16_t kVendorCollectionUsage = 1;
inline constexpr uint16_t kRequiredFeatureReportLength = 9;

// The error numbers the diagnostic lines show, in the Windows numbering of
// the lines (so logs from both systems compare).
int DiagnosticErrorCode(HidError error);

class DeviceConnection {
public:
    DeviceConnection(HidSystem& hid, DebugOutput& debug);

    // Searches the event collection; on success opens it, records its input
    // report length and calls the event-interface hook (it wakes the reader).
    bool FindEventInterface();
    // Searches the command collection; on success opens it, records its three
    // report lengths and marks the mouse connected.
    bool FindCommandInterface();
    // FindEventInterface and, only if it succeeded, FindCommandInterface.
    bool CheckConnection();
    // Whether the open command collection answers a feature read (the reply
    // of the last command; the mouse is not changed). Waits as long as the
    // collection lets a read wait.
    bool Answers();

    // Called after every successful FindEventInterface.
    void SetEventInterfaceHook(std::function<void()> hook) { eventInterfaceHook_ = std::move(hook); }

    bool MouseConnected() const { return connected_.load(); } // any thread
    void SetMouseConnected(bool connected) { connected_.store(connected); }

    // Closes both collections (the reader's pending read fails and it waits
    // for the next wake).
    void CloseHandles();

    std::shared_ptr<HidHandle> CommandHandle() const { return commandHandle_; }
    std::shared_ptr<HidHandle> EventHandle() const; // any thread

    uint16_t FeatureReportLength() const { return featureLength_; }
    uint16_t InputReportLength() const { return inputLength_; }
    uint16_t OutputReportLength() const { return outputLength_; }
    uint16_t EventReportLength() const { return eventLength_.load(); } // any thread
    const std::string& DevicePath() const { return devicePath_; }      // last one examined

    HidSystem& Hid() { return hid_; }

    struct SearchRules; // the rules that tell the two searches apart

private:
    // The opened handle and the collection it belongs to; handle null when
    // the search failed.
    struct Found {
        std::unique_ptr<HidHandle> handle;
        HidInterfaceInfo info;
    };
    Found Search(const SearchRules& rules);

    HidSystem& hid_;
    DebugOutput& debug_;
    std::function<void()> eventInterfaceHook_;

    std::atomic<bool> connected_{false};
    std::shared_ptr<HidHandle> commandHandle_;
    mutable std::mutex eventHandleMutex_; // the reader takes copies of the handle
    std::shared_ptr<HidHandle> eventHandle_;
    uint16_t featureLength_ = 0;
    uint16_t inputLength_ = 0;
    uint16_t outputLength_ = 0;
    std::atomic<uint16_t> eventLength_{0};
    std::string devicePath_;
};

} // namespace lumeno
