#include "flows/DeviceSession.h"

#include "config/ProfileSettings.h"
#include "device/DeviceChange.h"
#include "device/DeviceLink.h"
#include "device/EventReader.h"
#include "flows/AppContext.h"
#include "flows/ProfileLoad.h"
#include "platform/DebugOutput.h"
#include "platform/UiThread.h"

namespace lumeno {

namespace {

// Found: reset what the program remembered of the mouse.
void ForgetDevice(AppContext& ctx, DeviceLink& link)
{
    link.connection.SetMouseConnected(true);
    link.state.Clear();
    ctx.image.profileIndex = 0;
}

} // namespace

DeviceSession::DeviceSession(AppContext& ctx, DeviceLink& link, HidSystem& hid, UiThread& ui,
                             DeviceSessionListener& listener)
    : ctx_(ctx), link_(link), hid_(hid), ui_(ui), listener_(listener),
      reader_(std::make_unique<EventReader>(link.connection, static_cast<DeviceNoticeSink&>(*this)))
{
}

DeviceSession::~DeviceSession()
{
    hid_.SetNoticeCallback({});
    reader_->Stop();
    link_.connection.CloseHandles();
}

bool DeviceSession::MouseConnected() const { return link_.connection.MouseConnected(); }

bool DeviceSession::Start()
{
    if (link_.connection.CheckConnection())
        ForgetDevice(ctx_, link_);
    else
        link_.connection.SetMouseConnected(false);
    if (link_.connection.MouseConnected())
        reader_->Start();

    // Arrival and removal come from the HID layer's thread.
    hid_.SetNoticeCallback([this](HidNoticeKind kind, const std::string& name) { OnHidNotice(kind, name); });
    return link_.connection.MouseConnected();
}

void DeviceSession::OnHidNotice(HidNoticeKind kind, const std::string& name)
{
    // A flow that is talking to a mouse being removed stops sending at once;
    // the removal itself is handled after that flow.
    if (!PassesDeviceNameFilter(name))
        return;
    if (kind == HidNoticeKind::Removal)
        link_.cancel.store(true);
    std::atomic<bool>& queued = kind == HidNoticeKind::Arrival ? arrivalQueued_ : removalQueued_;
    if (queued.exchange(true))
        return; // the change already queued searches once for the whole burst
    const uint32_t code = kind == HidNoticeKind::Arrival ? kDeviceArrival : kDeviceRemoveComplete;
    ui_.Post([this, code, name, &queued] {
        queued.store(false);
        OnDeviceChange(code, kDeviceTypeInterface, name);
    });
}

void DeviceSession::PostNotice(DeviceNoticeKind kind, int param, std::function<void()> handled)
{
    ui_.Post([this, kind, param, handled = std::move(handled)] {
        if (kind == DeviceNoticeKind::DpiStageChanged)
            listener_.DpiStageChanged(param);
        if (handled)
            handled();
    });
}

bool DeviceSession::OnDeviceChange(uint32_t eventCode, uint32_t deviceType, const std::string& name)
{
    if (deviceType != kDeviceTypeInterface || !PassesDeviceNameFilter(name))
        return true;
    if (eventCode == kDeviceArrival)
        Arrival();
    else if (eventCode == kDeviceRemoveComplete)
        Removal();
    return true;
}

void DeviceSession::Arrival()
{
    const bool wasConnected = MouseConnected();
    if (!link_.connection.CheckConnection()) {
        link_.connection.SetMouseConnected(false);
        listener_.MouseGone(false);
        return;
    }
    if (wasConnected) {
        // Another interface of a mouse already here: nothing has changed.
        link_.connection.SetMouseConnected(true);
        return;
    }
    Found();
}

void DeviceSession::Removal()
{
    const bool wasConnected = MouseConnected();
    if (link_.connection.CheckConnection()) {
        // Another interface of the same kind went away; the mouse is still here.
        link_.connection.SetMouseConnected(true);
        listener_.MouseArrived(false);
        return;
    }
    ctx_.debug.Write("The system did not detect the Lumeno-KV580 Pro.\n");
    link_.connection.SetMouseConnected(false);
    if (wasConnected || lost_)
        Gone();
    else
        listener_.MouseGone(false); // still no mouse: nothing to announce
}

void DeviceSession::Found()
{
    lost_ = false;
    ForgetDevice(ctx_, link_);
    LoadProfile(ctx_);
    LoadProfileSettings(ctx_, ctx_.paths.currentSettingsFile);
    reader_->Start();
    listener_.MouseArrived(true);
}

void DeviceSession::Gone()
{
    link_.connection.SetMouseConnected(false);
    // The removed mouse's handles are closed now rather than at the next
    // search, so nothing keeps talking to a device that is gone.
    link_.connection.CloseHandles();
    reader_->Wake();
    if (lost_) {
        lost_ = false; // removed for real: an arrival brings it back
        return;        // the user was told when it stopped answering
    }
    listener_.MouseGone(true);
}

void DeviceSession::AfterFlow()
{
    if (!link_.transport.TakeUnanswered() || !MouseConnected())
        return;
    ctx_.debug.Write("The Lumeno-KV580 Pro stopped answering.\n");
    Gone();
    lost_ = true;
}

bool DeviceSession::SearchAnswering()
{
    if (!link_.connection.CheckConnection())
        return false;
    if (link_.connection.Answers())
        return true;
    link_.connection.SetMouseConnected(false);
    link_.connection.CloseHandles();
    return false;
}

void DeviceSession::FoundAgain()
{
    if (!lost_)
        return;
    link_.connection.SetMouseConnected(true);
    Found();
}

} // namespace lumeno
