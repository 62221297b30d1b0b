// A lumeno-virtual-mouse that stops answering (SIGSTOP) while the program
// talks to it over its sockets: the session takes it as removed after the
// flow, and finds it again once it answers (SIGCONT).
#include "ChildProcess.h"
#include "device/DeviceFixture.h"

#include "config/ConfigFiles.h"
#include "flows/DeviceSession.h"
#include "flows/WriteFlows.h"
#include "platform/linux/LinuxHidSystem.h"
#include "platform/linux/VirtualHidClient.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <thread>

namespace lumeno::test {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

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

struct FrozenVirtualMouse : ::testing::Test, ContextFixture {
    FrozenVirtualMouse()
    {
        fs::create_directories(tmp.path() / "sys");
        ctx.device = &link;
        EnsureDataDirectory(ctx);
    }
    ~FrozenVirtualMouse() override { program.Signal(SIGCONT); }
    static LinuxHidSystemOptions Options(const fs::path& root, const fs::path& folder)
    {
        LinuxHidSystemOptions o;
        o.sysfsRoot = root / "sys";
        o.virtualFolder = folder;
        o.watchHidraw = false;
        return o;
    }

    fs::path folder = tmp.path() / "runtime" / "virtual-hid";
    ChildProcess program{{LUMENO_VIRTUAL_MOUSE_PATH, "--folder", folder.string(), "--instance", "frozen"}};
    VirtualPacer pacer;
    LinuxHidSystem hid{Options(tmp.path(), folder)};
    DeviceLink link{hid, pacer, debug};
    InlineUiThread ui;
    RecordingListener listener;
    DeviceSession session{ctx, link, hid, ui, listener};
};

TEST_F(FrozenVirtualMouse, IsLostAfterAnUnansweredFlowThenFoundWhenItAnswersAgain)
{
    ASSERT_TRUE(program.Started());
    ASSERT_EQ(program.ReadLine().value_or(""), "ready socket " + folder.string());
    ASSERT_TRUE(session.Start());

    ASSERT_TRUE(StopChild(program));
    ctx.image.axisSensitivityX = 1;
    ctx.image.axisSensitivityY = 1;
    const auto start = std::chrono::steady_clock::now();
    RunFlow(Flow::Sensitivity, ctx);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 10 * kVirtualHidReplyTimeout) << "the reply timed out";
    session.AfterFlow();
    EXPECT_TRUE(session.Lost());
    EXPECT_FALSE(link.connection.MouseConnected());
    EXPECT_EQ(link.connection.CommandHandle(), nullptr) << "handles closed as for a removal";
    EXPECT_EQ(listener.Snapshot(), (std::vector<std::string>{"gone"}));
    EXPECT_TRUE(debug.Contains("The Lumeno-KV580 Pro stopped answering.\n"));

    EXPECT_FALSE(session.SearchAnswering()) << "still stopped";
    EXPECT_FALSE(link.connection.MouseConnected());

    program.Signal(SIGCONT);
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
    ctx.image.axisSensitivityX = 3;
    ctx.image.axisSensitivityY = 7;
    RunFlow(Flow::Sensitivity, ctx);
    session.AfterFlow();
    EXPECT_FALSE(session.Lost());
    const auto line = program.WaitForLine("frame SetAxisSensitivity x=60", 10s);
    ASSERT_TRUE(line) << "the mouse hears the program again";
    EXPECT_NE(line->find("[0b 3c 8c 00 00 00 00"), std::string::npos) << *line;
}

} // namespace
} // namespace lumeno::test
