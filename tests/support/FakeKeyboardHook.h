#pragma once
// A desktop keyboard hook the test types on: while started, Type hands key
// events to the callback as the desktop would; a refusal can be scripted.
#include "platform/KeyboardHook.h"

#include <string>

namespace lumeno::test {

class FakeKeyboardHook final : public KeyboardHook {
public:
    bool Start(Callback callback, KeyboardHookFailure& failure) override
    {
        if (refuseWith) {
            failure = {refuseWith, "the keyboard is grabbed by another client"};
            return false;
        }
        callback_ = std::move(callback);
        active_ = true;
        ++starts;
        return true;
    }
    void Stop() override
    {
        if (active_)
            ++stops;
        active_ = false;
        callback_ = nullptr;
    }
    bool Active() const override { return active_; }

    // One key event; false when no grab is active (the event went elsewhere).
    bool Type(uint32_t virtualKey, bool up, bool extended = false)
    {
        if (!active_ || !callback_)
            return false;
        KeyboardEvent e;
        e.virtualKey = virtualKey;
        e.flags = (up ? kKeyFlagUp : 0u) | (extended ? kKeyFlagExtended : 0u);
        callback_(e);
        return true;
    }

    int refuseWith = 0;
    int starts = 0;
    int stops = 0;

private:
    Callback callback_;
    bool active_ = false;
};

} // namespace lumeno::test
