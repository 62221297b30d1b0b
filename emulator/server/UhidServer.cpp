#include "UhidServer.h"

#include "CollectionDescriptor.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/input.h>
#include <linux/uhid.h>
#include <memory>
#include <poll.h>
#include <unistd.h>

namespace lumeno {

UhidServer::UhidServer(VirtualMouse& mouse, LineSink lines, std::filesystem::path uhidNode)
    : mouse_(mouse), lines_(std::move(lines)), node_(std::move(uhidNode))
{
    for (const auto& info : mouse_.Collections())
        devices_.push_back(Device{info, BuildCollectionDescriptor(info), -1});
}

UhidServer::~UhidServer() { Stop(); }

bool UhidServer::Start(std::string* error)
{
    if (worker_.Started())
        return true;
    if (!worker_.Open() || (mouse_.IsPlugged() && !Create(error))) {
        worker_.Stop();
        return false;
    }
    mouse_.SetHost(this);
    wantPlugged_ = mouse_.IsPlugged();
    worker_.Start([this] { Run(); });
    worker_.Wake();
    return true;
}

void UhidServer::Stop()
{
    if (!worker_.Started())
        return;
    mouse_.SetHost(nullptr);
    worker_.Stop();
    Destroy();
}

bool UhidServer::WriteEvent(int fd, const void* event)
{
    for (;;) {
        const ssize_t n = ::write(fd, event, sizeof(uhid_event));
        if (n < 0 && errno == EINTR)
            continue;
        return n == static_cast<ssize_t>(sizeof(uhid_event));
    }
}

bool UhidServer::Create(std::string* error)
{
    std::lock_guard lock(mutex_);
    auto event = std::make_unique<uhid_event>();
    for (auto& d : devices_) {
        d.fd = ::open(node_.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK);
        if (d.fd < 0) {
            if (error)
                *error = node_.string() + ": " + std::strerror(errno);
            break;
        }
        std::memset(event.get(), 0, sizeof *event);
        event->type = UHID_CREATE2;
        auto& c = event->u.create2;
        std::snprintf(reinterpret_cast<char*>(c.name), sizeof c.name, "Lumeno-KV580 Pro (virtual) %s",
                      TrafficLog::CollectionName(d.info.collection));
        std::snprintf(reinterpret_cast<char*>(c.phys), sizeof c.phys, "lumeno-virtual-mouse/input%d", d.info.number);
        std::snprintf(reinterpret_cast<char*>(c.uniq), sizeof c.uniq, "%s", mouse_.Options().instanceId.c_str());
        std::memcpy(c.rd_data, d.descriptor.data(), d.descriptor.size());
        c.rd_size = static_cast<__u16>(d.descriptor.size());
        c.bus = BUS_USB;
        c.vendor = d.info.vendorId;
        c.product = d.info.productId;
        c.version = d.info.version;
        if (!WriteEvent(d.fd, event.get())) {
            if (error)
                *error = std::string("creating the uhid device: ") + std::strerror(errno);
            ::close(d.fd);
            d.fd = -1;
            break;
        }
    }
    created_ = true;
    for (const auto& d : devices_)
        if (d.fd < 0) {
            DestroyLocked();
            return false;
        }
    return true;
}

void UhidServer::Destroy()
{
    std::lock_guard lock(mutex_);
    DestroyLocked();
}

void UhidServer::DestroyLocked()
{
    auto event = std::make_unique<uhid_event>();
    for (auto& d : devices_) {
        if (d.fd < 0)
            continue;
        std::memset(event.get(), 0, sizeof *event);
        event->type = UHID_DESTROY;
        WriteEvent(d.fd, event.get());
        ::close(d.fd);
        d.fd = -1;
    }
    created_ = false;
}

void UhidServer::OnPlugChanged(bool plugged)
{
    wantPlugged_ = plugged;
    worker_.Wake();
}

void UhidServer::OnInputReport(MouseCollection collection, std::span<const uint8_t> report)
{
    if (lines_)
        lines_(log_.Input(collection, report));
    std::lock_guard lock(mutex_);
    for (const auto& d : devices_) {
        if (d.info.collection != collection || d.fd < 0 || report.empty())
            continue;
        // The kernel wants unnumbered input reports without the id byte.
        const auto data = d.info.reportId ? report : report.subspan(1);
        auto event = std::make_unique<uhid_event>();
        event->type = UHID_INPUT2;
        event->u.input2.size = static_cast<__u16>(std::min<std::size_t>(data.size(), UHID_DATA_MAX));
        std::memcpy(event->u.input2.data, data.data(), event->u.input2.size);
        WriteEvent(d.fd, event.get());
    }
}

void UhidServer::Serve(Device& device)
{
    auto event = std::make_unique<uhid_event>();
    const ssize_t n = ::read(device.fd, event.get(), sizeof *event);
    if (n <= 0)
        return;
    const MouseCollection collection = device.info.collection;
    switch (event->type) {
    case UHID_OUTPUT: {
        const std::span<const uint8_t> report(event->u.output.data, event->u.output.size);
        const bool ok = mouse_.HandleOutputReport(collection, report);
        if (lines_)
            lines_(log_.Output(collection, report, ok));
        break;
    }
    case UHID_GET_REPORT: {
        const auto id = event->u.get_report.id;
        const auto rnum = event->u.get_report.rnum;
        const bool feature = event->u.get_report.rtype == UHID_FEATURE_REPORT;
        std::vector<uint8_t> report(std::max<uint16_t>(device.info.featureReportLength, 1), 0);
        report[0] = rnum;
        const bool ok = feature && mouse_.HandleGetFeature(collection, report);
        if (lines_)
            lines_(log_.GetFeature(collection, report, ok));
        auto reply = std::make_unique<uhid_event>();
        reply->type = UHID_GET_REPORT_REPLY;
        reply->u.get_report_reply.id = id;
        reply->u.get_report_reply.err = ok ? 0 : EIO;
        if (ok) {
            reply->u.get_report_reply.size = static_cast<__u16>(report.size());
            std::memcpy(reply->u.get_report_reply.data, report.data(), report.size());
        }
        std::lock_guard lock(mutex_);
        WriteEvent(device.fd, reply.get());
        break;
    }
    case UHID_SET_REPORT: {
        const auto id = event->u.set_report.id;
        const std::span<const uint8_t> report(event->u.set_report.data, event->u.set_report.size);
        const bool ok = event->u.set_report.rtype == UHID_FEATURE_REPORT && mouse_.HandleSetFeature(collection, report);
        if (lines_)
            lines_(log_.SetFeature(collection, report, ok));
        auto reply = std::make_unique<uhid_event>();
        reply->type = UHID_SET_REPORT_REPLY;
        reply->u.set_report_reply.id = id;
        reply->u.set_report_reply.err = ok ? 0 : EIO;
        std::lock_guard lock(mutex_);
        WriteEvent(device.fd, reply.get());
        break;
    }
    default:
        break; // start, stop, open, close: nothing to do
    }
}

void UhidServer::Run()
{
    for (;;) {
        if (worker_.Stopping())
            return;
        if (wantPlugged_ != created_) {
            if (wantPlugged_) {
                std::string error;
                if (Create(&error)) {
                    if (lines_)
                        lines_("plugged");
                } else if (lines_) {
                    lines_("error " + error);
                }
            } else {
                Destroy();
                if (lines_)
                    lines_("unplugged");
            }
        }
        std::vector<pollfd> fds = {{worker_.WakeFd(), POLLIN, 0}};
        for (const auto& d : devices_)
            fds.push_back({d.fd, POLLIN, 0});
        if (::poll(fds.data(), fds.size(), -1) < 0)
            continue;
        if (fds[0].revents) {
            worker_.ConsumeWake();
            continue;
        }
        for (std::size_t i = 0; i < devices_.size(); ++i)
            if (devices_[i].fd >= 0 && (fds[i + 1].revents & POLLIN))
                Serve(devices_[i]);
    }
}

} // namespace lumeno
