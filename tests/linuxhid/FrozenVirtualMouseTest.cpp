// A lumeno-virtual-mouse that stops answering (SIGSTOP) while the program
// talks to it over its sockets: the session takes it as removed after the
// flow, and finds it again once it answers (SIGCONT).
#include "LostMouseScenario.h"

#include "config/ConfigFiles.h"
#include "platform/linux/LinuxHidSystem.h"
#include "platform/linux/VirtualHidClient.h"

#include <gtest/gtest.h>

namespace lumeno::test {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

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

    ExpectLostThenFoundAgain(program, ctx, link, session, listener, 10s, 10 * kVirtualHidReplyTimeout);
    EXPECT_TRUE(debug.Contains("The Lumeno-KV580 Pro stopped answering.\n"));
}

} // namespace
} // namespace lumeno::test
