// The frame checksum, the reports that carry frames and chunks, and their
// pacing, as the virtual mouse sees them.
#include "DeviceFixture.h"

#include "device/CommandFrame.h"
#include "device/CommandSet.h"
#include "device/Transport.h"

namespace lumeno::test {
namespace {

using namespace std::chrono_literals;

TEST(CommandFrameTest, ChecksumIsTheComplementOfTheEightBitSum)
{
    struct Case {
        std::array<uint8_t, 6> args;
        uint8_t code;
        uint8_t checksum;
    };
    const Case cases[] = {
        {{}, 0x81, 0x7E},
        {{0x64, 0x64}, 0x0B, 0x2C},
        {{}, 0x00, 0xFF},
        {{0x7F}, 0x80, 0x00},                               // sum 0xFF
        {{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, 0xFF, 0x06}, // wraps: 7 x 0xFF = 0x6F9
    };
    for (const Case& c : cases) {
        CommandFrame frame = CommandFrame::Make(c.code, c.args);
        frame[7] = 0x55; // never read
        EXPECT_EQ(FrameChecksum(frame), c.checksum) << "code " << int(c.code);
    }
}

struct TransportTest : DeviceFixture {
    TransportTest() { Connect(); }
};

TEST_F(TransportTest, SendCommandWithoutReplySendsOneNineByteReportAndIgnoresCallersChecksum)
{
    CommandFrame frame = CommandFrame::Make(0x0B, {0x64, 0x64});
    frame[7] = 0x99;
    link.transport.SendCommand(frame, false);

    const auto sent = TrafficOf(TrafficKind::SetFeature);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].bytes, (Bytes{0x00, 0x0B, 0x64, 0x64, 0, 0, 0, 0, 0x2C}));
    EXPECT_TRUE(TrafficOf(TrafficKind::GetFeature).empty());
    EXPECT_EQ(pacer.Now(), 10ms);
    EXPECT_TRUE(debug.lines.empty());
}

TEST_F(TransportTest, SendCommandWithReplyCopiesTheWholeReplyOverTheFrame)
{
    CommandFrame frame = CommandFrame::Make(0x87);
    link.transport.SendCommand(frame, true);

    const auto reply = F({0x87, 3}); // the virtual mouse starts on stage 3
    EXPECT_EQ(Bytes(frame.bytes.begin(), frame.bytes.end()), reply);
    EXPECT_EQ(pacer.Now(), 20ms);
    EXPECT_EQ(debug.lines, (std::vector<std::string>{"Buffer[1]:87,Buffer[2]:03.\n"}));
    // The reply read is paced too: it comes 10 ms after the send.
    const auto got = TrafficOf(TrafficKind::GetFeature);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].time, 10ms);
}

TEST_F(TransportTest, BlockWritesCostTenMsPlusHundredPerChunk)
{
    struct Case {
        int32_t byteCount;
        int chunks;
        std::chrono::milliseconds cost;
    };
    const Case cases[] = {{64, 1, 110ms}, {192, 3, 310ms}, {65, 2, 210ms}, {0, 0, 10ms}, {-5, 0, 10ms}};
    for (const Case& c : cases) {
        mouse.ClearTraffic();
        const auto before = pacer.Now();
        std::vector<uint8_t> data(size_t(c.chunks) * 64);
        for (size_t i = 0; i < data.size(); ++i)
            data[i] = uint8_t(i + 1);
        CommandFrame header = BlockHeader(0x0A, 0, uint8_t(c.chunks));
        link.transport.TransferBlock(header, data, BlockDirection::Write, c.byteCount);

        EXPECT_EQ(pacer.Now() - before, c.cost) << c.byteCount;
        const auto chunks = Chunks();
        ASSERT_EQ(int(chunks.size()), c.chunks) << c.byteCount;
        for (int k = 0; k < c.chunks; ++k)
            EXPECT_EQ(chunks[k], Bytes(data.begin() + k * 64, data.begin() + (k + 1) * 64));
        for (auto& r : TrafficOf(TrafficKind::Output)) {
            EXPECT_EQ(r.bytes.size(), 65u);
            EXPECT_EQ(r.bytes[0], 0);
        }
    }
}

