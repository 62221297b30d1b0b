#include "platform/linux/SingleInstanceLock.h"
#include "support/TestContext.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

namespace lumeno {
namespace {

constexpr char kName[] = "Lumeno-KV580 Pro_Mutex";

// flock locks belong to the open file, so a second lock in this process
// already behaves like a second copy of the program.
TEST(SingleInstanceLock, SecondCopyIsRefusedUntilTheFirstReleases)
{
    test::TempDir dir;
    SingleInstanceLock first(dir.path());
    SingleInstanceLock second(dir.path());
    EXPECT_EQ(first.Acquire(kName), InstanceLock::Acquired);
    EXPECT_EQ(second.Acquire(kName), InstanceLock::AlreadyRunning);
    EXPECT_EQ(first.Acquire(kName), InstanceLock::Acquired) << "re-acquiring the held lock is harmless";
    first.Release();
    EXPECT_EQ(second.Acquire(kName), InstanceLock::Acquired);
}

TEST(SingleInstanceLock, LockEndsWithItsProcess)
{
    test::TempDir dir;
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        SingleInstanceLock lock(dir.path());
        _exit(lock.Acquire(kName) == InstanceLock::Acquired ? 0 : 1); // no Release
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_EQ(WEXITSTATUS(status), 0);
    SingleInstanceLock next(dir.path());
    EXPECT_EQ(next.Acquire(kName), InstanceLock::Acquired);
}

TEST(SingleInstanceLock, StartedProgramsDoNotInheritTheLock)
{
    test::TempDir dir;
    SingleInstanceLock lock(dir.path());
    ASSERT_EQ(lock.Acquire(kName), InstanceLock::Acquired);
    // A program exec'd from here (the firmware updater) holding the lock
    // would keep the next start from running after this copy quits.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        execl("/bin/sleep", "sleep", "5", static_cast<char*>(nullptr));
        _exit(127);
    }
    lock.Release();
    SingleInstanceLock next(dir.path());
    EXPECT_EQ(next.Acquire(kName), InstanceLock::Acquired);
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
}

TEST(SingleInstanceLock, MissingFolderIsUnavailableNotRunning)
{
    SingleInstanceLock lock(std::filesystem::path("/nonexistent/lumeno"));
    EXPECT_EQ(lock.Acquire(kName), InstanceLock::Unavailable);
}

} // namespace
} // namespace lumeno
