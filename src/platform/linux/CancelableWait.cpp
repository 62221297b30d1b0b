#include "platform/linux/CancelableWait.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace lumeno {

CancelableWait::CancelableWait() : eventFd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

CancelableWait::~CancelableWait()
{
    if (eventFd_ >= 0)
        ::close(eventFd_);
}

void CancelableWait::Cancel()
{
    const std::uint64_t one = 1;
    [[maybe_unused]] const auto ignored = ::write(eventFd_, &one, sizeof one);
}

bool CancelableWait::TakeCancel()
{
    std::uint64_t count = 0;
    return ::read(eventFd_, &count, sizeof count) == sizeof count && count > 0;
}

CancelableWait::Result CancelableWait::Wait(int fd, std::chrono::milliseconds timeout)
{
    using Clock = std::chrono::steady_clock;
    const bool forever = timeout.count() < 0;
    const auto deadline = Clock::now() + (forever ? std::chrono::milliseconds(0) : timeout);
    for (;;) {
        int waitMs = -1;
        if (!forever) {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
            waitMs = static_cast<int>(std::max<long long>(0, std::min<long long>(left.count(), 1 << 30)));
        }
        pollfd fds[2] = {{fd, POLLIN, 0}, {eventFd_, POLLIN, 0}};
        const int n = ::poll(fds, 2, waitMs);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return Result::Failed;
        }
        if ((fds[1].revents & POLLIN) && TakeCancel())
            return Result::Cancelled;
        if (fds[0].revents & POLLIN)
            return Result::Readable;
        if (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL))
            return Result::Hangup;
        if (n == 0 || (!forever && Clock::now() >= deadline))
            return Result::TimedOut;
    }
}

} // namespace lumeno