TEST_F(TransportTest, BlockReadTakesTheReplyAndTheChunk)
{
    GetLightingBlock(link);
    const auto expected = mouse.State().lightingBlock;
    EXPECT_TRUE(std::equal(link.state.lightingBlock.begin(), link.state.lightingBlock.end(), expected.begin()));
    EXPECT_EQ(pacer.Now(), 120ms); // header 10, reply 10, chunk 100
}

TEST_F(TransportTest, SilentMouseKeepsTheBlockKnownBeforeAfterOneSecondPerReport)
{
    mouse.SetAnswersInputReads(false);
    link.state.lightingBlock.fill(0x77);
    GetLightingBlock(link);
    std::array<uint8_t, 24> before;
    before.fill(0x77);
    EXPECT_EQ(link.state.lightingBlock, before);
    EXPECT_EQ(pacer.Now(), 10ms + 10ms + 1000ms + 100ms);
}

TEST_F(TransportTest, DamagedRepliesAreNotTakenForTheMousesState)
{
    const struct {
        const char* name;
        VirtualMouseFaults faults;
    } cases[] = {
        {"short answers", {.shortAnswers = true}},
        {"wrong checksums", {.wrongChecksums = true}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        mouse.SetFaults({});
        GetReportRate(link);
        GetCurrentDpiStage(link);
        GetLightingBlock(link);
        const DeviceState known = link.state;
        mouse.SetFaults(c.faults);
        mouse.SwitchDpiStage(5); // what a damaged reply must not pass on either way
        link.state.currentDpiStage = known.currentDpiStage;

        CommandFrame frame = CommandFrame::Make(kGetCurrentDpiStage);
        EXPECT_FALSE(link.transport.SendCommand(frame, true));
        EXPECT_EQ(frame.bytes, CommandFrame{}.bytes) << "zeros, not the damaged bytes";
        GetReportRate(link);
        GetCurrentDpiStage(link);
        GetLightingBlock(link);
        EXPECT_EQ(link.state.reportRateState, known.reportRateState);
        EXPECT_EQ(link.state.currentDpiStage, known.currentDpiStage);
        if (c.faults.shortAnswers) {
            EXPECT_EQ(link.state.lightingBlock, known.lightingBlock) << "a cut chunk is no block";
        }
    }
    mouse.SetFaults({});
}

TEST(TransportWithoutMouseTest, EveryCallFailsAtOnceButKeepsItsPauses)
{
    DeviceRig f;
    f.hid.RemoveMouse(f.mouse);
    EXPECT_FALSE(f.link.connection.CheckConnection());
    GetReportRate(f.link);
    GetLightingBlock(f.link);
    SetMacro(f.link, f.ctx.image);
    EXPECT_EQ(f.link.state.reportRateState, (std::array<uint8_t, 4>{}));
    EXPECT_EQ(f.pacer.Now(), 20ms + 120ms + 12 * 310ms);
    EXPECT_TRUE(f.mouse.Traffic().empty());
}

TEST_F(TransportTest, BadChecksumIsIgnoredByTheMouse)
{
    // The transport always computes the checksum; a damaged report sent
    // around it changes nothing in the firmware.
    auto handle = link.connection.CommandHandle();
    const std::array<uint8_t, 9> report{0, 0x0D, 3, 0, 0, 0, 0, 0, 0x00};
    ASSERT_TRUE(handle->SetFeature(report));
    EXPECT_EQ(mouse.BadChecksumCount(), 1);
    EXPECT_EQ(mouse.State().liftOffLevel, 6);
}

} // namespace
} // namespace lumeno::test
