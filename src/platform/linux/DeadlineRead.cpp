#include "platform/linux/DeadlineRead.h"

#include <algorithm>

namespace lumeno {

HidReadResult DeadlineRead(int fd, CancelableWait& wait, std::chrono::milliseconds timeout, const TakeReport& take)
{
    using Clock = std::chrono::steady_clock;
    const bool forever = timeout.count() < 0;
    const auto deadline = Clock::now() + (forever ? std::chrono::milliseconds(0) : timeout);
    for (;;) {
        if (wait.TakeCancel())
            return {HidReadStatus::Cancelled, 0};
        if (const auto outcome = take())
            return *outcome;
        const auto left = forever ? kHidWaitForever
                                  : std::max(std::chrono::milliseconds(0),
                                             std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()));
        switch (wait.Wait(fd, left)) {
        case CancelableWait::Result::Cancelled:
            return {HidReadStatus::Cancelled, 0};
        case CancelableWait::Result::TimedOut:
            return {HidReadStatus::TimedOut, 0};
        case CancelableWait::Result::Hangup:
        case CancelableWait::Result::Failed:
            return {HidReadStatus::Failed, 0};
        case CancelableWait::Result::Readable:
            break;
        }
    }
}

} // namespace lumeno
