#include "EmulatedHidSystem.h"

#include "platform/Pacer.h"

#include <algorithm>
#include <cctype>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <thread>

namespace lumeno {

// What an open handle and the system share: its queue of input reports and
// whether the device behind it is gone.
struct EmulatedHidSystem::HandleState {
    VirtualMouse* mouse = nullptr; // null for a foreign interface
    MouseCollection collection = MouseCollection::Commands;
    HidOpenMode mode = HidOpenMode::Commands;
    VirtualCollectionInfo info;
    Pacer* timeoutClock = nullptr;

    std::mutex mutex;
    std::condition_variable changed;
    std::deque<std::vector<uint8_t>> queue;
    bool dead = false;
    bool cancel = false;

    void Kill()
    {
        std::lock_guard lock(mutex);
        dead = true;
        changed.notify_all();
    }
    // The mouse to talk to, or null once the device is gone.
    VirtualMouse* Live()
    {
        std::lock_guard lock(mutex);
        return dead ? nullptr : mouse;
    }
};

struct EmulatedHidSystem::Served final : VirtualMouseHost {
    EmulatedHidSystem* system = nullptr;
    VirtualMouse* mouse = nullptr;
    InterfaceNameStyle style = InterfaceNameStyle::Upper;
    std::vector<std::weak_ptr<HandleState>> handles; // guarded by system->mutex_

    void OnInputReport(MouseCollection collection, std::span<const uint8_t> report) override
    {
        system->OnInput(*this, collection, report);
    }
    void OnPlugChanged(bool plugged) override { system->OnPlug(*this, plugged); }
};

class EmulatedHidSystem::Handle final : public HidHandle {
public:
    explicit Handle(std::shared_ptr<HandleState> state) : state_(std::move(state)) {}

    bool SetFeature(std::span<const uint8_t> report) override
    {
        VirtualMouse* mouse = state_->Live();
        if (!mouse || state_->mode != HidOpenMode::Commands || report.empty() ||
            report.size() != state_->info.featureReportLength || !AnswersInTime(*mouse))
            return false;
        return mouse->HandleSetFeature(state_->collection, report);
    }

    bool GetFeature(std::span<uint8_t> report) override
    {
        VirtualMouse* mouse = state_->Live();
        if (!mouse || state_->mode != HidOpenMode::Commands || report.empty() ||
            report.size() != state_->info.featureReportLength || !AnswersInTime(*mouse))
            return false;
        return mouse->HandleGetFeature(state_->collection, report);
    }

    bool Write(std::span<const uint8_t> report) override
    {
        VirtualMouse* mouse = state_->Live();
        if (!mouse || state_->mode != HidOpenMode::Commands || report.empty() ||
            report.size() != state_->info.outputReportLength || !AnswersInTime(*mouse))
            return false;
        return mouse->HandleOutputReport(state_->collection, report);
    }

    HidReadResult Read(std::span<uint8_t> buffer, std::chrono::milliseconds timeout) override
    {
        HandleState& s = *state_;
        std::unique_lock lock(s.mutex);
        auto ready = [&s] { return s.cancel || s.dead || !s.queue.empty(); };
        if (!ready()) {
            if (timeout.count() == 0)
                return {HidReadStatus::TimedOut, 0};
            if (timeout != kHidWaitForever && s.timeoutClock) {
                lock.unlock();
                s.timeoutClock->Pause(timeout);
                lock.lock();
                if (!ready())
                    return {HidReadStatus::TimedOut, 0};
            } else if (timeout == kHidWaitForever) {
                s.changed.wait(lock, ready);
            } else if (!s.changed.wait_for(lock, timeout, ready)) {
                return {HidReadStatus::TimedOut, 0};
            }
        }
        if (s.cancel) {
            s.cancel = false;
            return {HidReadStatus::Cancelled, 0};
        }
        if (!s.queue.empty()) {
            const std::vector<uint8_t> report = std::move(s.queue.front());
            s.queue.pop_front();
            const size_t n = std::min(report.size(), buffer.size());
            std::copy_n(report.begin(), n, buffer.begin());
            return {HidReadStatus::Ok, n};
        }
        return {HidReadStatus::Failed, 0};
    }

