// Data files that are not what they should be: a named pipe or a folder at
// a data file's place, a file far too large, a link. Nothing may wait on
// them, read them whole or write over them.
#include "config/ConfigFiles.h"
#include "config/ProfileIni.h"
#include "flows/ProfileFlows.h"
#include "flows/SaveProblem.h"
#include "support/TestContext.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <future>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace lumeno {
namespace {

using test::ReadFileBytes;
using test::WriteFileBytes;
namespace fs = std::filesystem;

void MakeFifo(const fs::path& path) { ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0) << path; }
bool IsFifo(const fs::path& path) { return fs::is_fifo(fs::symlink_status(path)); }

// Runs call on a thread and says whether it came back on its own. One that
// waits on the pipe is released by opening the pipe for writing, so a
// failing test still ends.
bool ReturnsWithoutWaiting(const std::function<void()>& call, const fs::path& fifo)
{
    std::promise<void> done;
    std::future<void> finished = done.get_future();
    std::thread worker([&] {
        call();
        done.set_value();
    });
    const bool prompt = finished.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
    if (!prompt) {
        const int writer = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
        if (writer >= 0)
            ::close(writer);
    }
    worker.join();
    return prompt;
}

struct ReadCase {
    const char* what;
    std::function<void(const fs::path&)> make; // makes the file at the path
    FileState state;
    std::string bytesOrProblem;
};

TEST(DataFileRead, ReadsRegularFilesAndLinksToThemAndRefusesEverythingElseWithoutWaiting)
{
    constexpr size_t kCap = 16;
    test::TempDir dir;
    const ReadCase cases[] = {
        {"missing", [](const fs::path&) {}, FileState::Missing, ""},
        {"regular", [](const fs::path& p) { WriteFileBytes(p, "abc"); }, FileState::Present, "abc"},
        {"empty", [](const fs::path& p) { WriteFileBytes(p, ""); }, FileState::Present, ""},
        {"exactly the cap", [](const fs::path& p) { WriteFileBytes(p, std::string(kCap, 'x')); }, FileState::Present,
         std::string(kCap, 'x')},
        {"a link to a file",
         [&](const fs::path& p) {
             WriteFileBytes(dir.path() / "target", "linked");
             fs::create_symlink(dir.path() / "target", p);
         },
         FileState::Present, "linked"},
        {"one byte over the cap", [](const fs::path& p) { WriteFileBytes(p, std::string(kCap + 1, 'x')); },
         FileState::Unreadable, "larger than 16 bytes"},
        {"a folder", [](const fs::path& p) { fs::create_directory(p); }, FileState::Unreadable, "a folder, not a file"},
        {"a named pipe", [](const fs::path& p) { MakeFifo(p); }, FileState::Unreadable, "not a regular file"},
        {"a link to a device", [](const fs::path& p) { fs::create_symlink("/dev/null", p); }, FileState::Unreadable,
         "not a regular file"},
    };
    int n = 0;
    for (const ReadCase& c : cases) {
        const fs::path file = dir.path() / ("file" + std::to_string(n++));
        c.make(file);
        FileRead read;
        ASSERT_TRUE(ReturnsWithoutWaiting([&] { read = test::TestFiles().ReadFile(file, kCap); }, file)) << c.what;
        EXPECT_EQ(read.state, c.state) << c.what;
        EXPECT_EQ(c.state == FileState::Unreadable ? read.problem : read.bytes, c.bytesOrProblem) << c.what;
    }
}

TEST(DataFileWrite, ANamedPipeIsNeverReplacedAndALinkKeepsPointingAtTheFileItNames)
{
    test::TempDir dir;
    const uint8_t bytes[] = {'n', 'e', 'w'};
    const fs::path fifo = dir.path() / "pipe";
    MakeFifo(fifo);
    EXPECT_NE(test::TestFiles().ReplaceAtomically(fifo, bytes), 0);
    EXPECT_TRUE(IsFifo(fifo));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1) << "a temporary left";

    const fs::path large = dir.path() / "large.ini";
    WriteFileBytes(large, std::string(kMaxDataFileBytes + 1, ';'));
    EXPECT_EQ(test::TestFiles().ReplaceAtomically(large, bytes), EFBIG);
    EXPECT_EQ(fs::file_size(large), kMaxDataFileBytes + 1);

    const fs::path target = dir.path() / "kept-elsewhere.ini";
    const fs::path link = dir.path() / "link.ini";
    WriteFileBytes(target, "old");
    fs::create_symlink(target, link);
    EXPECT_EQ(test::TestFiles().ReplaceAtomically(link, bytes), 0);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadFileBytes(target), "new");
}

class DataFiles : public ::testing::Test, protected test::ContextFixture {};

TEST_F(DataFiles, AnIniFileThatIsAPipeOrTooLargeReadsAsMissingOnceToldAndIsNeverWrittenOver)
{
    const fs::path fifo = dataDir / "str0.ini";
    MakeFifo(fifo);
    const fs::path large = dataDir / "record.ini";
    const std::string big = "[Macro]\nCount=1\n" + std::string(kMaxDataFileBytes, ';');
    WriteFileBytes(large, big);

    for (const fs::path& file : {fifo, large}) {
        std::string value;
        ASSERT_TRUE(ReturnsWithoutWaiting([&] { value = ctx.ini.ReadString(file, "Macro", "Count", "none"); }, file));
        EXPECT_EQ(value, "none");
        EXPECT_EQ(ctx.ini.ReadString(file, "Macro", "Count", "none"), "none"); // told once
        EXPECT_FALSE(ctx.ini.WriteString(file, "Macro", "Count", "2"));
    }
    EXPECT_TRUE(IsFifo(fifo));
    EXPECT_EQ(fs::file_size(large), big.size());
    EXPECT_TRUE(debug.Contains("File " + fifo.string() + " not read, taken as missing: not a regular file\n"));
    EXPECT_TRUE(debug.Contains("File " + large.string() + " not read, taken as missing: larger than 1048576 bytes\n"));
    EXPECT_EQ(debug.lines.size(), 2u);
}

TEST_F(DataFiles, AConfigurationFileThatIsAPipeLoadsAsMissingAndSavesFail)
{
    WriteFileBytes(dataDir / "str.ini", "[Profile]\nCurProfileName=A\nItemCount=1\nItem0=A\n");
    const fs::path fifo = dataDir / "config0.bin";
    MakeFifo(fifo);
    ASSERT_TRUE(ReturnsWithoutWaiting([&] { LoadConfigFile(ctx); }, fifo));
    EXPECT_TRUE(debug.Contains("Config file is not exist.\n"));
    EXPECT_FALSE(SaveConfigFile(ctx));
    EXPECT_TRUE(IsFifo(fifo));
    const SaveProblem told = DiagnoseSaveFailure(ctx);
    EXPECT_EQ(told.kind, SaveProblemKind::NotAFile);
    EXPECT_EQ(told.where, fifo);

    // Import: a pipe named like a profile file is no profile file.
    const fs::path pipeProfile = tmp.path() / "shared.bin";
    MakeFifo(pipeProfile);
    bool isProfile = true;
    ASSERT_TRUE(ReturnsWithoutWaiting([&] { isProfile = IsProfileFile(ctx.files, pipeProfile); }, pipeProfile));
    EXPECT_FALSE(isProfile);
}

} // namespace
} // namespace lumeno
