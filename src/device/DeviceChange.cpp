#include "device/DeviceChange.h"

#include "config/AppContext.h"
#include "config/ConfigFiles.h"
#include "config/ProfileSettings.h"
#include "device/DeviceLink.h"
#include "device/EventReader.h"
#include "platform/DebugOutput.h"
#include "platform/DeviceNoticeSink.h"

#include <algorithm>
#include <array>

namespace lumeno {

namespace {

// Plain, case-sensitive substrings. The receiver's product id 2C33 triggers
// a search too; the search alone decides what is the mouse.
constexpr std::array<std::string_view, 4> kDeviceNameFilters{
    "Vid_7a1f&Pid_2c33",
    "VID_7A1F&PID_2C33",
    "Vid_7a1f&Pid_2c41",
    "VID_7A1F&PID_2C41",
};

// Found: reset what the program remembered of the mouse.
void ForgetDevice(AppContext& ctx, DeviceLink& link)
{
    link.connection.SetMouseConnected(true);
    link.state.Clear();
    ctx.image.profileIndex = 0;
}

} // namespace

bool PassesDeviceNameFilter(std::string_view name)
{
    return std::any_of(kDeviceNameFilters.begin(), kDeviceNameFilters.end(),
                       [name](std::string_view filter) { return name.find(filter) != std::string_view::npos; });
}

DeviceChangeHandler::DeviceChangeHandler(AppContext& ctx, DeviceLink& link, EventReader& reader,
                                         ConnectionView& view, DeviceNoticeSink& notices)
    : ctx_(ctx), link_(link), reader_(reader), view_(view), notices_(notices)
{
}

bool DeviceChangeHandler::OnHidNotice(HidNoticeKind kind, const std::string& interfaceName)
{
    const uint32_t code = kind == HidNoticeKind::Arrival ? kDeviceArrival : kDeviceRemoveComplete;
    return OnDeviceChange(code, kDeviceTypeInterface, interfaceName);
}

bool DeviceChangeHandler::OnDeviceChange(uint32_t eventCode, uint32_t deviceType, const std::string& name)
{
    if (deviceType != kDeviceTypeInterface || !PassesDeviceNameFilter(name))
        return true;
    if (eventCode == kDeviceArrival)
        Arrival();
    else if (eventCode == kDeviceRemoveComplete)
        Removal();
    return true;
}

void DeviceChangeHandler::Arrival()
{
    if (!link_.connection.CheckConnection()) {
        link_.connection.SetMouseConnected(false);
        view_.HideMainWindow();
        view_.RemoveTrayIcon();
        return;
    }
    link_.connection.SetMouseConnected(true);
    notices_.PostNotice(DeviceNoticeKind::MouseFound, 0);
    ForgetDevice(ctx_, link_);
    LoadConfigFile(ctx_);
    LoadProfileSettings(ctx_, ctx_.paths.currentSettingsFile);
    reader_.Start();
    view_.SetDpiHundredStepMode();
    view_.AddTrayIcon();
}

void DeviceChangeHandler::Removal()
{
    if (link_.connection.CheckConnection()) {
        // Another interface of the same kind went away; the mouse is still here.
        link_.connection.SetMouseConnected(true);
        view_.AddTrayIcon();
        view_.SetDpiHundredStepMode();
        return;
    }
    ctx_.debug.Write("The system did not detect the Lumeno-KV580 Pro.\n");
    link_.connection.SetMouseConnected(false);
    // The removed mouse's handles are closed now rather than at the next
    // search, so nothing keeps talking to a device that is gone.
    link_.connection.CloseHandles();
    reader_.Wake();
    notices_.PostNotice(DeviceNoticeKind::MouseGone, 0);
    view_.HideMainWindow();
    view_.DestroyMacroManager();
    view_.RemoveTrayIcon();
}

bool StartDeviceLink(AppContext& ctx, DeviceLink& link, EventReader& reader)
{
    if (link.connection.CheckConnection())
        ForgetDevice(ctx, link);
    else
        link.connection.SetMouseConnected(false);
    if (link.connection.MouseConnected())
        reader.Start();
    return link.connection.MouseConnected();
}

} // namespace lumeno
