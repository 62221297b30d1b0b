#pragma once
// What the program does when a HID interface arrives or goes away, and the
// device steps of start-up.
#include "platform/HidSystem.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace lumeno {

struct AppContext;
class DeviceLink;
class DeviceNoticeSink;
class EventReader;

inline constexpr uint32_t kDeviceArrival = 0x8000;
inline constexpr uint32_t kDeviceRemoveComplete = 0x8004;
inline constexpr uint32_t kDeviceTypeInterface = 5;

// The parts of the user interface a connection change touches. UI thread.
class ConnectionView {
public:
    virtual ~ConnectionView() = default;
    virtual void AddTrayIcon() = 0;
    virtual void RemoveTrayIcon() = 0;
    virtual void HideMainWindow() = 0;
    virtual void SetDpiHundredStepMode() = 0; // the DPI pane in 100-step mode
    virtual void DestroyMacroManager() = 0;   // if it is open
};

// True when an interface name names the mouse (or its receiver) in one of
// the two spellings the system uses: "VID_7A1F&PID_2C41" or
// "Vid_7a1f&Pid_2c41", and the same with product id 2C33.
bool PassesDeviceNameFilter(std::string_view interfaceName);

class DeviceChangeHandler {
public:
    DeviceChangeHandler(AppContext& ctx, DeviceLink& link, EventReader& reader, ConnectionView& view,
                        DeviceNoticeSink& notices);

    // The device-change notification: event code, device type and interface
    // name. Acts on arrival and removal of interfaces whose name passes the
    // filter; returns true (handled) in every case.
    bool OnDeviceChange(uint32_t eventCode, uint32_t deviceType, const std::string& interfaceName);
    // The same for a notice of the HID layer.
    bool OnHidNotice(HidNoticeKind kind, const std::string& interfaceName);

private:
    void Arrival();
    void Removal();

    AppContext& ctx_;
    DeviceLink& link_;
    EventReader& reader_;
    ConnectionView& view_;
    DeviceNoticeSink& notices_;
};

// Start-up, device steps: the connection check (on success the device-side
// state is cleared and profileIndex set to 0), then the event reader is
// started when the mouse is connected. Returns whether it is.
bool StartDeviceLink(AppContext& ctx, DeviceLink& link, EventReader& reader);

} // namespace lumeno
