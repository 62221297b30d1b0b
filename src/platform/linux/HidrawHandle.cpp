#include "platform/linux/HidrawHandle.h"

#include "platform/HidReportDescriptor.h"
#include "platform/linux/DeadlineRead.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/hidraw.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>
#include <vector>

namespace lumeno {
namespace {

// Read buffer: the longest report the kernel hands out, and its id byte.
constexpr std::size_t kReadBufferSize = kHidMaxReportBytes + 1;

// Whether the node reports that its device went away.
bool HungUp(int fd)
{
    pollfd p{fd, 0, 0};
    return ::poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}

// How long (in 1 ms steps) a write waits for a device whose queue stays full.
constexpr int kWriteBusyRetries = 2000;

} // namespace

HidError HidrawHandle::ErrorFromErrno(int error)
{
    switch (error) {
    case EACCES:
    case EPERM:
        return HidError::AccessDenied;
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return HidError::NotFound;
    default:
        return HidError::Failed;
    }
}

std::unique_ptr<HidrawHandle> HidrawHandle::Open(const std::string& node, int collection, HidOpenMode mode,
                                                 HidError* error)
{
    const int flags = (mode == HidOpenMode::Commands ? O_RDWR : O_RDONLY) | O_CLOEXEC | O_NONBLOCK;
    const int fd = ::open(node.c_str(), flags);
    if (fd < 0) {
        if (error)
            *error = ErrorFromErrno(errno);
        return nullptr;
    }
    std::unique_ptr<HidrawHandle> handle(new HidrawHandle(fd));
    if (!handle->wait_.Valid()) {
        if (error)
            *error = HidError::Failed;
        return nullptr;
    }
    // The descriptor says whether reports are numbered and which ids are ours.
    int size = 0;
    hidraw_report_descriptor rd{};
    if (::ioctl(fd, HIDIOCGRDESCSIZE, &size) == 0 && size > 0 && size <= HID_MAX_DESCRIPTOR_SIZE) {
        rd.size = static_cast<__u32>(size);
        if (::ioctl(fd, HIDIOCGRDESC, &rd) == 0) {
            if (const auto parsed = HidReportDescriptor::Parse({rd.value, rd.size})) {
                handle->numbered_ = parsed->numberedReports;
                if (collection >= 1 && static_cast<std::size_t>(collection) <= parsed->collections.size() &&
                    parsed->collections.size() > 1) {
                    const auto& ids = parsed->collections[static_cast<std::size_t>(collection - 1)].reportIds;
                    handle->ownIds_.insert(ids.begin(), ids.end());
                }
            }
        }
    }
    if (error)
        *error = HidError::None;
    return handle;
}

HidrawHandle::~HidrawHandle()
{
    if (fd_ >= 0)
        ::close(fd_);
}

void HidrawHandle::NoteFailure(int error)
{
    // hidraw answers every call on a node whose device is gone with ENODEV.
    // Other errors (EPIPE for a stalled request, EIO for a refused one) leave
    // the device in place, unless it went away during the call.
    if (error == ENODEV || HungUp(fd_))
        gone_ = true;
}

bool HidrawHandle::SetFeature(std::span<const uint8_t> report)
{
    if (!Usable() || report.empty())
        return false;
    std::vector<uint8_t> copy(report.begin(), report.end());
    const int r = ::ioctl(fd_, HIDIOCSFEATURE(copy.size()), copy.data());
    if (r < 0)
        NoteFailure(errno);
    return r >= 0;
}

bool HidrawHandle::GetFeature(std::span<uint8_t> report)
{
    if (!Usable() || report.empty())
        return false;
    const int r = ::ioctl(fd_, HIDIOCGFEATURE(report.size()), report.data());
    if (r < 0) {
        NoteFailure(errno);
        return false;
    }
    // A short reply leaves the rest of the buffer as zeros, not as stale data.
    if (static_cast<std::size_t>(r) < report.size())
        std::memset(report.data() + r, 0, report.size() - static_cast<std::size_t>(r));
    return true;
}

bool HidrawHandle::Write(std::span<const uint8_t> report)
{
    if (!Usable() || report.empty())
        return false;
    // The node is non-blocking for reads; a write that finds the device's
    // queue full is retried until it is taken, the device fails or goes away.
    for (int busy = 0;;) {
        const ssize_t n = ::write(fd_, report.data(), report.size());
        if (n >= 0)
            return static_cast<std::size_t>(n) == report.size();
        if (errno == EINTR)
            continue;
        if (errno == EAGAIN && ++busy < kWriteBusyRetries) {
            ::usleep(1000);
            continue;
        }
        NoteFailure(errno);
        return false;
    }
}

HidReadResult HidrawHandle::Read(std::span<uint8_t> buffer, std::chrono::milliseconds timeout)
{
    if (!Usable())
        return {HidReadStatus::Failed, 0};
    std::vector<uint8_t> raw(kReadBufferSize + 1);
    const HidReadResult result = DeadlineRead(fd_, wait_, timeout, [&]() -> std::optional<HidReadResult> {
        // Unnumbered reports arrive without their id: read them one byte in.
        uint8_t* into = numbered_ ? raw.data() : raw.data() + 1;
        const ssize_t n = ::read(fd_, into, kReadBufferSize);
        if (n < 0) {
            if (errno == EAGAIN || errno == EINTR)
                return std::nullopt;
            return HidReadResult{HidReadStatus::Failed, 0};
        }
        if (n == 0)
            return std::nullopt;
        std::size_t length = static_cast<std::size_t>(n);
        if (!numbered_) {
            raw[0] = 0;
            ++length;
        } else if (!ownIds_.empty() && !ownIds_.count(raw[0])) {
            return std::nullopt; // a report of another collection on the same node
        }
        const std::size_t copied = std::min(length, buffer.size());
        std::memcpy(buffer.data(), raw.data(), copied);
        return HidReadResult{HidReadStatus::Ok, copied};
    });
    if (result.status == HidReadStatus::Failed)
        gone_ = true;
    return result;
}

void HidrawHandle::CancelRead() { wait_.Cancel(); }

} // namespace lumeno
