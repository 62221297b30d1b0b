// The virtual mouse and the in-process HID system that serves it: what a
// host sees (interfaces, names, handles, notices) and how the firmware model
// treats good and bad traffic. The HID contract itself is the shared suite.
#include "emulator/EmulatedHidSystem.h"
#include "emulator/VirtualMouse.h"
#include "platform/Pacer.h"
#include "support/HidContract.h"

#include <gtest/gtest.h>

#include <thread>

namespace lumeno::test {

// The in-process backend. Its system waits for real, so time-outs are the
// wall-clock ones of the other backends.
struct EmulatorBackend {
    ~EmulatorBackend() { hid.RemoveMouse(mouse); }
    std::string Start()
    {
        hid.AddMouse(mouse);
        return {};
    }
    HidSystem& System() { return hid; }
    VirtualMouse& Mouse() { return mouse; }
    void Unplug() { mouse.Unplug(); }
    void Plug() { mouse.Plug(); }

    VirtualMouse mouse;
    EmulatedHidSystem hid;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Emulator, HidContract, EmulatorBackend);

} // namespace lumeno::test

namespace lumeno {
namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<uint8_t>;
using test::FrameReport;

struct EmulatorTest : ::testing::Test {
    EmulatorTest() { hid.AddMouse(mouse); }
    ~EmulatorTest() override { hid.RemoveMouse(mouse); }

    std::unique_ptr<HidHandle> OpenCollection(int index, HidOpenMode mode = HidOpenMode::Commands)
    {
        auto list = hid.Enumerate();
        EXPECT_TRUE(list && int(list->size()) > index);
        return hid.Open((*list)[size_t(index)].path, mode, nullptr);
    }

