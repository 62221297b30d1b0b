#pragma once
// GNOME and the desktops that share its settings (Unity, Budgie, ...):
// schema "org.gnome.desktop.peripherals.mouse" through GIO's GSettings.
//   precision     -> "accel-profile"  "adaptive" / "flat"
//   speed 1..20   -> "speed"          (v - 10) / 10
//   double-click  -> "double-click"   milliseconds
//   wheel lines   -> refused: GNOME has no such setting
// Every write is synced before the call returns.
#include "platform/PointerSettingsSink.h"

#include <memory>
#include <string>

struct _GSettings;
struct _GSettingsSchema;

namespace lumeno {

inline constexpr char kGnomeMouseSchema[] = "org.gnome.desktop.peripherals.mouse";

class GSettingsPointerSink final : public PointerSettingsSink {
public:
    // schemaDirectory: where to look the schema up; empty: the system's
    // schema folders. A missing schema leaves a sink that refuses every
    // setting with the reason.
    explicit GSettingsPointerSink(const std::string& schemaDirectory = {});
    ~GSettingsPointerSink() override;

    // Whether the schema is installed in the system's schema folders.
    static bool SchemaInstalled();

    bool Usable() const { return settings_ != nullptr; }

    std::string_view Name() const override { return "GNOME"; }
    PointerSinkResult SetPrecision(bool on) override;
    PointerSinkResult SetSpeed(int speed) override;
    PointerSinkResult SetWheelLines(int lines) override;
    PointerSinkResult SetDoubleClickTime(int milliseconds) override;

private:
    // Why the sink cannot write, when it cannot.
    PointerSinkResult Unusable() const;

    ::_GSettings* settings_ = nullptr;
    ::_GSettingsSchema* schema_ = nullptr;
    std::string missing_; // the reason when settings_ is null
};

} // namespace lumeno
