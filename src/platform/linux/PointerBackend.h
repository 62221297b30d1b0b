#pragma once
// Which desktop takes the pointer settings, chosen once at start-up:
//   1. GNOME and the desktops that use its settings (GNOME, Unity, Budgie,
//      Cinnamon, Pantheon, ...), when the GNOME mouse schema is installed
//   2. KDE Plasma (its files and notice; on X11 also the X server at once)
//   3. any other X11 session: the X server itself
//   4. nothing usable: every setting is refused
#include "platform/PointerSettingsSink.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

namespace lumeno {

enum class PointerBackend { GSettings, Kde, X11, None };

// What the choice looks at; tests fill it by hand.
struct DesktopFacts {
    std::string currentDesktop; // $XDG_CURRENT_DESKTOP, colon-separated
    std::string sessionType;    // $XDG_SESSION_TYPE
    bool x11Display = false;    // $DISPLAY is set
    bool gnomeSchemaInstalled = false;
};

PointerBackend ChoosePointerBackend(const DesktopFacts& facts);
const char* PointerBackendName(PointerBackend backend);

// The facts of the running session, from the environment and the installed
// schemas.
DesktopFacts CurrentDesktopFacts();

// Refuses every setting with one reason.
class NoPointerSink final : public PointerSettingsSink {
public:
    explicit NoPointerSink(std::string reason) : reason_(std::move(reason)) {}
    std::string_view Name() const override { return "none"; }
    PointerSinkResult SetPrecision(bool) override { return PointerSinkResult::Refused(reason_); }
    PointerSinkResult SetSpeed(int) override { return PointerSinkResult::Refused(reason_); }
    PointerSinkResult SetWheelLines(int) override { return PointerSinkResult::Refused(reason_); }
    PointerSinkResult SetDoubleClickTime(int) override { return PointerSinkResult::Refused(reason_); }

private:
    std::string reason_;
};

// The chosen backend, made; the X11 backend that KDE applies through is
// owned by it.
std::unique_ptr<PointerSettingsSink> CreatePointerSettingsSink(const DesktopFacts& facts);

// The first of "kwriteconfig6", "kwriteconfig5" on $PATH; empty when neither.
std::string FindKWriteConfig();

} // namespace lumeno