    VirtualPacer pacer;
    VirtualMouse mouse{{}, &pacer};
    EmulatedHidSystem hid{&pacer};
};

TEST_F(EmulatorTest, InterfacesAndTheirNoticesCarryTheWindowsNames)
{
    std::vector<std::pair<HidNoticeKind, std::string>> notices;
    hid.SetNoticeCallback([&](HidNoticeKind kind, const std::string& name) { notices.emplace_back(kind, name); });
    const auto list = hid.Enumerate();
    ASSERT_TRUE(list);
    ASSERT_EQ(list->size(), 2u);
    EXPECT_EQ((*list)[0].path,
              "\\\\?\\HID#VID_7A1F&PID_2C41&MI_01&Col01#7&2a5c1f3b&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}");
    EXPECT_NE((*list)[1].path.find("&Col02#"), std::string::npos);

    mouse.Unplug();
    mouse.Plug();
    hid.SetNoticeCallback({});
    const std::vector<std::pair<HidNoticeKind, std::string>> expected = {
        {HidNoticeKind::Removal, (*list)[0].path},
        {HidNoticeKind::Removal, (*list)[1].path},
        {HidNoticeKind::Arrival, (*list)[0].path},
        {HidNoticeKind::Arrival, (*list)[1].path},
    };
    EXPECT_EQ(notices, expected);
}

TEST(EmulatorNamesTest, ThreeSpellingsAndTheReceiverInterface)
{
    VirtualMouseOptions options;
    options.withDongleInterface = true;
    options.instanceId = "8&1&0";
    VirtualMouse mouse(options);
    const auto collections = mouse.Collections();
    ASSERT_EQ(collections.size(), 3u);
    EXPECT_EQ(collections[2].productId, 0x2C33);
    const std::string tail = "#8&1&0#{4d1e55b2-f16f-11cf-88cb-001111000030}";
    EXPECT_EQ(EmulatedHidSystem::InterfaceName(mouse, collections[0], InterfaceNameStyle::Upper),
              "\\\\?\\HID#VID_7A1F&PID_2C41&MI_01&Col01" + tail);
    EXPECT_EQ(EmulatedHidSystem::InterfaceName(mouse, collections[1], InterfaceNameStyle::Mixed),
              "\\\\?\\HID#Vid_7a1f&Pid_2c41&MI_01&Col02" + tail);
    EXPECT_EQ(EmulatedHidSystem::InterfaceName(mouse, collections[2], InterfaceNameStyle::Lower),
              "\\\\?\\hid#vid_7a1f&pid_2c33&mi_02&col03#8&1&0#{4d1e55b2-f16f-11cf-88cb-001111000030}");
}

TEST_F(EmulatorTest, TimedReadOfASilentMouseCostsVirtualTimeOnly)
{
    auto commands = OpenCollection(0);
    std::array<uint8_t, 65> buffer{};
    const auto wallStart = std::chrono::steady_clock::now();
    EXPECT_EQ(commands->Read(buffer, 1000ms).status, HidReadStatus::TimedOut);
    EXPECT_EQ(pacer.Now(), 1000ms);
    EXPECT_LT(std::chrono::steady_clock::now() - wallStart, 1000ms); // not waited for real
}

TEST_F(EmulatorTest, HandlesRefuseWrongLengthsAndWrongModes)
{
    auto commands = OpenCollection(0);
    auto events = OpenCollection(1, HidOpenMode::Events);
    const Bytes frame = FrameReport({0x0D, 2});
    EXPECT_FALSE(commands->SetFeature(Bytes(frame.begin(), frame.begin() + 8)));
    EXPECT_FALSE(commands->Write(Bytes(64, 0)));
    EXPECT_FALSE(events->SetFeature(frame));
    EXPECT_TRUE(mouse.Traffic().empty());
}

TEST_F(EmulatorTest, AccessDeniedIsReportedApart)
{
    mouse.SetAccessDenied(true);
    const std::string path = hid.Enumerate()->at(0).path;
    EXPECT_EQ(hid.Probe(path), HidError::AccessDenied);
    HidError error = HidError::None;
    EXPECT_EQ(hid.Open(path, HidOpenMode::Commands, &error), nullptr);
    EXPECT_EQ(error, HidError::AccessDenied);
}

TEST_F(EmulatorTest, FirmwareIgnoresAndCountsBadTraffic)
{
    auto commands = OpenCollection(0);
    Bytes damaged = FrameReport({0x0D, 2});
    damaged[8] ^= 1;
    EXPECT_TRUE(commands->SetFeature(damaged));
    EXPECT_EQ(mouse.BadChecksumCount(), 1);
    EXPECT_EQ(mouse.State().liftOffLevel, 6);

    Bytes chunk(65, 0x11);
    chunk[0] = 0;
    EXPECT_TRUE(commands->Write(chunk));                              // no header announced it
    EXPECT_TRUE(commands->SetFeature(FrameReport({0x05, 0, 12, 3}))); // slot 12 does not exist
    for (int i = 0; i < 3; ++i)
        commands->Write(chunk);
    EXPECT_TRUE(commands->SetFeature(FrameReport({0x55}))); // unknown command
    EXPECT_EQ(mouse.UnexpectedReportCount(), 3);
    for (const auto& block : mouse.State().macroBlocks)
        EXPECT_EQ(block, (std::array<uint8_t, 192>{}));
}

TEST_F(EmulatorTest, FirmwareAnswersReadsAndTimesTheTraffic)
{
    auto commands = OpenCollection(0);
    ASSERT_TRUE(commands->SetFeature(FrameReport({0x81})));
    pacer.Pause(10ms);
    std::array<uint8_t, 9> reply{};
    ASSERT_TRUE(commands->GetFeature(reply));
    EXPECT_EQ(Bytes(reply.begin(), reply.end()), FrameReport({0x81, 0x01, 0x5A, 0x3C, 0x0F}));

    ASSERT_TRUE(commands->SetFeature(FrameReport({0x8C, 0, 0, 1})));
    std::array<uint8_t, 65> chunk{};
    const HidReadResult got = commands->Read(chunk, 0ms);
    ASSERT_EQ(got.status, HidReadStatus::Ok);
    EXPECT_EQ(got.length, 65u);
    const auto block = mouse.State().lightingBlock;
    EXPECT_TRUE(std::equal(block.begin(), block.end(), chunk.begin() + 1));

    const auto traffic = mouse.Traffic();
    ASSERT_EQ(traffic.size(), 4u);
    EXPECT_EQ(traffic[0].kind, TrafficKind::SetFeature);
    EXPECT_EQ(traffic[0].time, 0ms);
    EXPECT_EQ(traffic[1].kind, TrafficKind::GetFeature);
    EXPECT_EQ(traffic[1].time, 10ms);
    EXPECT_EQ(traffic[3].kind, TrafficKind::Input);
}

// One numbering: the wire's stage byte and reply count from 1, the state
// and the event report hold the index 0..7.
TEST_F(EmulatorTest, StageByteAndReplyCountStagesFromOne)
{
    auto commands = OpenCollection(0);
    const struct {
        uint8_t sent;  // stage byte of SetDpiStagesLow
        uint8_t index; // the index the mouse is on afterwards
    } cases[] = {
        // In this order: a byte outside 1..8 keeps the stage of the case before.
        {1, 0},                 // a factory reset's stage 1 is the first stage
        {3, 2}, {8, 7}, {0, 7}, // what a failed GetCurrentDpiStage makes the program send
        {9, 7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.sent));
        ASSERT_TRUE(commands->SetFeature(FrameReport({0x07, c.sent, 0xFF, 5, 11, 23, 35})));
        EXPECT_EQ(mouse.State().currentStage, c.index);
        ASSERT_TRUE(commands->SetFeature(FrameReport({0x87})));
        std::array<uint8_t, 9> reply{};
        ASSERT_TRUE(commands->GetFeature(reply));
        EXPECT_EQ(Bytes(reply.begin(), reply.end()), FrameReport({0x87, uint8_t(c.index + 1)}));
    }
}

TEST_F(EmulatorTest, DpiButtonStepsThroughEnabledStagesAndWrapsToTheFirst)
{
    auto commands = OpenCollection(0);
    auto events = OpenCollection(1, HidOpenMode::Events);
    const struct {
        const char* name;
        uint8_t mask;
        uint8_t from;               // index
        std::vector<int> announced; // event indexes of three presses
    } cases[] = {
        {"stages 1, 3, 7 from stage 3", 0x80 | 0x01 | 0x04 | 0x40, 2, {6, 0, 2}},
        {"all from stage 8", 0xFF, 7, {0, 1, 2}},
        {"stages 3, 5 from stage 8", 0x80 | 0x04 | 0x10, 7, {2, 4, 2}},
        {"none: stays", 0x80, 1, {1, 1, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(commands->SetFeature(FrameReport({0x07, uint8_t(c.from + 1), c.mask, 5, 11, 23, 35})));
        std::vector<int> announced;
        for (int i = 0; i < 3; ++i) {
            mouse.PressDpiButton();
            std::array<uint8_t, 8> report{};
            ASSERT_EQ(events->Read(report, 0ms).status, HidReadStatus::Ok);
            EXPECT_EQ(Bytes(report.begin(), report.begin() + 3), (Bytes{4, 1, 0}));
            announced.push_back(report[3]);
        }
        EXPECT_EQ(announced, c.announced);
        EXPECT_EQ(mouse.State().currentStage, c.announced.back());
    }
}

} // namespace
} // namespace lumeno
