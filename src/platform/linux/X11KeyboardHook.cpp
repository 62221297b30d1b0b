#include "platform/linux/X11KeyboardHook.h"

#include "platform/DebugOutput.h"
#include "platform/EvdevKeys.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

#include <thread>

namespace lumeno {

namespace {

Display* Dpy(void* display) { return static_cast<Display*>(display); }

const char* GrabStatusReason(int status)
{
    switch (status) {
    case AlreadyGrabbed:
        return "another program holds the keyboard grab";
    case GrabInvalidTime:
        return "the grab time is invalid";
    case GrabNotViewable:
        return "the grab window is not viewable";
    case GrabFrozen:
        return "the keyboard is frozen by another program's grab";
    default:
        return "the X server refused the grab";
    }
}

} // namespace

X11KeyboardHook::X11KeyboardHook(DebugOutput& debug, const std::string& displayName) : debug_(debug)
{
    Display* display = XOpenDisplay(displayName.empty() ? nullptr : displayName.c_str());
    if (!display) {
        debug_.Write("Keyboard hook: no X display\n");
        return;
    }
    display_ = display;
    // Held keys then give repeated presses and one release, as a hook
    // expects them; without XKB they repeat as press/release pairs.
    int opcode = 0, event = 0, error = 0, major = XkbMajorVersion, minor = XkbMinorVersion;
    Bool supported = False;
    if (!XkbQueryExtension(display, &opcode, &event, &error, &major, &minor) ||
        !XkbSetDetectableAutoRepeat(display, True, &supported) || !supported)
        debug_.Write("Keyboard hook: no detectable auto-repeat on this X server\n");
}

X11KeyboardHook::~X11KeyboardHook()
{
    Stop();
    if (display_)
        XCloseDisplay(Dpy(display_));
}

int X11KeyboardHook::Descriptor() const { return display_ ? ConnectionNumber(Dpy(display_)) : -1; }

bool X11KeyboardHook::Start(Callback callback, KeyboardHookFailure& failure)
{
    Stop();
    if (!display_) {
        failure = {-1, "no X display"};
        debug_.Write("Keyboard grab not taken: no X display\n");
        return false;
    }
    Display* display = Dpy(display_);
    // Just after a menu or another grab ends the server may still answer
    // AlreadyGrabbed or GrabFrozen for a moment.
    const auto until = std::chrono::steady_clock::now() + retryFor_;
    int status = GrabSuccess;
    for (;;) {
        status = XGrabKeyboard(display, DefaultRootWindow(display), False, GrabModeAsync, GrabModeAsync, CurrentTime);
        if (status == GrabSuccess || (status != AlreadyGrabbed && status != GrabFrozen) ||
            std::chrono::steady_clock::now() >= until)
            break;
        std::this_thread::sleep_for(kKeyboardGrabRetryStep);
    }
    if (status != GrabSuccess) {
        failure = {status, GrabStatusReason(status)};
        DebugPrintf(debug_, "Keyboard grab not taken: %s (status %d)\n", failure.reason.c_str(), status);
        return false;
    }
    callback_ = std::move(callback);
    active_ = true;
    debug_.Write("Keyboard grab taken\n");
    if (wake_)
        wake_();
    return true;
}

void X11KeyboardHook::Stop()
{
    if (!active_)
        return;
    active_ = false;
    callback_ = nullptr;
    // Synchronous: once Stop returns, the server has let the keyboard go and
    // any other program can take it.
    XUngrabKeyboard(Dpy(display_), CurrentTime);
    XSync(Dpy(display_), False);
    debug_.Write("Keyboard grab released\n");
}

void X11KeyboardHook::Dispatch()
{
    if (!display_)
        return;
    Display* display = Dpy(display_);
    while (XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
        if (!active_ || (event.type != KeyPress && event.type != KeyRelease))
            continue;
        // The callback may stop the hook; it runs from a copy.
        const Callback callback = callback_;
        if (callback)
            callback(KeyboardEventOfXKeyCode(event.xkey.keycode, event.type == KeyRelease));
    }
}

} // namespace lumeno
