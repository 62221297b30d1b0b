// A second launch of the program against a running shell, as
// CMouseConfigurationApp makes it: the lock is taken, so the new copy asks
// the running one to come forward through the lock's socket and ends.
#include "MainWindowFixture.h"

#include "app/MouseConfigurationApp.h"
#include "device/DeviceChange.h"
#include "platform/linux/SingleInstanceLock.h"

#include <gtest/gtest.h>

namespace lumeno {
namespace {

using test::WaitFor;

const QString kWaitingEN =
    "Lumeno-KV580 Pro is already running and waiting for the mouse. Connect the mouse to change its settings.";
const QString kWaitingDE = "Lumeno-KV580 Pro läuft bereits und wartet auf die Maus. Schließen Sie die Maus an, um "
                           "ihre Einstellungen zu ändern.";
const QString kRefusedEN = "The Lumeno-KV580 Pro is connected, but you are not allowed to open it. The udev rule "
                           "70-lumeno-kv580.rules, installed with the program's package, grants access: make sure it "
                           "is installed, then unplug the mouse and plug it in again.";
const QString kRefusedCHT = "Lumeno-KV580 Pro 已連接，但您沒有開啟它的權限。程式安裝套件隨附的 udev 規則 "
                            "70-lumeno-kv580.rules 可授予此權限：請確認該規則已安裝，然後拔下滑鼠並重新插入。";

enum class Mouse { Connected, Absent, Refused };

struct LaunchCase {
    const char* name;
    Mouse mouse;
    const char* language;
    bool windowShown;
    QString message; // empty: none
};
void PrintTo(const LaunchCase& c, std::ostream* os) { *os << c.name; }

struct SecondLaunchFixture : test::MainWindowFixture {
    SecondLaunchFixture()
    {
        EXPECT_EQ(running.Acquire(kSingleInstanceName), InstanceLock::Acquired);
        instance = &running;
    }
    // The shell listens on the lock's socket: it goes first.
    ~SecondLaunchFixture()
    {
        pacer.Release();
        shell.reset();
    }
    // Lets the running shell take the request and answer it.
    bool LaunchAgain()
    {
        SingleInstanceLock lock(runtime.path());
        if (lock.Acquire(kSingleInstanceName) != InstanceLock::AlreadyRunning || !lock.AskRunningCopyForward())
            return false;
        return WaitFor([this] { return debug.Contains("Another launch asked this copy to come forward\n"); }) &&
               Settle();
    }
    bool HandledRemoval()
    {
        return WaitFor([this] { return debug.Contains("The system did not detect the Lumeno-KV580 Pro.\n"); }) &&
               Settle();
    }

    test::TempDir runtime;
    SingleInstanceLock running{runtime.path()};
};

struct SecondLaunchTest : SecondLaunchFixture, ::testing::TestWithParam<LaunchCase> {};

TEST_P(SecondLaunchTest, BringsTheWindowOrSaysWhyThereIsNone)
{
    const LaunchCase& c = GetParam();
    if (c.mouse == Mouse::Absent)
        mouse.Unplug();
    mouse.SetAccessDenied(c.mouse == Mouse::Refused);
    SeedProfile(c.language);
    auto& s = Start(c.language);
    ASSERT_TRUE(Settle());
    ASSERT_FALSE(s.Window().isVisible());
    const size_t toldAtStart = dialogs.messages.size();
    EXPECT_EQ(toldAtStart, c.mouse == Mouse::Refused ? 1u : 0u) << "only a refused mouse is told unasked";

    ASSERT_TRUE(LaunchAgain());
    EXPECT_EQ(s.Window().isVisible(), c.windowShown);
    if (c.message.isEmpty()) {
        EXPECT_EQ(dialogs.messages.size(), toldAtStart);
    } else {
        ASSERT_EQ(dialogs.messages.size(), toldAtStart + 1);
        EXPECT_EQ(dialogs.messages.back(), c.message);
    }
}

INSTANTIATE_TEST_SUITE_P(Mice, SecondLaunchTest,
                         ::testing::Values(LaunchCase{"Connected", Mouse::Connected, "EN", true, {}},
                                           LaunchCase{"AbsentEN", Mouse::Absent, "EN", false, kWaitingEN},
                                           LaunchCase{"AbsentDE", Mouse::Absent, "DE", false, kWaitingDE},
                                           LaunchCase{"RefusedEN", Mouse::Refused, "EN", false, kRefusedEN},
                                           LaunchCase{"RefusedCHT", Mouse::Refused, "CHT", false, kRefusedCHT}),
                         [](const auto& info) { return std::string(info.param.name); });

struct SecondLaunchPlainTest : SecondLaunchFixture, ::testing::Test {};

TEST_F(SecondLaunchPlainTest, LaunchesDuringAFlowAreAnsweredAfterIt)
{
    auto& s = Start();
    pacer.Hold();
    s.QueuedCommands().Apply(ApplyGroup::ButtonsAndMacros);
    ASSERT_TRUE(WaitFor([&] { return pacer.SomeoneWaits(); }));
    SingleInstanceLock lock(runtime.path());
    ASSERT_EQ(lock.Acquire(kSingleInstanceName), InstanceLock::AlreadyRunning);
    ASSERT_TRUE(lock.AskRunningCopyForward());
    ASSERT_TRUE(WaitFor([&] { return debug.Contains("Another launch asked this copy to come forward\n"); }));
    EXPECT_FALSE(s.Window().isVisible()) << "not while the flow runs";
    pacer.Release();
    ASSERT_TRUE(Settle());
    EXPECT_TRUE(s.Window().isVisible());
}

TEST_F(SecondLaunchPlainTest, ARefusedMouseIsToldOncePerPlugIn)
{
    mouse.SetAccessDenied(true);
    auto& s = Start();
    ASSERT_TRUE(Settle());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0], kRefusedEN);
    EXPECT_FALSE(s.Tray().IsAdded());

    // Another search of the same plug-in says nothing more.
    s.Session().OnDeviceChange(kDeviceArrival, kDeviceTypeInterface, "\\\\?\\HID#VID_7A1F&PID_2C41&MI_01&Col02#x");
    ASSERT_TRUE(Settle());
    EXPECT_EQ(dialogs.messages.size(), 1u);

    // Plugged in again: each interface's arrival searches, the user is told
    // once, and no search closes that message.
    mouse.Unplug();
    ASSERT_TRUE(HandledRemoval());
    const int cancelled = dialogs.cancelled;
    mouse.Plug();
    ASSERT_TRUE(WaitFor([&] { return dialogs.messages.size() == 2; }));
    ASSERT_TRUE(Settle());
    EXPECT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[1], kRefusedEN);
    EXPECT_EQ(dialogs.cancelled, cancelled);

    // Allowed (the rule installed) and plugged in again: the mouse is used.
    mouse.SetAccessDenied(false);
    debug.lines.clear();
    mouse.Unplug();
    ASSERT_TRUE(HandledRemoval());
    mouse.Plug();
    ASSERT_TRUE(WaitFor([&] { return s.Tray().IsAdded(); }));
    ASSERT_TRUE(Settle());
    EXPECT_EQ(dialogs.messages.size(), 2u);
}

} // namespace
} // namespace lumeno
