#pragma once
// The desktop's pointer settings stored in the image (pointer speed and
// precision, double-click time, wheel scroll amount), pushed to the desktop
// by ApplyPointerSettings at start-up, at the end of a factory reset and on
// the pointer panes' requests.
//
// The desktops keep what a program sets, so a profile whose pointer values
// were never set in this program leaves the desktop's own settings alone:
// only a profile marked "PointerSettings" = "Y" (ProfileSettings.h) is
// applied. A pointer pane's change and a factory reset mark the profile.
#include "flows/WriteFlows.h"
#include "platform/PointerSettingsSink.h"

#include <atomic>
#include <functional>

namespace lumeno {

struct AppContext;
struct ConfigImage;
class DebugOutput;

// Pushes the image's pointer values to the desktop.
class PointerSettingsApplier {
public:
    virtual ~PointerSettingsApplier() = default;
    virtual void Apply(AppContext& ctx) = 0;
    // Whether the desktop took the image's wheel setting (lines or page) at
    // the last Apply; otherwise the desktop's own wheel setting is in force.
    virtual bool WheelSettingApplied() const { return false; }
};

// The image's pointer fields in operating-system units:
//   pointerPrecision 1 -> on, any other value -> off
//   pointerSpeedLevel 1 -> 1, L >= 2 -> 2L - 2 (2, 4, ..., 20)
//   wheelPageMode nonzero -> one screen per notch, else wheelLines
//   doubleClickLevel L -> 970 - 70 L ms (1 -> 900, 11 -> 200)
PointerOsValues PointerOsValuesOf(const ConfigImage& image);

// Runs ctx.pointerSettings when the current profile is marked; without an
// applier, or for an unmarked profile, the desktop is left as it is.
void ApplyPointerSettings(AppContext& ctx);

// A pointer pane changed the image: marks the profile, applies its values
// and saves the configuration file with the captions, so the change outlives
// the session.
FlowResult ApplyPointerChange(AppContext& ctx);

// Where the sink calls run: the thread that owns the desktop connections.
// Runs the task at once on that thread, or hands it over from any other.
using PointerTaskRunner = std::function<void(std::function<void()>)>;

// The applier over a desktop sink: the four settings in order, each failure
// written as its diagnostic line followed by the sink's reason, and a
// failure never stopping the next setting.
class SinkPointerSettings final : public PointerSettingsApplier {
public:
    // runner: empty runs the sink calls on the caller's thread.
    SinkPointerSettings(PointerSettingsSink& sink, DebugOutput& debug, PointerTaskRunner runner = {});

    void Apply(AppContext& ctx) override;
    bool WheelSettingApplied() const override { return wheelApplied_.load(); }

    // The four calls with their diagnostic lines, on the calling thread.
    void Send(const PointerOsValues& values);

private:
    PointerSettingsSink& sink_;
    DebugOutput& debug_;
    PointerTaskRunner runner_;
    std::atomic<bool> wheelApplied_{false};
};

} // namespace lumeno
