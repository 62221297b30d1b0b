#pragma once
// The desktop's pointer settings as the program sets them: the four values
// in the operating-system units the image maps to, the sink that hands them
// to the desktop, and the conversions onto the desktops' own scales.
#include <string>
#include <string_view>

namespace lumeno {

// What ApplyPointerSettings sends, in order: precision, speed, wheel,
// double-click time.
struct PointerOsValues {
    bool precision = false; // pointer acceleration on
    int speed = 10;         // 1..20
    int wheelLines = 3;     // lines per notch 1..100; kWheelOneScreen: one screen per notch
    int doubleClickMs = 550;

    bool operator==(const PointerOsValues&) const = default;
};
inline constexpr int kWheelOneScreen = -1;

// The outcome of one setting: taken, or refused with the reason (one line,
// no line feed) that goes to the diagnostic channel.
struct PointerSinkResult {
    bool ok = true;
    std::string reason;

    static PointerSinkResult Ok() { return {}; }
    static PointerSinkResult Refused(std::string why) { return {false, std::move(why)}; }
};

// A desktop's pointer settings. Each call sets one setting for the whole
// desktop and returns once the desktop holds it (stored settings are
// flushed). A setting the desktop cannot take is refused with its reason;
// nothing throws. Called on the UI thread only.
class PointerSettingsSink {
public:
    virtual ~PointerSettingsSink() = default;
    // The backend's name for the diagnostic lines ("GNOME", "KDE", "X11", ...).
    virtual std::string_view Name() const = 0;
    virtual PointerSinkResult SetPrecision(bool on) = 0;
    virtual PointerSinkResult SetSpeed(int speed) = 0;
    virtual PointerSinkResult SetWheelLines(int lines) = 0;
    virtual PointerSinkResult SetDoubleClickTime(int milliseconds) = 0;
};

// The desktops' scales. Speed 1..20 onto libinput's -1..1 around the
// middle 10: 1 -> -0.9, 10 -> 0, 20 -> 1.
constexpr double DesktopSpeed(int speed) { return (speed - 10) / 10.0; }
// Precision on is libinput's adaptive profile, off the flat one.
constexpr std::string_view DesktopAccelProfile(bool precision) { return precision ? "adaptive" : "flat"; }

// The X server's own acceleration: numerator/denominator and threshold.
struct XPointerControl {
    int numerator;
    int denominator;
    int threshold;
    bool operator==(const XPointerControl&) const = default;
};
constexpr XPointerControl XPointerControlOf(bool precision)
{
    return precision ? XPointerControl{2, 1, 6} : XPointerControl{1, 1, 0};
}

} // namespace lumeno
