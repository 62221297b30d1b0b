#include "platform/linux/SingleInstanceLock.h"
#include "support/TestContext.h"

#include <gtest/gtest.h>

#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace lumeno {
namespace {

constexpr char kName[] = "Lumeno-KV580 Pro_Mutex";

bool Readable(int fd)
{
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, 0) == 1;
}

bool IsSocket(const std::filesystem::path& path)
{
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISSOCK(st.st_mode);
}

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

// What a second launch of the program does: it finds the lock taken and asks
// the holder to come forward; the holder sees each request once.
TEST(SingleInstanceLock, ASecondCopyAsksTheHolderToComeForward)
{
    test::TempDir dir;
    SingleInstanceLock first(dir.path());
    ASSERT_EQ(first.Acquire(kName), InstanceLock::Acquired);
    ASSERT_GE(first.RequestDescriptor(), 0);
    EXPECT_FALSE(Readable(first.RequestDescriptor()));
    EXPECT_EQ(first.TakeRequests(), 0);

    SingleInstanceLock second(dir.path());
    ASSERT_EQ(second.Acquire(kName), InstanceLock::AlreadyRunning);
    EXPECT_EQ(second.RequestDescriptor(), -1);
    EXPECT_TRUE(second.AskRunningCopyForward());
    EXPECT_TRUE(second.AskRunningCopyForward());
    EXPECT_TRUE(Readable(first.RequestDescriptor()));
    EXPECT_EQ(first.TakeRequests(), 2);
    EXPECT_EQ(first.TakeRequests(), 0);

    const auto socket = dir.path() / (std::string(kName) + ".sock");
    EXPECT_TRUE(IsSocket(socket));
    struct stat st {};
    ASSERT_EQ(::stat(socket.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u) << "only this user may ask";

    // The holder leaves; the next one is reachable in its place.
    first.Release();
    EXPECT_FALSE(IsSocket(socket));
    ASSERT_EQ(second.Acquire(kName), InstanceLock::Acquired);
    SingleInstanceLock third(dir.path());
    ASSERT_EQ(third.Acquire(kName), InstanceLock::AlreadyRunning);
    EXPECT_TRUE(third.AskRunningCopyForward());
    EXPECT_EQ(second.TakeRequests(), 1);
}

// A crashed copy leaves its lock file and its socket behind; neither keeps
// the next start from running and being reached.
TEST(SingleInstanceLock, LockAndSocketEndWithTheirProcess)
{
    test::TempDir dir;
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        SingleInstanceLock lock(dir.path());
        _exit(lock.Acquire(kName) == InstanceLock::Acquired && lock.RequestDescriptor() >= 0 ? 0 : 1); // no Release
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_EQ(WEXITSTATUS(status), 0);
    ASSERT_TRUE(IsSocket(dir.path() / (std::string(kName) + ".sock"))) << "the crashed copy's socket stays";

    SingleInstanceLock next(dir.path());
    EXPECT_EQ(next.Acquire(kName), InstanceLock::Acquired);
    SingleInstanceLock later(dir.path());
    ASSERT_EQ(later.Acquire(kName), InstanceLock::AlreadyRunning);
    EXPECT_TRUE(later.AskRunningCopyForward());
    EXPECT_EQ(next.TakeRequests(), 1);
}

// A folder longer than a socket address holds: the lock works and the
// holder is still reached.
TEST(SingleInstanceLock, FolderTooDeepForASocketAddressKeepsTheLockAndIsReached)
{
    test::TempDir dir;
    const auto deep = dir.path() / std::string(110, 'd');
    std::filesystem::create_directory(deep);
    SingleInstanceLock first(deep);
    ASSERT_EQ(first.Acquire(kName), InstanceLock::Acquired);
    EXPECT_GE(first.RequestDescriptor(), 0);
    SingleInstanceLock second(deep);
    ASSERT_EQ(second.Acquire(kName), InstanceLock::AlreadyRunning);
    EXPECT_TRUE(second.AskRunningCopyForward());
    EXPECT_EQ(first.TakeRequests(), 1);
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
