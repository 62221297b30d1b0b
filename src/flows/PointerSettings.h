#pragma once
// The desktop's pointer settings stored in the image (pointer speed and
// precision, double-click time, wheel scroll amount), pushed to the desktop
// by ApplyPointerSettings at start-up, at the end of a factory reset and on
// the pointer panes' requests.
namespace lumeno {

struct AppContext;

// Pushes the image's pointer values to the desktop.
class PointerSettingsApplier {
public:
    virtual ~PointerSettingsApplier() = default;
    virtual void Apply(AppContext& ctx) = 0;
    // Whether the desktop took the image's wheel setting (lines or page) at
    // the last Apply; otherwise the desktop's own wheel setting is in force.
    virtual bool WheelSettingApplied() const { return false; }
};

// Runs ctx.pointerSettings; without one the desktop is left as it is.
void ApplyPointerSettings(AppContext& ctx);

} // namespace lumeno
