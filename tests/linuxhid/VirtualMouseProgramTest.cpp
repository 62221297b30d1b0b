// lumeno-virtual-mouse driven the way a script drives it: commands in, one
// stable line per event out, the program side talking to it over sockets.
#include "ChildProcess.h"
#include "device/DeviceFixture.h"

#include "config/ConfigFiles.h"
#include "device/CommandSet.h"
#include "flows/WriteFlows.h"
#include "platform/linux/LinuxHidSystem.h"

#include <gtest/gtest.h>

namespace lumeno::test {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

const std::string kProgram = LUMENO_VIRTUAL_MOUSE_PATH;

TEST(VirtualMouseProgram, HelpVersionAndBadOptions)
{
    {
        ChildProcess p({kProgram, "--help"});
        EXPECT_EQ(p.ReadLine().value_or(""), "Usage: lumeno-virtual-mouse [OPTION]...");
        EXPECT_EQ(p.Wait(), 0);
    }
    {
        ChildProcess p({kProgram, "--version"});
        EXPECT_EQ(p.ReadLine().value_or("").rfind("lumeno-virtual-mouse ", 0), 0u);
        EXPECT_EQ(p.Wait(), 0);
    }
    for (const auto& bad : std::vector<std::vector<std::string>>{
             {kProgram, "--bogus"}, {kProgram, "--feature-length", "0"}, {kProgram, "--folder"}}) {
        ChildProcess p(bad);
        EXPECT_EQ(p.Wait(), 2) << bad[1];
    }
}

struct ProgramTest : ::testing::Test, ContextFixture {
    void SetUp() override
    {
        fs::create_directories(tmp.path() / "sys");
        ASSERT_TRUE(program.Started());
        ASSERT_EQ(program.ReadLine().value_or(""), "ready socket " + folder.string());
        ctx.device = &link;
    }
    static LinuxHidSystemOptions Options(const fs::path& root, const fs::path& folder)
    {
        LinuxHidSystemOptions o;
        o.sysfsRoot = root / "sys";
        o.virtualFolder = folder;
        o.watchHidraw = false;
        return o;
    }

