#pragma once
// HidSystem on Linux: the hidraw nodes of the kernel, each top-level
// collection listed as its own interface, and beside them the virtual
// devices that lumeno-virtual-mouse serves in the virtual-device folder.
// Arrival and removal come from the kernel's uevent socket (after udev's
// rules when udev runs) and from inotify on the virtual-device folder.
//
// Paths handed out:  "/dev/hidraw3#Col02" for a hidraw collection, the
// socket's path for a virtual one. Notice names carry the ids in the Windows
// spelling: "\\?\HID#VID_7A1F&PID_2C41&Col02#hidraw3".
#include "platform/HidSystem.h"

#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace lumeno {

struct Uevent;

struct LinuxHidSystemOptions {
    std::filesystem::path sysfsRoot = "/sys";
    std::filesystem::path devRoot = "/dev";
    // Folder of virtual devices; empty: none are listed or watched.
    std::filesystem::path virtualFolder;
    // Listen for the kernel's hidraw uevents (off in tests without a kernel).
    bool watchHidraw = true;
};

class LinuxHidSystem final : public HidSystem {
public:
    // The machine's own: /sys, /dev and the default virtual-device folder.
    static LinuxHidSystemOptions DefaultOptions();

    explicit LinuxHidSystem(LinuxHidSystemOptions options = DefaultOptions());
    ~LinuxHidSystem() override;

    std::optional<std::vector<HidInterfaceInfo>> Enumerate() override;
    HidError Probe(const std::string& path) override;
    std::unique_ptr<HidHandle> Open(const std::string& path, HidOpenMode mode, HidError* error = nullptr) override;
    void SetNoticeCallback(HidNoticeCallback callback) override;

    // "\\?\HID#VID_7A1F&PID_2C41&Col02#hidraw3"; collection 0 leaves out "&ColNN".
    static std::string NoticeName(uint16_t vendorId, uint16_t productId, int collection, const std::string& instance);

    // What the monitor does with one kernel or udev event: hidraw "add" and
    // "remove" become one notice per collection of the node (the names of a
    // removed node are the ones announced at its arrival, or else taken from
    // the event's device path, since sysfs has nothing left). Other events
    // are ignored. Called on the monitor's thread; public for tests.
    void HandleUevent(const Uevent& event);

private:
    class Monitor;
    bool IsVirtualPath(const std::string& path) const;
    void Notify(HidNoticeKind kind, const std::string& name);
    std::vector<std::string> HidrawNoticeNames(const std::string& devname, const std::string& devpath);

    LinuxHidSystemOptions options_;

    std::mutex callbackMutex_; // held while the callback runs
    HidNoticeCallback callback_;

    // Names announced at arrival, so that removal (when sysfs is gone) can
    // name every collection again. Touched by the monitor thread only.
    std::map<std::string, std::vector<std::string>> announced_;

    std::mutex monitorMutex_;
    std::unique_ptr<Monitor> monitor_;
};

} // namespace lumeno
