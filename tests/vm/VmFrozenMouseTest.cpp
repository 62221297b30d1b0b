// lumeno-virtual-mouse --uhid stopped (SIGSTOP) while the program talks to
// its hidraw nodes: the kernel gives up on the feature requests, the session
// takes the mouse as removed after the flow, and finds it again once the
// mouse answers (SIGCONT).
#include "../linuxhid/ChildProcess.h"
#include "device/DeviceFixture.h"
#include "support/HidContract.h"

#include "config/ConfigFiles.h"
#include "flows/DeviceSession.h"
#include "flows/WriteFlows.h"
#include "platform/linux/LinuxHidSystem.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/wait.h>
#include <thread>

namespace lumeno::test {
namespace {

using namespace std::chrono_literals;

// Sends SIGSTOP and waits (bounded) until the child has stopped: a child
// still running on another core could answer one more request.
bool StopChild(ChildProcess& child)
{
    child.Signal(SIGSTOP);
    for (int i = 0; i < 500; ++i) {
        siginfo_t info{};
        if (::waitid(P_ALL, 0, &info, WSTOPPED | WNOHANG) == 0 && info.si_pid != 0)
            return true;
        std::this_thread::sleep_for(10ms);
    }
    return false;
}

TEST(VirtualMouseProgram, AStoppedUhidMouseIsLostThenFoundWhenItAnswersAgain)
{
    const char* program = std::getenv("LUMENO_VIRTUAL_MOUSE");
    if (!program)
        GTEST_SKIP() << "LUMENO_VIRTUAL_MOUSE not set";
    LinuxHidSystemOptions options; // /sys and /dev of the machine, uevents on
    options.virtualFolder.clear();
    LinuxHidSystem hid{options};
    NoticeLog log;
    hid.SetNoticeCallback(log.Callback());
    ChildProcess mouse({program, "--uhid"});
    ASSERT_EQ(mouse.ReadLine().value_or(""), "ready uhid");
    ASSERT_EQ(log.Take(HidNoticeKind::Arrival, 2).size(), 2u);
    hid.SetNoticeCallback({});

    ContextFixture f;
    VirtualPacer pacer;
    DeviceLink link{hid, pacer, f.debug};
    f.ctx.device = &link;
    EnsureDataDirectory(f.ctx);
    InlineUiThread ui;
    RecordingListener listener;
    DeviceSession session(f.ctx, link, hid, ui, listener);
    ASSERT_TRUE(session.Start());

    ASSERT_TRUE(StopChild(mouse));
    f.ctx.image.axisSensitivityX = 1;
    f.ctx.image.axisSensitivityY = 1;
    auto start = std::chrono::steady_clock::now();
    RunFlow(Flow::Sensitivity, f.ctx);
    std::cout << "unanswered flow: "
              << std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count()
              << " ms\n";
    session.AfterFlow();
    EXPECT_TRUE(session.Lost());
    EXPECT_FALSE(link.connection.MouseConnected());
    EXPECT_EQ(link.connection.CommandHandle(), nullptr) << "handles closed as for a removal";
    EXPECT_EQ(listener.Snapshot(), (std::vector<std::string>{"gone"}));

    start = std::chrono::steady_clock::now();
    EXPECT_FALSE(session.SearchAnswering()) << "still stopped";
    std::cout << "search while stopped: "
              << std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count()
              << " ms\n";
    EXPECT_FALSE(link.connection.MouseConnected());

    mouse.Signal(SIGCONT);
    bool answering = false;
    for (int attempt = 0; attempt < 10 && !answering; ++attempt) {
        answering = session.SearchAnswering();
        if (!answering)
            std::this_thread::sleep_for(200ms);
    }
    ASSERT_TRUE(answering);
    session.FoundAgain();
    EXPECT_FALSE(session.Lost());
    EXPECT_TRUE(link.connection.MouseConnected());
    EXPECT_EQ(listener.Snapshot(), (std::vector<std::string>{"gone", "arrived"}));

    // Values the first flow did not send: 3 x 20 and 7 x 20.
    f.ctx.image.axisSensitivityX = 3;
    f.ctx.image.axisSensitivityY = 7;
    RunFlow(Flow::Sensitivity, f.ctx);
    session.AfterFlow();
    EXPECT_FALSE(session.Lost());
    const auto line = mouse.WaitForLine("frame SetAxisSensitivity x=60", 20s);
    ASSERT_TRUE(line) << "the mouse hears the program again";
    EXPECT_NE(line->find("[0b 3c 8c 00 00 00 00"), std::string::npos) << *line;
}

} // namespace
} // namespace lumeno::test
