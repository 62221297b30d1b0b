#pragma once
// A desktop-wide keyboard hook: while it runs, every key event of the desktop
// goes to its callback and to no other program. The macro recorder and the
// key capture of the assignment menu both use it.
#include <cstdint>
#include <functional>
#include <string>

namespace lumeno {

// One key event as the hook reports it: the Windows virtual-key code, the
// scan code and the flags below.
struct KeyboardEvent {
    uint32_t virtualKey = 0;
    uint32_t scanCode = 0;
    uint32_t flags = 0;
};
inline constexpr uint32_t kKeyFlagExtended = 0x01;
inline constexpr uint32_t kKeyFlagUp = 0x80;

// Why the hook could not start: the desktop's status number and its reason.
struct KeyboardHookFailure {
    int code = 0;
    std::string reason;
};

class KeyboardHook {
public:
    using Callback = std::function<void(const KeyboardEvent&)>;
    virtual ~KeyboardHook() = default;
    // Starts delivering key events to callback on the UI thread. False when
    // the desktop refuses; failure then says why.
    virtual bool Start(Callback callback, KeyboardHookFailure& failure) = 0;
    // Stops delivering; harmless when not started.
    virtual void Stop() = 0;
    virtual bool Active() const = 0;
};

} // namespace lumeno
