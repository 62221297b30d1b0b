#pragma once
// The recorder's rules, apart from the platform: which keyboard events the
// desktop-wide hook takes (RecordHook) and which lines each taken event adds
// to the sequence (OnRecordedKey). The macro manager owns one recorder and
// installs the platform hook around it.
#include "platform/KeyboardHook.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lumeno {

// At most this many key events are recorded in one run.
inline constexpr unsigned kMaxRecordedEvents = 62;

// What the hook hands to the manager for each event it consumes. The key
// name and the event's number travel with it, so a burst of queued reports
// cannot read each other's keys, and reports of an ended run are ignored.
struct RecordedKey {
    bool release = false;
    std::string keyName;  // empty when the key has no name
    unsigned ordinal = 0; // 1 for the first event of the run
    unsigned run = 0;
};

struct HookDecision {
    bool consume = false;              // false: the event goes on to the desktop
    std::optional<RecordedKey> report; // set when consumed
};

struct RecordOutcome {
    bool stopRecording = false;     // the event limit was passed
    std::vector<std::string> lines; // to append to the sequence, in order
};

class MacroRecorder {
public:
    bool Recording() const { return recording_; }
    unsigned EventCount() const { return eventCount_; }

    // Begins a run for the named macro. The buffer restarts with the name, the
    // delay option ("0"/"1") and the loop-count text, and the repeat filter is
    // cleared so the run's first key is never taken for a repeat.
    void Start(const std::string& macroName, bool delayOption, const std::string& loopText);

    // The decision for one keyboard event: repeats of the last taken key and
    // flags pass through; anything else is named, counted and consumed.
    HookDecision RecordHook(const KeyboardEvent& event);

    // The lines a reported event adds; nowMs is a millisecond tick count and
    // delayOption the macro's current "record delays" option. Appends them to
    // the recording buffer as well.
    RecordOutcome OnRecordedKey(const RecordedKey& key, uint64_t nowMs, bool delayOption);

    // Ends the run (stop or interrupt). The buffer stays for InterruptStore.
    void Stop();

    // Back to the state of a new manager: not recording, empty buffer, filter cleared.
    void Reset();

    // [0] macro name, [1] delay option, [2] loop-count text, then the lines.
    const std::vector<std::string>& RecordingBuffer() const { return buffer_; }

private:
    bool recording_ = false;
    unsigned run_ = 0;
    unsigned eventCount_ = 0;
    bool firstPressSeen_ = false;
    std::optional<uint32_t> lastKey_;
    uint32_t lastFlags_ = 0;
    uint64_t previousTime_ = 0;
    std::vector<std::string> buffer_;
};

} // namespace lumeno
