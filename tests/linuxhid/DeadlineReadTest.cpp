// The read loop shared by the hidraw and virtual-device handles, over a pipe:
// what it does with ready data, a pending cancel, a wake-up that yields no
// report and a descriptor that hangs up.
#include "platform/linux/DeadlineRead.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

namespace lumeno::test {
namespace {

using namespace std::chrono_literals;

struct DeadlineReadCase {
    const char* name;
    bool dataReady;
    bool cancelPending;
    bool writerClosed;
    bool takeGivesReport; // else each byte read is not a report of ours
    HidReadStatus expected;
    int expectedTakes;
};

TEST(DeadlineRead, WaitsForAReportUntilCancelHangupOrTimeOut)
{
    const DeadlineReadCase cases[] = {
        {"a ready report is taken before any wait", true, false, false, true, HidReadStatus::Ok, 1},
        {"a pending cancel wins over ready data", true, true, false, true, HidReadStatus::Cancelled, 0},
        {"data that is no report of ours does not end the read", true, false, false, false, HidReadStatus::TimedOut, 1},
        {"a hung-up descriptor fails", false, false, true, true, HidReadStatus::Failed, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        int fds[2];
        ASSERT_EQ(::pipe2(fds, O_CLOEXEC | O_NONBLOCK), 0);
        if (c.dataReady) {
            ASSERT_EQ(::write(fds[1], "x", 1), 1);
        }
        if (c.writerClosed) {
            ::close(fds[1]);
            fds[1] = -1;
        }
        CancelableWait wait;
        if (c.cancelPending)
            wait.Cancel();
        int takes = 0;
        const auto result = DeadlineRead(fds[0], wait, 20ms, [&]() -> std::optional<HidReadResult> {
            ++takes;
            char byte;
            if (::read(fds[0], &byte, 1) != 1 || !c.takeGivesReport)
                return std::nullopt;
            return HidReadResult{HidReadStatus::Ok, 1};
        });
        EXPECT_EQ(result.status, c.expected);
        EXPECT_EQ(takes, c.expectedTakes);
        EXPECT_FALSE(wait.TakeCancel()); // a cancel is used once, or not at all
        ::close(fds[0]);
        if (fds[1] >= 0)
            ::close(fds[1]);
    }
}

} // namespace
} // namespace lumeno::test