    fs::path folder = tmp.path() / "vh" / "virtual-hid";
    ChildProcess program{{kProgram, "--folder", folder.string(), "--instance", "script"}};
    VirtualPacer pacer;
    LinuxHidSystem hid{Options(tmp.path(), folder)};
    DeviceLink link{hid, pacer, debug};
};

TEST_F(ProgramTest, PrintsEachFrameDecodedAndAnswersCommands)
{
    ASSERT_TRUE(link.connection.CheckConnection());

    link.transport.SendFrame(CommandFrame::Make(kSetLiftOff, {6}));
    EXPECT_EQ(program.ReadLine().value_or(""), "frame SetLiftOff level=6 [0d 06 00 00 00 00 00 ec]");

    CommandFrame rate = CommandFrame::Make(kGetReportRate);
    link.transport.SendCommand(rate, true);
    EXPECT_EQ(program.ReadLine().value_or(""), "frame GetReportRate [81 00 00 00 00 00 00 7e]");
    EXPECT_EQ(program.ReadLine().value_or("").rfind("reply GetReportRate [81 ", 0), 0u);

    std::array<uint8_t, 64> colors{};
    colors[0] = 0xAB;
    CommandFrame header = BlockHeader(kSetStageColors, 0, 1);
    link.transport.TransferBlock(header, colors, BlockDirection::Write, 64);
    EXPECT_EQ(program.ReadLine().value_or(""), "frame SetStageColors block=0 chunks=1 [0a 00 00 01 00 00 00 f4]");
    EXPECT_EQ(program.ReadLine().value_or("").rfind("chunk SetStageColors block=0 1/1 [ab 00 00", 0), 0u);

    program.Send("dpi 3");
    EXPECT_EQ(program.ReadLine().value_or(""), "event DpiStageChanged stage=3 [04 01 00 02 00 00 00 00]");
    uint8_t event[80] = {};
    const auto r = link.connection.EventHandle()->Read(event, 2000ms);
    ASSERT_EQ(r.status, HidReadStatus::Ok);
    EXPECT_EQ(Bytes(event, event + 4), (Bytes{4, 1, 0, 2}));

    program.Send("state");
    EXPECT_EQ(program.ReadLine().value_or(""), "state plugged 1");
    EXPECT_EQ(program.WaitForLine("state currentStage").value_or(""), "state currentStage 3");
    EXPECT_EQ(program.ReadLine().value_or(""), "state currentDpi 1600");
    EXPECT_TRUE(program.WaitForLine("state end"));

    program.Send("dpi 9");
    EXPECT_EQ(program.ReadLine().value_or(""), "error dpi wants a stage 1..8");
    program.Send("jump");
    EXPECT_EQ(program.ReadLine().value_or(""), "error unknown command 'jump'");

    program.Send("unplug");
    EXPECT_EQ(program.ReadLine().value_or(""), "unplugged");
    EXPECT_TRUE(hid.Enumerate()->empty());
    program.Send("unplug");
    EXPECT_EQ(program.ReadLine().value_or(""), "unplugged");
    program.Send("dpi 1");
    EXPECT_EQ(program.ReadLine().value_or(""), "error unplugged");
    program.Send("plug");
    EXPECT_EQ(program.ReadLine().value_or(""), "plugged");
    EXPECT_TRUE(link.connection.CheckConnection());

    program.Send("quit");
    EXPECT_EQ(program.ReadLine().value_or(""), "bye");
    EXPECT_EQ(program.Wait(), 0);
    EXPECT_TRUE(fs::is_empty(folder));
}

TEST_F(ProgramTest, FaultCommandsFailTheProgramsReportsOverTheSockets)
{
    ASSERT_TRUE(link.connection.CheckConnection());
    const struct {
        const char* command;
        bool wholeReply; // GetReportRate comes back whole
        bool answered;   // the frame before it was taken
    } cases[] = {
        {"fault checksum", false, true},
        {"fault short", false, true},
        {"fault silent", false, false},
        {"fault none", true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        program.Send(c.command);
        EXPECT_EQ(program.ReadLine().value_or(""), c.command);
        link.transport.TakeUnanswered();
        link.transport.SendFrame(CommandFrame::Make(kSetLiftOff, {3}));
        EXPECT_EQ(!link.transport.TakeUnanswered(), c.answered);
        CommandFrame rate = CommandFrame::Make(kGetReportRate);
        EXPECT_EQ(link.transport.SendCommand(rate, true), c.wholeReply);
        link.transport.TakeUnanswered();
        program.Send("state"); // skips the traffic lines of this case
        EXPECT_TRUE(program.WaitForLine("state end"));
    }

    program.Send("fault unplug-after 1");
    EXPECT_EQ(program.ReadLine().value_or(""), "fault unplug-after 1");
    link.transport.SendFrame(CommandFrame::Make(kSetLiftOff, {4}));
    EXPECT_TRUE(program.WaitForLine("unplugged"));

    for (const char* bad : {"fault", "fault slow", "fault slow 0", "fault unplug-after x", "fault none now"}) {
        program.Send(bad);
        EXPECT_EQ(program.ReadLine().value_or(""),
                  "error fault wants none, silent, short, checksum, slow MS or unplug-after N")
            << bad;
    }
}

TEST_F(ProgramTest, AResetPutsTheMouseOnTheFirstStageAndTheButtonGoesOnFromThere)
{
    EnsureDataDirectory(ctx);
    ASSERT_TRUE(link.connection.CheckConnection());
    FactoryReset(ctx); // sends stage 1; the mouse started on stage 3
    program.Send("state");
    EXPECT_EQ(program.WaitForLine("state currentStage").value_or(""), "state currentStage 1");
    EXPECT_EQ(program.ReadLine().value_or(""), "state currentDpi 600");

    // What the console says and what the program reads.
    const struct {
        const char* command;
        const char* line;
        uint8_t index;
    } steps[] = {
        {"press", "event DpiStageChanged stage=2 [04 01 00 01 00 00 00 00]", 1},
        {"dpi 8", "event DpiStageChanged stage=8 [04 01 00 07 00 00 00 00]", 7},
        {"press", "event DpiStageChanged stage=1 [04 01 00 00 00 00 00 00]", 0},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.line);
        program.Send(step.command);
        EXPECT_EQ(program.WaitForLine("event ").value_or(""), step.line);
        uint8_t event[80] = {};
        ASSERT_EQ(link.connection.EventHandle()->Read(event, 2000ms).status, HidReadStatus::Ok);
        EXPECT_EQ(Bytes(event, event + 4), (Bytes{4, 1, 0, step.index}));
    }
}

// Socket addresses hold 108 bytes; the folder here alone is longer.
TEST(VirtualMouseProgram, ServesAndIsReachedInAnyRuntimeFolder)
{
    TempDir tmp;
    fs::path runtime = tmp.path();
    for (int i = 0; runtime.string().size() < 220; ++i)
        runtime /= "runtime-folder-of-a-long-name-" + std::to_string(i);
    fs::create_directories(runtime);
    fs::create_directories(tmp.path() / "sys");
    ChildProcess program({"/usr/bin/env", "XDG_RUNTIME_DIR=" + runtime.string(), kProgram});
    const fs::path folder = runtime / "lumeno-kv580" / "virtual-hid";
    ASSERT_EQ(program.ReadLine().value_or(""), "ready socket " + folder.string());

    LinuxHidSystem hid{ProgramTest::Options(tmp.path(), folder)};
    CapturingDebugOutput debug;
    VirtualPacer pacer;
    DeviceLink link{hid, pacer, debug};
    ASSERT_TRUE(link.connection.CheckConnection());
    CommandFrame rate = CommandFrame::Make(kGetReportRate);
    link.transport.SendCommand(rate, true);
    EXPECT_EQ(Bytes(rate.bytes.begin(), rate.bytes.end()), F({0x81, 0x01, 0x5A, 0x3C, 0x0F}));
    EXPECT_EQ(program.WaitForLine("reply ").value_or(""), "reply GetReportRate [81 01 5a 3c 0f 00 00 d8]");
}

TEST_F(ProgramTest, KeepsServingAfterEndOfInputAndCleansUpOnSigterm)
{
    program.CloseInput();
    EXPECT_FALSE(program.Wait(200ms));
    EXPECT_TRUE(link.connection.CheckConnection());
    program.Signal(SIGTERM);
    EXPECT_TRUE(program.WaitForLine("bye"));
    EXPECT_EQ(program.Wait(), 0);
    EXPECT_TRUE(fs::is_empty(folder));
}

} // namespace
} // namespace lumeno::test
