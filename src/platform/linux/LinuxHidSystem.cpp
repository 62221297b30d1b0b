#include "platform/linux/LinuxHidSystem.h"

#include "platform/HidReportDescriptor.h"
#include "platform/VirtualHidProtocol.h"
#include "platform/linux/HidrawHandle.h"
#include "platform/linux/SysfsHidraw.h"
#include "platform/linux/Uevent.h"
#include "platform/linux/VirtualHidClient.h"
#include "platform/linux/VirtualHidFolder.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <linux/netlink.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <sys/socket.h>
#include <unistd.h>

namespace lumeno {
namespace {

namespace fs = std::filesystem;

// Netlink multicast groups of NETLINK_KOBJECT_UEVENT.
constexpr unsigned kKernelGroup = 1; // raw kernel events
constexpr unsigned kUdevGroup = 2;   // udev's events, sent after its rules ran
// Present while udevd runs; then permissions are only final after udev's event.
constexpr const char* kUdevControl = "/run/udev/control";

constexpr const char* kCollectionMark = "#Col";

// "/dev/hidraw3#Col02" -> ("/dev/hidraw3", 2); no mark: (path, 0).
std::pair<std::string, int> SplitHidrawPath(const std::string& path)
{
    const auto mark = path.rfind(kCollectionMark);
    if (mark == std::string::npos)
        return {path, 0};
    const int number = std::atoi(path.c_str() + mark + std::strlen(kCollectionMark));
    return {path.substr(0, mark), number};
}

HidInterfaceInfo InfoFromCollection(const HidTopLevelCollection& c)
{
    HidInterfaceInfo info;
    info.usagePage = c.usagePage;
    info.usage = c.usage;
    info.featureReportLength = c.featureReportLength;
    info.inputReportLength = c.inputReportLength;
    info.outputReportLength = c.outputReportLength;
    return info;
}

} // namespace

// The thread that watches for arrival and removal.
class LinuxHidSystem::Monitor {
public:
    explicit Monitor(LinuxHidSystem& owner) : owner_(owner)
    {
        stopFd_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
        if (owner.options_.watchHidraw)
            OpenNetlink();
        if (!owner.options_.virtualFolder.empty()) {
            inotifyFd_ = ::inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
            if (inotifyFd_ >= 0 &&
                ::inotify_add_watch(inotifyFd_, owner.options_.virtualFolder.c_str(),
                                    IN_CREATE | IN_MOVED_TO | IN_DELETE | IN_MOVED_FROM | IN_ONLYDIR) < 0) {
                ::close(inotifyFd_);
                inotifyFd_ = -1;
            }
        }
        thread_ = std::thread([this] { Run(); });
    }

    ~Monitor()
    {
        const std::uint64_t one = 1;
        [[maybe_unused]] const auto ignored = ::write(stopFd_, &one, sizeof one);
        thread_.join();
        for (const int fd : {stopFd_, netlinkFd_, inotifyFd_})
            if (fd >= 0)
                ::close(fd);
    }

private:
    void OpenNetlink()
    {
        udev_ = ::access(kUdevControl, F_OK) == 0;
        netlinkFd_ = ::socket(AF_NETLINK, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, NETLINK_KOBJECT_UEVENT);
        if (netlinkFd_ < 0)
            return;
        const int on = 1;
        ::setsockopt(netlinkFd_, SOL_SOCKET, SO_PASSCRED, &on, sizeof on);
        sockaddr_nl addr{};
        addr.nl_family = AF_NETLINK;
        addr.nl_groups = udev_ ? kUdevGroup : kKernelGroup;
        if (::bind(netlinkFd_, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) != 0) {
            ::close(netlinkFd_);
            netlinkFd_ = -1;
        }
    }

    void Run()
    {
        for (;;) {
            pollfd fds[3] = {{stopFd_, POLLIN, 0}, {netlinkFd_, POLLIN, 0}, {inotifyFd_, POLLIN, 0}};
            if (::poll(fds, 3, -1) < 0) {
                if (errno == EINTR)
                    continue;
                return;
            }
            if (fds[0].revents)
                return;
            if (fds[1].revents & POLLIN)
                ReadNetlink();
            if (fds[2].revents & POLLIN)
                ReadInotify();
        }
    }

