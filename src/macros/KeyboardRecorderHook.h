#pragma once
// The recorder's hook served by the desktop-wide KeyboardHook: installing
// starts the keyboard grab, whose events go to the manager's hook decision;
// each event the recorder takes is handed on as a report, stamped with the
// clock's milliseconds at its arrival. Removing ends the grab this adapter
// started, and nothing else.
#include "macros/MacroManagerModel.h"
#include "platform/KeyboardHook.h"

#include <cstdint>
#include <functional>

namespace lumeno {

class DebugOutput;
class Pacer;

// The error number a recording reports when the desktop offers no keyboard
// hook at all (ENOTSUP).
inline constexpr int kNoKeyboardHookError = 95;

class KeyboardRecorderHook final : public RecorderHook {
public:
    using EventHandler = std::function<HookDecision(const KeyboardEvent&)>;
    using ReportHandler = std::function<void(const RecordedKey&, uint64_t nowMs)>;

    // keyboard may be null: then nothing can be recorded. debug may be null.
    KeyboardRecorderHook(KeyboardHook* keyboard, const Pacer& clock, DebugOutput* debug = nullptr);
    ~KeyboardRecorderHook() override;
    KeyboardRecorderHook(const KeyboardRecorderHook&) = delete;
    KeyboardRecorderHook& operator=(const KeyboardRecorderHook&) = delete;

    // onEvent decides on each key event (MacroManagerModel::OnKeyboardEvent);
    // onReport receives what it took.
    void SetHandlers(EventHandler onEvent, ReportHandler onReport);

    bool Install(int& errorCode) override;
    void Remove() override;
    bool Installed() const { return installed_; }

private:
    void OnKey(const KeyboardEvent& event);

    KeyboardHook* keyboard_;
    const Pacer& clock_;
    DebugOutput* debug_;
    EventHandler onEvent_;
    ReportHandler onReport_;
    bool installed_ = false;
};

} // namespace lumeno
