#pragma once
// The program's session with the mouse: the connection check of start-up,
// the event reader, and what an arrival or a removal of the mouse's
// interfaces does to the connection and the loaded profile. It reports the
// outcome to one listener on the UI thread; what that means for windows is
// the listener's business.
#include "platform/DeviceNoticeSink.h"
#include "platform/HidSystem.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

namespace lumeno {

struct AppContext;
class DeviceLink;
class EventReader;
class UiThread;

// Called on the UI thread.
class DeviceSessionListener {
public:
    virtual ~DeviceSessionListener() = default;
    // The mouse is connected. announced: it has just arrived (and its
    // profile was reloaded); otherwise a search after another interface's
    // removal found it still there.
    virtual void MouseArrived(bool announced) = 0;
    // The mouse is not connected. announced: it has just been removed;
    // otherwise an arrival's search did not find it.
    virtual void MouseGone(bool announced) = 0;
    // The user switched the DPI stage on the mouse (index 0..7 as reported).
    virtual void DpiStageChanged(int stage) = 0;
};

class DeviceSession final : private DeviceNoticeSink {
public:
    DeviceSession(AppContext& ctx, DeviceLink& link, HidSystem& hid, UiThread& ui, DeviceSessionListener& listener);
    // Stops the reader, stops listening for notices and closes the handles.
    ~DeviceSession() override;
    DeviceSession(const DeviceSession&) = delete;
    DeviceSession& operator=(const DeviceSession&) = delete;

    // Start-up: the connection check (on success the device-side state is
    // cleared and profileIndex set to 0), the event reader when the mouse is
    // connected, and the arrival and removal notices of the HID layer.
    // Returns whether the mouse is connected.
    bool Start();

    // The device-change notification: event code, device type and interface
    // name. Acts on arrival and removal of interfaces whose name passes the
    // filter; returns true (handled) in every case. UI thread.
    bool OnDeviceChange(uint32_t eventCode, uint32_t deviceType, const std::string& interfaceName);

    bool MouseConnected() const;
    EventReader& Reader() { return *reader_; }

    // After a flow: when reports went unanswered the mouse can no longer be
    // reached; that is handled as a removal, and the mouse counts as lost
    // until a search finds it answering again (or it arrives again). UI
    // thread.
    void AfterFlow();
    bool Lost() const { return lost_; }
    // For a lost mouse: the search, and whether the mouse answers. It may
    // wait as long as an unanswered read does, so it runs on the device
    // worker, never on the UI thread.
    bool SearchAnswering();
    // A search found the lost mouse answering: handled as an arrival. UI
    // thread.
    void FoundAgain();

private:
    void PostNotice(DeviceNoticeKind kind, int param, std::function<void()> handled) override;
    void OnHidNotice(HidNoticeKind kind, const std::string& interfaceName);
    void Arrival();
    void Removal();
    void Gone();
    void Found();

    AppContext& ctx_;
    DeviceLink& link_;
    HidSystem& hid_;
    UiThread& ui_;
    DeviceSessionListener& listener_;
    std::unique_ptr<EventReader> reader_;
    bool lost_ = false;
    // Notices of one plug or unplug come in a burst, one per interface; a
    // change already queued for the UI thread takes the later ones along.
    std::atomic<bool> arrivalQueued_{false};
    std::atomic<bool> removalQueued_{false};
};

} // namespace lumeno