    void ReadNetlink()
    {
        for (;;) {
            std::uint8_t buffer[8192];
            alignas(cmsghdr) char control[CMSG_SPACE(sizeof(ucred))];
            sockaddr_nl from{};
            iovec iov{buffer, sizeof buffer};
            msghdr msg{};
            msg.msg_name = &from;
            msg.msg_namelen = sizeof from;
            msg.msg_iov = &iov;
            msg.msg_iovlen = 1;
            msg.msg_control = control;
            msg.msg_controllen = sizeof control;
            const ssize_t n = ::recvmsg(netlinkFd_, &msg, MSG_DONTWAIT);
            if (n <= 0)
                return;
            // Only the kernel (pid 0) and root's udevd may tell us about devices.
            const cmsghdr* cm = CMSG_FIRSTHDR(&msg);
            const ucred* cred =
                cm && cm->cmsg_type == SCM_CREDENTIALS ? reinterpret_cast<const ucred*>(CMSG_DATA(cm)) : nullptr;
            if (udev_ ? (!cred || cred->uid != 0) : from.nl_pid != 0)
                continue;
            if (const auto event = ParseUevent({buffer, static_cast<std::size_t>(n)}))
                owner_.HandleUevent(*event);
        }
    }

    void ReadInotify()
    {
        for (;;) {
            alignas(inotify_event) char buffer[sizeof(inotify_event) + NAME_MAX + 1];
            const ssize_t n = ::read(inotifyFd_, buffer, sizeof buffer);
            if (n <= 0)
                return;
            for (ssize_t pos = 0; pos < n;) {
                const auto* ev = reinterpret_cast<const inotify_event*>(buffer + pos);
                pos += static_cast<ssize_t>(sizeof(inotify_event) + ev->len);
                if (ev->len == 0 || ev->name[0] == virtualhid::kHiddenPrefix)
                    continue;
                const std::string name = ev->name;
                if (!virtualhid::ParseSocketName(name))
                    continue;
                const bool added = ev->mask & (IN_CREATE | IN_MOVED_TO);
                owner_.Notify(added ? HidNoticeKind::Arrival : HidNoticeKind::Removal, "\\\\?\\HID#" + name);
            }
        }
    }

