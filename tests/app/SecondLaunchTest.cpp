// A second launch of the program against a running shell, as
// CMouseConfigurationApp makes it: the lock is taken, so the new copy asks
// the running one to come forward through the lock's socket and ends.
#include "MainWindowFixture.h"

#include "app/MouseConfigurationApp.h"
#include "platform/linux/SingleInstanceLock.h"

#include <gtest/gtest.h>

namespace lumeno {
namespace {

using test::WaitFor;

const QString kWaitingEN =
    "Lumeno-KV580 Pro is already running and waiting for the mouse. Connect the mouse to change its settings.";
const QString kWaitingDE = "Lumeno-KV580 Pro läuft bereits und wartet auf die Maus. Schließen Sie die Maus an, um "
                           "ihre Einstellungen zu ändern.";

enum class Mouse { Connected, Absent };

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

    test::TempDir runtime;
    SingleInstanceLock running{runtime.path()};
};

struct SecondLaunchTest : SecondLaunchFixture, ::testing::TestWithParam<LaunchCase> {};

TEST_P(SecondLaunchTest, BringsTheWindowOrSaysWhyThereIsNone)
{
    const LaunchCase& c = GetParam();
    if (c.mouse == Mouse::Absent)
        mouse.Unplug();
    SeedProfile(c.language);
    auto& s = Start(c.language);
    ASSERT_TRUE(Settle());
    ASSERT_FALSE(s.Window().isVisible());
    const size_t toldAtStart = dialogs.messages.size();
    EXPECT_EQ(toldAtStart, 0u) << "nothing is told unasked";

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
                                           LaunchCase{"AbsentDE", Mouse::Absent, "DE", false, kWaitingDE}),
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

} // namespace
} // namespace lumeno
