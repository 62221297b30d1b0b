#include "macros/MacroRecorder.h"

#include "buttons/KeyTables.h"
#include "macros/MacroLine.h"

#include <algorithm>

namespace lumeno {

void MacroRecorder::Start(const std::string& macroName, bool delayOption, const std::string& loopText)
{
    buffer_.assign({macroName, delayOption ? "1" : "0", loopText});
    eventCount_ = 0;
    lastKey_.reset();
    lastFlags_ = 0;
    firstPressSeen_ = false;
    previousTime_ = 0;
    recording_ = true;
    ++run_;
}

HookDecision MacroRecorder::RecordHook(const KeyboardEvent& event)
{
    if (!recording_)
        return {};
    const uint32_t flags = event.flags & (kKeyFlagExtended | kKeyFlagUp);
    // The keypad Enter is compared under its own code, so its repeats are
    // filtered like every other key's.
    const uint32_t key = VirtualKeyOfEvent(event.virtualKey, flags & kKeyFlagExtended);
    if (lastKey_ == key && lastFlags_ == flags)
        return {}; // an auto-repeat of a held key
    lastKey_ = key;
    lastFlags_ = flags;

    ++eventCount_;
    RecordedKey report;
    report.release = (flags & kKeyFlagUp) != 0;
    report.keyName = std::string(KeyNameByVirtualKey(key));
    report.ordinal = eventCount_;
    report.run = run_;
    return {true, std::move(report)};
}

RecordOutcome MacroRecorder::OnRecordedKey(const RecordedKey& key, uint64_t nowMs, bool delayOption)
{
    RecordOutcome outcome;
    if (!recording_ || key.run != run_)
        return outcome; // queued before the run ended
    if (key.ordinal > kMaxRecordedEvents) {
        outcome.stopRecording = true;
        return outcome;
    }
    if (key.keyName.empty())
        return outcome;

    const std::string line = key.release ? ReleaseLine(key.keyName) : PressLine(key.keyName);
    // The first event carries no delay; nor does a release before the first
    // press (a key held when the run began), which has nothing to measure from.
    if (delayOption && firstPressSeen_) {
        const uint64_t elapsed = nowMs >= previousTime_ ? nowMs - previousTime_ : 0;
        outcome.lines.push_back(DelayLine(std::min<uint64_t>(elapsed, kMaxDelayMs)));
    }
    outcome.lines.push_back(line);
    previousTime_ = nowMs;
    if (!key.release)
        firstPressSeen_ = true;
    buffer_.insert(buffer_.end(), outcome.lines.begin(), outcome.lines.end());
    return outcome;
}

void MacroRecorder::Stop()
{
    recording_ = false;
    eventCount_ = 0;
}

void MacroRecorder::Reset()
{
    Stop();
    buffer_.clear();
    lastKey_.reset();
    lastFlags_ = 0;
    firstPressSeen_ = false;
    previousTime_ = 0;
}

} // namespace lumeno
