#include "platform/linux/PointerBackend.h"

#include "platform/linux/GSettingsPointerSink.h"
#include "platform/linux/KdePointerSink.h"
#include "platform/linux/X11PointerSink.h"

#include <unistd.h>

#include <array>
#include <cctype>
#include <cstdlib>
#include <sstream>
#include <string_view>

namespace lumeno {

namespace {

// The $XDG_CURRENT_DESKTOP names of the desktops that keep their pointer
// settings in the GNOME schema.
constexpr std::array<std::string_view, 7> kGnomeSettingsDesktops{"GNOME",    "Unity",           "Budgie", "Cinnamon",
                                                                 "Pantheon", "GNOME-Flashback", "ubuntu"};
constexpr std::string_view kKdeDesktop = "KDE";

bool SameIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// Whether a colon-separated $XDG_CURRENT_DESKTOP names the desktop.
bool DesktopListHas(const std::string& list, std::string_view name)
{
    std::stringstream in(list);
    for (std::string entry; std::getline(in, entry, ':');)
        if (SameIgnoringCase(entry, name))
            return true;
    return false;
}

std::string Env(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::filesystem::path ConfigHome()
{
    const std::string xdg = Env("XDG_CONFIG_HOME");
    if (!xdg.empty())
        return xdg;
    return std::filesystem::path(Env("HOME")) / ".config";
}

} // namespace

PointerBackend ChoosePointerBackend(const DesktopFacts& facts)
{
    for (auto name : kGnomeSettingsDesktops)
        if (DesktopListHas(facts.currentDesktop, name) && facts.gnomeSchemaInstalled)
            return PointerBackend::GSettings;
    if (DesktopListHas(facts.currentDesktop, kKdeDesktop))
        return PointerBackend::Kde;
    if (facts.x11Display && facts.sessionType != "wayland")
        return PointerBackend::X11;
    return PointerBackend::None;
}

const char* PointerBackendName(PointerBackend backend)
{
    switch (backend) {
    case PointerBackend::GSettings:
        return "GNOME settings";
    case PointerBackend::Kde:
        return "KDE Plasma";
    case PointerBackend::X11:
        return "X server";
    case PointerBackend::None:
        break;
    }
    return "none";
}

DesktopFacts CurrentDesktopFacts()
{
    DesktopFacts facts;
    facts.currentDesktop = Env("XDG_CURRENT_DESKTOP");
    facts.sessionType = Env("XDG_SESSION_TYPE");
    facts.x11Display = !Env("DISPLAY").empty();
    facts.gnomeSchemaInstalled = GSettingsPointerSink::SchemaInstalled();
    return facts;
}

std::string FindKWriteConfig()
{
    std::stringstream path(Env("PATH"));
    std::vector<std::string> folders;
    for (std::string folder; std::getline(path, folder, ':');)
        if (!folder.empty())
            folders.push_back(folder);
    for (const char* program : {"kwriteconfig6", "kwriteconfig5"})
        for (const auto& folder : folders) {
            const std::string candidate = folder + "/" + program;
            if (access(candidate.c_str(), X_OK) == 0)
                return candidate;
        }
    return {};
}

namespace {

// KDE with the X11 backend it applies through, kept alive together.
class KdeWithX11 final : public PointerSettingsSink {
public:
    KdeWithX11(std::unique_ptr<X11PointerSink> x11, KdeSinkSetup setup)
        : x11_(std::move(x11)), kde_(WithX11(std::move(setup), x11_.get()))
    {
    }
    std::string_view Name() const override { return kde_.Name(); }
    PointerSinkResult SetPrecision(bool on) override { return kde_.SetPrecision(on); }
    PointerSinkResult SetSpeed(int speed) override { return kde_.SetSpeed(speed); }
    PointerSinkResult SetWheelLines(int lines) override { return kde_.SetWheelLines(lines); }
    PointerSinkResult SetDoubleClickTime(int ms) override { return kde_.SetDoubleClickTime(ms); }

private:
    static KdeSinkSetup WithX11(KdeSinkSetup setup, X11PointerSink* x11)
    {
        setup.x11 = x11 && x11->Usable() ? x11 : nullptr;
        return setup;
    }
    std::unique_ptr<X11PointerSink> x11_;
    KdePointerSink kde_;
};

} // namespace

std::unique_ptr<PointerSettingsSink> CreatePointerSettingsSink(const DesktopFacts& facts)
{
    switch (ChoosePointerBackend(facts)) {
    case PointerBackend::GSettings:
        return std::make_unique<GSettingsPointerSink>();
    case PointerBackend::Kde: {
        KdeSinkSetup setup;
        setup.configHome = ConfigHome();
        setup.kwriteconfig = FindKWriteConfig();
        setup.wayland = facts.sessionType == "wayland";
        std::unique_ptr<X11PointerSink> x11;
        if (!setup.wayland && facts.x11Display)
            x11 = std::make_unique<X11PointerSink>();
        return std::make_unique<KdeWithX11>(std::move(x11), std::move(setup));
    }
    case PointerBackend::X11: {
        auto x11 = std::make_unique<X11PointerSink>();
        if (x11->Usable())
            return x11;
        return std::make_unique<NoPointerSink>("the X display could not be opened");
    }
    case PointerBackend::None:
        break;
    }
    return std::make_unique<NoPointerSink>("no desktop settings service and no X display");
}

} // namespace lumeno
