#include "macros/KeyboardRecorderHook.h"

#include "platform/DebugOutput.h"
#include "platform/Pacer.h"

namespace lumeno {

KeyboardRecorderHook::KeyboardRecorderHook(KeyboardHook* keyboard, const Pacer& clock, DebugOutput* debug)
    : keyboard_(keyboard), clock_(clock), debug_(debug)
{
}

KeyboardRecorderHook::~KeyboardRecorderHook() { Remove(); }

void KeyboardRecorderHook::SetHandlers(EventHandler onEvent, ReportHandler onReport)
{
    onEvent_ = std::move(onEvent);
    onReport_ = std::move(onReport);
}

bool KeyboardRecorderHook::Install(int& errorCode)
{
    if (installed_)
        return true;
    if (!keyboard_) {
        errorCode = kNoKeyboardHookError;
        if (debug_)
            debug_->Write("Macro recording: this desktop offers no keyboard hook\n");
        return false;
    }
    KeyboardHookFailure failure;
    if (!keyboard_->Start([this](const KeyboardEvent& event) { OnKey(event); }, failure)) {
        errorCode = failure.code;
        if (debug_)
            DebugPrintf(*debug_, "Macro recording: keyboard hook not started (%d): %s\n", failure.code,
                        failure.reason.c_str());
        return false;
    }
    installed_ = true;
    return true;
}

void KeyboardRecorderHook::Remove()
{
    if (!installed_)
        return;
    installed_ = false;
    keyboard_->Stop();
}

void KeyboardRecorderHook::OnKey(const KeyboardEvent& event)
{
    if (!installed_ || !onEvent_)
        return;
    const uint64_t now = uint64_t(clock_.Now().count());
    const HookDecision decision = onEvent_(event);
    if (decision.report && onReport_)
        onReport_(*decision.report, now);
}

} // namespace lumeno
