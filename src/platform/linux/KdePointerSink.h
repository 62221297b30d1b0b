#pragma once
// KDE Plasma: its configuration files, then the notice Plasma listens for.
//   wheel lines   -> kdeglobals [KDE] WheelScrollLines (one screen per notch
//                    is refused: Plasma has no such setting)
//   double-click  -> kdeglobals [KDE] DoubleClickInterval
//   then the D-Bus signal /KGlobalSettings org.kde.KGlobalSettings.notifyChange
//   (SettingsChanged = 3, SETTINGS_MOUSE = 0), which running KDE programs
//   answer by reading the mouse settings again
//   speed, precision on X11 -> kcminputrc [Mouse] XLbInptPointerAcceleration
//                    (v - 10) / 10 and XLbInptAccelProfileFlat, which Plasma
//                    applies at login; and at once through the X server (the
//                    X11 backend)
//   speed, precision on Wayland -> kcminputrc [Libinput][vendor][product][name]
//                    PointerAcceleration and PointerAccelerationProfile
//                    (1 flat, 2 adaptive) of every device Plasma recorded;
//                    refused when it recorded none
// Files are written by kwriteconfig6 or kwriteconfig5 when one is installed,
// otherwise directly as plain files.
#include "platform/PointerSettingsSink.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace lumeno {

// The ChangeType and SettingsCategory of KGlobalSettings' notifyChange.
inline constexpr int kKdeSettingsChanged = 3;
inline constexpr int kKdeSettingsMouse = 0;

struct KdeSinkSetup {
    std::filesystem::path configHome; // $XDG_CONFIG_HOME or ~/.config
    std::string kwriteconfig;         // the program's path; empty: plain file writes
    bool wayland = false;
    // Sends notifyChange(type, category); false when it could not be sent.
    // Empty: sent on the session bus.
    std::function<bool(int type, int category)> notify;
    // Where speed and precision also go at once on X11; may be null.
    PointerSettingsSink* x11 = nullptr;
};

class KdePointerSink final : public PointerSettingsSink {
public:
    explicit KdePointerSink(KdeSinkSetup setup);

    std::string_view Name() const override { return "KDE"; }
    PointerSinkResult SetPrecision(bool on) override;
    PointerSinkResult SetSpeed(int speed) override;
    PointerSinkResult SetWheelLines(int lines) override;
    PointerSinkResult SetDoubleClickTime(int milliseconds) override;

    // notifyChange on the session bus through GIO.
    static bool NotifyOnSessionBus(int type, int category);

private:
    bool Write(const std::string& file, const std::vector<std::string>& group, const std::string& key,
               const std::string& value);
    PointerSinkResult WriteGlobal(const std::string& key, int value);
    // Speed or precision into kcminputrc, and to the X server on X11.
    PointerSinkResult WriteInput(const std::string& x11Key, const std::string& x11Value, const std::string& waylandKey,
                                 const std::string& waylandValue, const std::function<PointerSinkResult()>& live);

    KdeSinkSetup setup_;
};

} // namespace lumeno
