#pragma once
#include "platform/KeyboardHook.h"

#include <chrono>
#include <functional>
#include <string>

namespace lumeno {

class DebugOutput;

// The desktop keyboard hook on X11: an active keyboard grab on the root
// window, held by a connection of its own. While it is held every key of
// the desktop (Super, Alt+Tab and Esc included) comes to this connection and
// to no other program or window, and every event is consumed. The
// connection asks for detectable auto-repeat, so a held key gives repeated
// presses and one release. Key codes are translated by the table of
// EvdevKeys.h.
//
// Events are read on the caller's thread: the owner watches Descriptor()
// (on the UI thread) and calls Dispatch() when it is readable, and also
// whenever the wake function set below is called (events Xlib already
// queued while waiting for a reply). All calls belong to that one thread.
class X11KeyboardHook final : public KeyboardHook {
public:
    // Connects to displayName (empty: $DISPLAY). Without a display the hook
    // never starts.
    explicit X11KeyboardHook(DebugOutput& debug, const std::string& displayName = {});
    ~X11KeyboardHook() override;
    X11KeyboardHook(const X11KeyboardHook&) = delete;
    X11KeyboardHook& operator=(const X11KeyboardHook&) = delete;

    bool Connected() const { return display_ != nullptr; }
    // The connection's file descriptor; -1 without a display.
    int Descriptor() const;
    // Reads every event there is and hands each key event to the callback
    // while the grab is held; other events are dropped.
    void Dispatch();
    // Called when events may wait in Xlib's queue without the descriptor
    // becoming readable; the owner then calls Dispatch() soon.
    void SetWake(std::function<void()> wake) { wake_ = std::move(wake); }
    // How long Start retries a grab another client holds or has frozen.
    void SetRetryFor(std::chrono::milliseconds retry) { retryFor_ = retry; }

    // Takes the grab. The X grab status is the failure's code (1 already
    // grabbed, 2 invalid time, 3 not viewable, 4 frozen; -1 no display).
    bool Start(Callback callback, KeyboardHookFailure& failure) override;
    void Stop() override;
    bool Active() const override { return active_; }

private:
    DebugOutput& debug_;
    void* display_ = nullptr; // Display*
    bool active_ = false;
    Callback callback_;
    std::function<void()> wake_;
    std::chrono::milliseconds retryFor_{500};
};

inline constexpr std::chrono::milliseconds kKeyboardGrabRetryStep{10};

} // namespace lumeno
