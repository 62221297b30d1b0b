#include "platform/linux/KdePointerSink.h"

#include "platform/linux/KConfigFile.h"

#include <gio/gio.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdio>

extern char** environ;

namespace lumeno {

namespace {

// The files, groups and keys Plasma reads its pointer settings from.
constexpr char kGlobalsFile[] = "kdeglobals";
constexpr char kGlobalsGroup[] = "KDE";
constexpr char kWheelLinesKey[] = "WheelScrollLines";
constexpr char kKdeDoubleClickKey[] = "DoubleClickInterval";
constexpr char kInputFile[] = "kcminputrc";
constexpr char kMouseGroup[] = "Mouse";
constexpr char kX11SpeedKey[] = "XLbInptPointerAcceleration";
constexpr char kX11FlatKey[] = "XLbInptAccelProfileFlat";
constexpr char kDeviceGroup[] = "Libinput"; // [Libinput][vendor][product][name]
constexpr char kWaylandSpeedKey[] = "PointerAcceleration";
constexpr char kWaylandProfileKey[] = "PointerAccelerationProfile";
constexpr int kWaylandProfileFlat = 1;
constexpr int kWaylandProfileAdaptive = 2;

// The signal of KGlobalSettings.
constexpr char kNotifyPath[] = "/KGlobalSettings";
constexpr char kNotifyInterface[] = "org.kde.KGlobalSettings";
constexpr char kNotifyMember[] = "notifyChange";

std::string Number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", value);
    return text;
}

// Runs a program with its arguments and waits; true when it exited with 0.
bool RunProgram(const std::vector<std::string>& args)
{
    std::vector<char*> argv;
    for (const auto& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return false;
    int status = 0;
    while (waitpid(pid, &status, 0) < 0)
        if (errno != EINTR)
            return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

KdePointerSink::KdePointerSink(KdeSinkSetup setup) : setup_(std::move(setup))
{
    if (!setup_.notify)
        setup_.notify = NotifyOnSessionBus;
}

bool KdePointerSink::NotifyOnSessionBus(int type, int category)
{
    GError* error = nullptr;
    GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, &error);
    if (!bus) {
        g_clear_error(&error);
        return false;
    }
    const bool sent = g_dbus_connection_emit_signal(bus, nullptr, kNotifyPath, kNotifyInterface, kNotifyMember,
                                                    g_variant_new("(ii)", type, category), &error) &&
                      g_dbus_connection_flush_sync(bus, nullptr, nullptr);
    g_clear_error(&error);
    g_object_unref(bus);
    return sent;
}

bool KdePointerSink::Write(const std::string& file, const std::vector<std::string>& group, const std::string& key,
                           const std::string& value)
{
    if (setup_.kwriteconfig.empty())
        return WriteKConfigEntry(setup_.configHome / file, group, key, value);
    std::vector<std::string> args{setup_.kwriteconfig, "--file", file};
    for (const auto& name : group) {
        args.push_back("--group");
        args.push_back(name);
    }
    args.insert(args.end(), {"--key", key, value});
    return RunProgram(args);
}

PointerSinkResult KdePointerSink::WriteGlobal(const std::string& key, int value)
{
    if (!Write(kGlobalsFile, {kGlobalsGroup}, key, std::to_string(value)))
        return PointerSinkResult::Refused(std::string(kGlobalsFile) + " could not be written");
    if (!setup_.notify(kKdeSettingsChanged, kKdeSettingsMouse))
        return PointerSinkResult::Refused("written to kdeglobals, but Plasma could not be told (no session bus)");
    return PointerSinkResult::Ok();
}

PointerSinkResult KdePointerSink::WriteInput(const std::string& x11Key, const std::string& x11Value,
                                             const std::string& waylandKey, const std::string& waylandValue,
                                             const std::function<PointerSinkResult()>& live)
{
    if (!setup_.wayland) {
        if (!Write(kInputFile, {kMouseGroup}, x11Key, x11Value))
            return PointerSinkResult::Refused(std::string(kInputFile) + " could not be written");
        if (!setup_.x11)
            return PointerSinkResult::Refused("stored for the next login; no X display to apply it now");
        return live();
    }
    int devices = 0;
    for (const auto& group : KConfigGroups(setup_.configHome / kInputFile)) {
        if (group.size() != 4 || group[0] != kDeviceGroup)
            continue;
        if (!Write(kInputFile, group, waylandKey, waylandValue))
            return PointerSinkResult::Refused(std::string(kInputFile) + " could not be written");
        ++devices;
    }
    if (devices == 0)
        return PointerSinkResult::Refused("Plasma on Wayland keeps this per device and has recorded no device");
    return PointerSinkResult::Ok();
}

PointerSinkResult KdePointerSink::SetPrecision(bool on)
{
    return WriteInput(kX11FlatKey, on ? "false" : "true", kWaylandProfileKey,
                      std::to_string(on ? kWaylandProfileAdaptive : kWaylandProfileFlat),
                      [&] { return setup_.x11->SetPrecision(on); });
}

PointerSinkResult KdePointerSink::SetSpeed(int speed)
{
    const std::string value = Number(DesktopSpeed(speed));
    return WriteInput(kX11SpeedKey, value, kWaylandSpeedKey, value, [&] { return setup_.x11->SetSpeed(speed); });
}

PointerSinkResult KdePointerSink::SetWheelLines(int lines)
{
    if (lines == kWheelOneScreen)
        return PointerSinkResult::Refused("Plasma has no setting for one screen per wheel notch");
    return WriteGlobal(kWheelLinesKey, lines);
}

PointerSinkResult KdePointerSink::SetDoubleClickTime(int milliseconds)
{
    return WriteGlobal(kKdeDoubleClickKey, milliseconds);
}

} // namespace lumeno