    void CancelRead() override
    {
        std::lock_guard lock(state_->mutex);
        state_->cancel = true;
        state_->changed.notify_all();
    }

private:
    // A slow mouse costs its answer delay; one slower than the answer limit
    // costs the limit and its report goes unanswered, as with a real device.
    bool AnswersInTime(const VirtualMouse& mouse)
    {
        const std::chrono::milliseconds delay = mouse.Faults().answerDelay;
        if (delay.count() <= 0)
            return true;
        const std::chrono::milliseconds waited = std::min(delay, kEmulatedAnswerLimit);
        if (state_->timeoutClock)
            state_->timeoutClock->Pause(waited);
        else
            std::this_thread::sleep_for(waited);
        return delay < kEmulatedAnswerLimit;
    }

    std::shared_ptr<HandleState> state_;
};

EmulatedHidSystem::EmulatedHidSystem(Pacer* timeoutClock) : timeoutClock_(timeoutClock) {}

EmulatedHidSystem::~EmulatedHidSystem()
{
    std::vector<std::unique_ptr<Served>> mice;
    {
        std::lock_guard lock(mutex_);
        mice.swap(mice_);
    }
    for (auto& served : mice) {
        served->mouse->SetHost(nullptr);
        for (auto& weak : served->handles)
            if (auto state = weak.lock())
                state->Kill();
    }
}

void EmulatedHidSystem::AddMouse(VirtualMouse& mouse, InterfaceNameStyle style)
{
    auto served = std::make_unique<Served>();
    served->system = this;
    served->mouse = &mouse;
    served->style = style;
    Served* raw = served.get();
    {
        std::lock_guard lock(mutex_);
        mice_.push_back(std::move(served));
    }
    mouse.SetHost(raw);
}

void EmulatedHidSystem::RemoveMouse(VirtualMouse& mouse)
{
    mouse.SetHost(nullptr);
    std::unique_ptr<Served> removed;
    {
        std::lock_guard lock(mutex_);
        auto it = std::find_if(mice_.begin(), mice_.end(), [&](const auto& s) { return s->mouse == &mouse; });
        if (it == mice_.end())
            return;
        removed = std::move(*it);
        mice_.erase(it);
    }
    for (auto& weak : removed->handles)
        if (auto state = weak.lock())
            state->Kill();
}

void EmulatedHidSystem::AddForeignInterface(const HidInterfaceInfo& info, HidError probeResult)
{
    std::lock_guard lock(mutex_);
    foreign_.push_back({info, probeResult});
}

void EmulatedHidSystem::SetEnumerationFails(bool fails)
{
    std::lock_guard lock(mutex_);
    enumerationFails_ = fails;
}

std::string EmulatedHidSystem::InterfaceName(const VirtualMouse& mouse, const VirtualCollectionInfo& c,
                                             InterfaceNameStyle style)
{
    char ids[96];
    const char* format =
        style == InterfaceNameStyle::Mixed ? "Vid_%04x&Pid_%04x&MI_%02d&Col%02d" : "VID_%04X&PID_%04X&MI_%02d&Col%02d";
    // The receiver is its own USB interface; the mouse's collections share one.
    const int usbInterface = c.collection == MouseCollection::Dongle ? 2 : 1;
    std::snprintf(ids, sizeof ids, format, c.vendorId, c.productId, usbInterface, c.number);
    std::string name =
        std::string("\\\\?\\HID#") + ids + "#" + mouse.Options().instanceId + "#{4d1e55b2-f16f-11cf-88cb-001111000030}";
    if (style == InterfaceNameStyle::Lower)
        std::transform(name.begin(), name.end(), name.begin(), [](unsigned char ch) { return char(std::tolower(ch)); });
    return name;
}

std::optional<std::vector<HidInterfaceInfo>> EmulatedHidSystem::Enumerate()
{
    std::lock_guard lock(mutex_);
    if (enumerationFails_)
        return std::nullopt;
    std::vector<HidInterfaceInfo> list;
    for (const Foreign& f : foreign_)
        list.push_back(f.info);
    for (const auto& served : mice_) {
        if (!served->mouse->IsPlugged())
            continue;
        for (const VirtualCollectionInfo& c : served->mouse->Collections()) {
            HidInterfaceInfo info;
            info.path = InterfaceName(*served->mouse, c, served->style);
            info.vendorId = c.vendorId;
            info.productId = c.productId;
            info.version = c.version;
            info.usagePage = c.usagePage;
            info.usage = c.usage;
            info.featureReportLength = c.featureReportLength;
            info.inputReportLength = c.inputReportLength;
            info.outputReportLength = c.outputReportLength;
            list.push_back(info);
        }
    }
    return list;
}

EmulatedHidSystem::Located EmulatedHidSystem::LocateLocked(const std::string& path)
{
    for (const Foreign& f : foreign_)
        if (f.info.path == path)
            return {nullptr, {}, &f};
    for (const auto& served : mice_) {
        if (!served->mouse->IsPlugged())
            continue;
        for (const VirtualCollectionInfo& c : served->mouse->Collections())
            if (InterfaceName(*served->mouse, c, served->style) == path)
                return {served.get(), c, nullptr};
    }
    return {};
}

HidError EmulatedHidSystem::Probe(const std::string& path)
{
    std::lock_guard lock(mutex_);
    const Located at = LocateLocked(path);
    if (at.foreign)
        return at.foreign->probeResult;
    if (!at.served)
        return HidError::NotFound;
    return at.served->mouse->AccessDenied() ? HidError::AccessDenied : HidError::None;
}

std::unique_ptr<HidHandle> EmulatedHidSystem::Open(const std::string& path, HidOpenMode mode, HidError* error)
{
    std::lock_guard lock(mutex_);
    const Located at = LocateLocked(path);
    HidError result = HidError::None;
    if (at.foreign)
        result = at.foreign->probeResult;
    else if (!at.served)
        result = HidError::NotFound;
    else if (at.served->mouse->AccessDenied())
        result = HidError::AccessDenied;
    if (error)
        *error = result;
    if (result != HidError::None)
        return nullptr;

    auto state = std::make_shared<HandleState>();
    state->mode = mode;
    state->timeoutClock = timeoutClock_;
    if (at.foreign) {
        state->info.featureReportLength = at.foreign->info.featureReportLength;
        state->info.inputReportLength = at.foreign->info.inputReportLength;
        state->info.outputReportLength = at.foreign->info.outputReportLength;
    } else {
        state->mouse = at.served->mouse;
        state->collection = at.collection.collection;
        state->info = at.collection;
        // Drop handles that were closed meanwhile.
        auto& handles = at.served->handles;
        handles.erase(std::remove_if(handles.begin(), handles.end(), [](const auto& w) { return w.expired(); }),
                      handles.end());
        handles.push_back(state);
    }
    return std::make_unique<Handle>(std::move(state));
}

void EmulatedHidSystem::SetNoticeCallback(HidNoticeCallback callback)
{
    std::lock_guard lock(callbackMutex_);
    callback_ = std::move(callback);
}

void EmulatedHidSystem::OnInput(Served& served, MouseCollection collection, std::span<const uint8_t> report)
{
    std::vector<std::shared_ptr<HandleState>> targets;
    {
        std::lock_guard lock(mutex_);
        for (auto& weak : served.handles)
            if (auto state = weak.lock(); state && state->collection == collection)
                targets.push_back(std::move(state));
    }
    for (auto& state : targets) {
        std::lock_guard lock(state->mutex);
        if (state->dead)
            continue;
        state->queue.emplace_back(report.begin(), report.end());
        state->changed.notify_all();
    }
}

void EmulatedHidSystem::OnPlug(Served& served, bool plugged)
{
    std::vector<std::string> names;
    std::vector<std::shared_ptr<HandleState>> gone;
    {
        std::lock_guard lock(mutex_);
        for (const VirtualCollectionInfo& c : served.mouse->Collections())
            names.push_back(InterfaceName(*served.mouse, c, served.style));
        if (!plugged) {
            for (auto& weak : served.handles)
                if (auto state = weak.lock())
                    gone.push_back(std::move(state));
            served.handles.clear();
        }
    }
    for (auto& state : gone)
        state->Kill();
    Notify(plugged ? HidNoticeKind::Arrival : HidNoticeKind::Removal, names);
}

void EmulatedHidSystem::Notify(HidNoticeKind kind, const std::vector<std::string>& names)
{
    std::lock_guard lock(callbackMutex_);
    if (!callback_)
        return;
    for (const std::string& name : names)
        callback_(kind, name);
}

} // namespace lumeno
