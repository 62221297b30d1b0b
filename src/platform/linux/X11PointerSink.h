#pragma once
// Any X11 session: the X server itself, for what it holds.
//   precision     -> XChangePointerControl: on 2/1 beyond 6 pixels, off 1/1
//                    with threshold 0; and "libinput Accel Profile Enabled"
//                    (adaptive / flat) on every pointer that has it
//   speed 1..20   -> "libinput Accel Speed" (v - 10) / 10 on every pointer
//                    that has it; refused when none has
//   wheel lines, double-click time -> refused: the X server holds neither
// The settings hold until the X server ends. Owns its own connection.
#include "platform/PointerSettingsSink.h"

#include <optional>
#include <string>
#include <vector>

struct _XDisplay;

namespace lumeno {

class X11PointerSink final : public PointerSettingsSink {
public:
    // displayName: empty uses $DISPLAY. A display that cannot be opened
    // leaves a sink that refuses every setting.
    explicit X11PointerSink(const std::string& displayName = {});
    ~X11PointerSink() override;
    X11PointerSink(const X11PointerSink&) = delete;
    X11PointerSink& operator=(const X11PointerSink&) = delete;

    bool Usable() const { return display_ != nullptr; }
    // The server's acceleration as XGetPointerControl reports it.
    std::optional<XPointerControl> PointerControl() const;

    std::string_view Name() const override { return "X11"; }
    PointerSinkResult SetPrecision(bool on) override;
    PointerSinkResult SetSpeed(int speed) override;
    PointerSinkResult SetWheelLines(int lines) override;
    PointerSinkResult SetDoubleClickTime(int milliseconds) override;

private:
    // Writes a libinput property on every slave pointer that has it; the
    // number of devices written, or nullopt with why when none could be.
    struct PropertyOutcome {
        int written = 0;
        int failed = 0;
    };
    PropertyOutcome SetLibinputSpeed(double speed);
    PropertyOutcome SetLibinputProfile(bool adaptive);
    std::vector<int> PointersWith(unsigned long property) const;

    ::_XDisplay* display_ = nullptr;
    bool xinput2_ = false;
    std::string displayName_;
};

} // namespace lumeno
