#include "platform/linux/X11PointerSink.h"

#include <X11/Xlib.h>
#include <X11/extensions/XI2.h>
#include <X11/extensions/XInput2.h>

#include <cstring>

namespace lumeno {

namespace {

// The properties the libinput X driver gives each pointer.
constexpr char kAccelSpeedProperty[] = "libinput Accel Speed";
constexpr char kAccelProfileProperty[] = "libinput Accel Profile Enabled";
// "libinput Accel Profile Enabled" is 8-bit flags: adaptive, flat[, custom].
constexpr int kProfileAdaptive = 0;
constexpr int kProfileFlat = 1;

// X errors of one request batch, caught instead of ending the program.
// Only the UI thread talks to the X server through this sink.
int g_xErrors = 0;
int CountXError(Display*, XErrorEvent*)
{
    ++g_xErrors;
    return 0;
}

// Runs requests and waits for the server's answer; false when any of them
// raised an error.
template <typename Requests>
bool WithoutXErrors(Display* display, Requests requests)
{
    XSync(display, False);
    g_xErrors = 0;
    auto previous = XSetErrorHandler(CountXError);
    requests();
    XSync(display, False);
    XSetErrorHandler(previous);
    return g_xErrors == 0;
}

} // namespace

X11PointerSink::X11PointerSink(const std::string& displayName) : displayName_(displayName)
{
    display_ = XOpenDisplay(displayName.empty() ? nullptr : displayName.c_str());
    if (!display_)
        return;
    int opcode = 0, event = 0, error = 0;
    int major = 2, minor = 0;
    xinput2_ = XQueryExtension(display_, "XInputExtension", &opcode, &event, &error) &&
               XIQueryVersion(display_, &major, &minor) == Success;
}

X11PointerSink::~X11PointerSink()
{
    if (display_)
        XCloseDisplay(display_);
}

std::optional<XPointerControl> X11PointerSink::PointerControl() const
{
    if (!display_)
        return std::nullopt;
    XPointerControl control{};
    XGetPointerControl(display_, &control.numerator, &control.denominator, &control.threshold);
    return control;
}

std::vector<int> X11PointerSink::PointersWith(unsigned long property) const
{
    std::vector<int> ids;
    if (!xinput2_ || property == None)
        return ids;
    int count = 0;
    XIDeviceInfo* devices = XIQueryDevice(display_, XIAllDevices, &count);
    for (int i = 0; i < count; ++i) {
        if (devices[i].use != XISlavePointer)
            continue;
        int propertyCount = 0;
        Atom* properties = XIListProperties(display_, devices[i].deviceid, &propertyCount);
        for (int p = 0; p < propertyCount; ++p)
            if (properties[p] == property)
                ids.push_back(devices[i].deviceid);
        if (properties)
            XFree(properties);
    }
    if (devices)
        XIFreeDeviceInfo(devices);
    return ids;
}

X11PointerSink::PropertyOutcome X11PointerSink::SetLibinputSpeed(double speed)
{
    PropertyOutcome outcome;
    const Atom property = XInternAtom(display_, kAccelSpeedProperty, True);
    const Atom floatType = XInternAtom(display_, "FLOAT", False);
    for (int id : PointersWith(property)) {
        const float value = float(speed);
        uint32_t word = 0;
        std::memcpy(&word, &value, sizeof word);
        const bool ok = WithoutXErrors(display_, [&] {
            XIChangeProperty(display_, id, property, floatType, 32, XIPropModeReplace,
                             reinterpret_cast<unsigned char*>(&word), 1);
        });
        ++(ok ? outcome.written : outcome.failed);
    }
    return outcome;
}

X11PointerSink::PropertyOutcome X11PointerSink::SetLibinputProfile(bool adaptive)
{
    PropertyOutcome outcome;
    const Atom property = XInternAtom(display_, kAccelProfileProperty, True);
    for (int id : PointersWith(property)) {
        Atom type = None;
        int format = 0;
        unsigned long items = 0, after = 0;
        unsigned char* data = nullptr;
        if (XIGetProperty(display_, id, property, 0, 8, False, AnyPropertyType, &type, &format, &items, &after,
                          &data) != Success ||
            format != 8 || items <= kProfileFlat) {
            if (data)
                XFree(data);
            ++outcome.failed;
            continue;
        }
        std::vector<unsigned char> flags(items, 0);
        flags[kProfileAdaptive] = adaptive ? 1 : 0;
        flags[kProfileFlat] = adaptive ? 0 : 1;
        XFree(data);
        const bool ok = WithoutXErrors(display_, [&] {
            XIChangeProperty(display_, id, property, type, 8, XIPropModeReplace, flags.data(), int(flags.size()));
        });
        ++(ok ? outcome.written : outcome.failed);
    }
    return outcome;
}

PointerSinkResult X11PointerSink::SetPrecision(bool on)
{
    if (!display_)
        return PointerSinkResult::Refused("no X display");
    const XPointerControl wanted = XPointerControlOf(on);
    WithoutXErrors(display_, [&] {
        XChangePointerControl(display_, True, True, wanted.numerator, wanted.denominator, wanted.threshold);
    });
    const PropertyOutcome profile = SetLibinputProfile(on);
    if (PointerControl() != wanted)
        return PointerSinkResult::Refused("the X server did not take the pointer acceleration");
    if (profile.failed > 0)
        return PointerSinkResult::Refused("a pointer refused \"" + std::string(kAccelProfileProperty) + "\"");
    return PointerSinkResult::Ok();
}

PointerSinkResult X11PointerSink::SetSpeed(int speed)
{
    if (!display_)
        return PointerSinkResult::Refused("no X display");
    const PropertyOutcome outcome = SetLibinputSpeed(DesktopSpeed(speed));
    if (outcome.written == 0 && outcome.failed == 0)
        return PointerSinkResult::Refused("no pointer offers \"" + std::string(kAccelSpeedProperty) + "\"");
    if (outcome.failed > 0)
        return PointerSinkResult::Refused("a pointer refused \"" + std::string(kAccelSpeedProperty) + "\"");
    return PointerSinkResult::Ok();
}

PointerSinkResult X11PointerSink::SetWheelLines(int)
{
    return PointerSinkResult::Refused("the X server has no setting for the lines a wheel notch scrolls");
}

PointerSinkResult X11PointerSink::SetDoubleClickTime(int)
{
    return PointerSinkResult::Refused("the X server has no double-click time");
}

} // namespace lumeno