    LinuxHidSystem& owner_;
    bool udev_ = false;
    int stopFd_ = -1;
    int netlinkFd_ = -1;
    int inotifyFd_ = -1;
    std::thread thread_;
};

LinuxHidSystemOptions LinuxHidSystem::DefaultOptions()
{
    LinuxHidSystemOptions options;
    options.virtualFolder = DefaultVirtualHidFolder();
    return options;
}

LinuxHidSystem::LinuxHidSystem(LinuxHidSystemOptions options) : options_(std::move(options))
{
    // The folder is made here so that it can be watched before any virtual
    // mouse starts; a folder that is not private is not used at all.
    if (!options_.virtualFolder.empty() && !EnsureVirtualHidFolder(options_.virtualFolder))
        options_.virtualFolder.clear();
}

LinuxHidSystem::~LinuxHidSystem()
{
    std::lock_guard lock(monitorMutex_);
    monitor_.reset();
}

std::string LinuxHidSystem::NoticeName(uint16_t vendorId, uint16_t productId, int collection,
                                       const std::string& instance)
{
    char head[64];
    if (collection > 0)
        std::snprintf(head, sizeof head, "\\\\?\\HID#VID_%04X&PID_%04X&Col%02d#", vendorId, productId, collection);
    else
        std::snprintf(head, sizeof head, "\\\\?\\HID#VID_%04X&PID_%04X#", vendorId, productId);
    return head + instance;
}

bool LinuxHidSystem::IsVirtualPath(const std::string& path) const
{
    if (options_.virtualFolder.empty())
        return false;
    const std::string folder = options_.virtualFolder.string() + "/";
    return path.compare(0, folder.size(), folder) == 0;
}

std::optional<std::vector<HidInterfaceInfo>> LinuxHidSystem::Enumerate()
{
    std::error_code ec;
    if (!fs::is_directory(options_.sysfsRoot, ec))
        return std::nullopt;
    std::vector<HidInterfaceInfo> result;

    // A kernel without hidraw support lists nothing: not an error.
    for (const auto& node : ListHidrawNodes(options_.sysfsRoot).value_or(std::vector<HidrawNode>{})) {
        HidInterfaceInfo base;
        base.vendorId = node.vendorId;
        base.productId = node.productId;
        base.version = node.version;
        const std::string devnode = (options_.devRoot / node.name).string();
        const auto parsed = HidReportDescriptor::Parse(node.descriptor);
        if (!parsed || parsed->collections.empty()) {
            base.path = devnode;
            base.capabilitiesKnown = false;
            result.push_back(base);
            continue;
        }
        for (std::size_t i = 0; i < parsed->collections.size(); ++i) {
            HidInterfaceInfo info = InfoFromCollection(parsed->collections[i]);
            info.vendorId = base.vendorId;
            info.productId = base.productId;
            info.version = base.version;
            char suffix[32];
            std::snprintf(suffix, sizeof suffix, "%s%02zu", kCollectionMark, i + 1);
            info.path = devnode + suffix;
            result.push_back(info);
        }
    }

    if (!options_.virtualFolder.empty()) {
        std::vector<std::string> names;
        for (fs::directory_iterator it(options_.virtualFolder, ec), end; !ec && it != end; it.increment(ec)) {
            const std::string name = it->path().filename().string();
            if (name[0] != virtualhid::kHiddenPrefix && virtualhid::ParseSocketName(name))
                names.push_back(name);
        }
        std::sort(names.begin(), names.end());
        for (const auto& name : names) {
            const auto ids = virtualhid::ParseSocketName(name);
            const fs::path socket = options_.virtualFolder / name;
            HidError error = HidError::Failed;
            const auto description = DescribeVirtualHid(socket, &error);
            HidInterfaceInfo info;
            info.path = socket.string();
            info.vendorId = ids->vendorId;
            info.productId = ids->productId;
            if (!description) {
                if (error == HidError::NotFound)
                    continue; // unplugged meanwhile, or left behind by a server that ended
                info.capabilitiesKnown = false;
                result.push_back(info);
                continue;
            }
            const auto parsed = HidReportDescriptor::Parse(description->descriptor);
            if (parsed && !parsed->collections.empty()) {
                const std::size_t index =
                    parsed->collections.size() == 1 ? 0 : static_cast<std::size_t>(ids->collection - 1);
                if (index < parsed->collections.size())
                    info = InfoFromCollection(parsed->collections[index]);
                else
                    info.capabilitiesKnown = false;
            } else {
                info.capabilitiesKnown = false;
            }
            info.path = socket.string();
            info.vendorId = description->vendorId;
            info.productId = description->productId;
            info.version = description->version;
            result.push_back(info);
        }
    }
    return result;
}

HidError LinuxHidSystem::Probe(const std::string& path)
{
    if (IsVirtualPath(path))
        return ProbeVirtualHid(path);
    const auto [node, collection] = SplitHidrawPath(path);
    const int fd = ::open(node.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return HidrawHandle::ErrorFromErrno(errno);
    ::close(fd);
    return HidError::None;
}

std::unique_ptr<HidHandle> LinuxHidSystem::Open(const std::string& path, HidOpenMode mode, HidError* error)
{
    if (IsVirtualPath(path))
        return VirtualHidHandle::Open(path, mode, error);
    const auto [node, collection] = SplitHidrawPath(path);
    return HidrawHandle::Open(node, collection, mode, error);
}

void LinuxHidSystem::SetNoticeCallback(HidNoticeCallback callback)
{
    const bool wanted = static_cast<bool>(callback);
    {
        std::lock_guard lock(callbackMutex_);
        callback_ = std::move(callback);
    }
    std::lock_guard lock(monitorMutex_);
    if (wanted && !monitor_)
        monitor_ = std::make_unique<Monitor>(*this);
}

void LinuxHidSystem::Notify(HidNoticeKind kind, const std::string& name)
{
    std::lock_guard lock(callbackMutex_);
    if (callback_)
        callback_(kind, name);
}

std::vector<std::string> LinuxHidSystem::HidrawNoticeNames(const std::string& devname, const std::string& devpath)
{
    if (const auto node = ReadHidrawNode(options_.sysfsRoot, devname)) {
        const auto parsed = HidReportDescriptor::Parse(node->descriptor);
        const std::size_t count = parsed ? parsed->collections.size() : 0;
        std::vector<std::string> names;
        if (count <= 1)
            names.push_back(NoticeName(node->vendorId, node->productId, 0, devname));
        for (std::size_t i = 0; count > 1 && i < count; ++i)
            names.push_back(NoticeName(node->vendorId, node->productId, static_cast<int>(i + 1), devname));
        return names;
    }
    if (const auto ids = HidIdsFromDevpath(devpath))
        return {NoticeName(ids->vendorId, ids->productId, 0, devname)};
    return {"\\\\?\\HID#" + devname};
}

void LinuxHidSystem::HandleUevent(const Uevent& event)
{
    const bool added = event.action == "add";
    if (event.subsystem != "hidraw" || event.devname.empty() || (!added && event.action != "remove"))
        return;
    const std::string& devname = event.devname;
    const std::string& devpath = event.devpath;
    std::vector<std::string> names;
    if (added) {
        names = HidrawNoticeNames(devname, devpath);
        announced_[devname] = names;
    } else if (const auto it = announced_.find(devname); it != announced_.end()) {
        names = std::move(it->second);
        announced_.erase(it);
    } else {
        // Gone before it was announced (or before we watched): sysfs no
        // longer has it, so the ids come from the event's device path.
        const auto ids = HidIdsFromDevpath(devpath);
        names = {ids ? NoticeName(ids->vendorId, ids->productId, 0, devname) : "\\\\?\\HID#" + devname};
    }
    for (const auto& name : names)
        Notify(added ? HidNoticeKind::Arrival : HidNoticeKind::Removal, name);
}

} // namespace lumeno
