// lumeno-virtual-mouse --uhid stopped (SIGSTOP) while the program talks to
// its hidraw nodes: the kernel gives up on the feature requests, the session
// takes the mouse as removed after the flow, and finds it again once the
// mouse answers (SIGCONT).
#include "../linuxhid/LostMouseScenario.h"
#include "support/HidContract.h"

#include "config/ConfigFiles.h"
#include "platform/linux/LinuxHidSystem.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace lumeno::test {
namespace {

using namespace std::chrono_literals;

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

    ExpectLostThenFoundAgain(mouse, f.ctx, link, session, listener, 20s);
}

} // namespace
} // namespace lumeno::test
