// The frames and blocks of every command, byte for byte as the mouse got them.
#include "DeviceFixture.h"

#include "device/CommandSet.h"

#include <cstring>

namespace lumeno::test {
namespace {

struct CommandSetTest : DeviceFixture {
    CommandSetTest()
    {
        LoadFactoryDefaults(ctx.image);
        Connect();
    }
    ConfigImage& image = ctx.image;
};

TEST_F(CommandSetTest, FactoryDefaultsGiveTheseFrames)
{
    GetCurrentDpiStage(link);
    SetDpiStagesLow(link, image);
    SetDpiStagesHigh(link, image);
    SetAxisSensitivity(link, image);
    SetLightingEffect(link, image);
    image.SetLiftOffEnabled(0);
    SetLiftOff(link, image);

    EXPECT_EQ(Frames(), (std::vector<Bytes>{
                            F({0x87}),
                            F({0x07, 3, 0xFF, 5, 11, 23, 35}), // the stage the mouse reported
                            F({0x08, 53, 71, 119, 0, 0, 0}),
                            F({0x0B, 100, 100}),
                            F({0x06, 4, 7, 0x32, 2}),
                            F({0x0D, 6}),
                        }));
    EXPECT_EQ(debug.lines.back(), "nCurDPI:03\n");
    const VirtualMouseState s = mouse.State();
    EXPECT_EQ(s.stageDpi, (std::array<uint8_t, 7>{5, 11, 23, 35, 53, 71, 119}));
    EXPECT_EQ(s.stageEnableMask, 0xFF);
}

TEST_F(CommandSetTest, StageEnableMaskKeepsBitSevenSet)
{
    std::fill(std::begin(image.stageEnabled), std::end(image.stageEnabled), 0);
    EXPECT_EQ(StageEnableMask(image), 0x80);
    image.stageEnabled[0] = 1;
    EXPECT_EQ(StageEnableMask(image), 0x81);
    image.stageEnabled[6] = 9;
    EXPECT_EQ(StageEnableMask(image), 0xC1);
}

TEST_F(CommandSetTest, ArithmeticIsModulo256)
{
    image.axisSensitivityX = 13; // 260 -> 4
    image.axisSensitivityY = 1;
    image.dpiCode100[0] = 0; // 0 - 1 -> 255
    const CommandFrame frame = SetAxisSensitivityFrame(image);
    EXPECT_EQ(Bytes(frame.bytes.begin(), frame.bytes.begin() + 3), (Bytes{0x0B, 4, 20}));
    EXPECT_EQ(SetDpiStagesLowFrame(image, 0)[3], 255);
}

TEST_F(CommandSetTest, LightingEffectFrames)
{
    struct Case {
        uint8_t mode;
        uint8_t level; // lightingParam entry of the mode
        uint8_t colorIndex;
        std::array<uint8_t, 6> args;
    };
    const Case cases[] = {
        {0, 3, 0, {}},
        {1, 1, 0, {}}, // full level: same as "off"
        {1, 3, 0, {0, 0, 24, 0, 0, 0}},
        {2, 5, 0, {1, 0, 0x32, 2, 0, 0}},
        {2, 5, 5, {1, 7, 0x32, 2, 0, 0}}, // colour index 5 only matters here
        {3, 1, 0, {2, 7, 0x32, 10, 0, 0}},
        {3, 0, 5, {2, 7, 0x32, 12, 0, 0}},
        {4, 4, 0, {3, 7, 0x32, 4, 0, 0}},
        {9, 9, 0, {4, 7, 0x32, 2, 0, 0}}, // levels above 5 count as 5
        {5, 3, 0, {}},
        {8, 3, 0, {}},
        {10, 3, 0, {}},
    };
    for (const Case& c : cases) {
        image.lightingMode = c.mode;
        image.lightingColorIndex = c.colorIndex;
        if (c.mode >= 1 && c.mode <= 10)
            image.lightingParam[c.mode - 1] = c.level;
        const CommandFrame frame = LightingEffectFrame(image);
        EXPECT_EQ(frame[0], 0x06);
        EXPECT_EQ(Bytes(frame.bytes.begin() + 1, frame.bytes.begin() + 7), Bytes(c.args.begin(), c.args.end()))
            << "mode " << int(c.mode) << " level " << int(c.level) << " colour " << int(c.colorIndex);
    }
}

TEST_F(CommandSetTest, LiftOffSendsTheLevelOnlyWhenSwitchedOn)
{
    image.liftOffLevel = 2;
    image.SetLiftOffEnabled(0x100); // any nonzero value of the 32-bit switch
    SetLiftOff(link, image);
    image.SetLiftOffEnabled(0);
    SetLiftOff(link, image);
    EXPECT_EQ(Frames(), (std::vector<Bytes>{F({0x0D, 2}), F({0x0D, 6})}));
}

TEST_F(CommandSetTest, ReportRateSendsTheMousesOwnBytesBack)
{
    image.reportRateCode = 8;
    UpdateReportRate(link, image);
    EXPECT_EQ(Frames(), (std::vector<Bytes>{F({0x81}), F({0x01, 8, 0x5A, 0x3C, 0x0F})}));
    EXPECT_EQ(debug.lines.back(), "ReportRate:01\n");
    EXPECT_EQ(mouse.State().reportRate, (std::array<uint8_t, 4>{8, 0x5A, 0x3C, 0x0F}));
}

TEST_F(CommandSetTest, LightingBlockSendsThePaletteColourOverTheMousesBytes)
{
    image.lightingPalette[3] = {0x12, 0x34, 0x56};
    image.lightingColorIndex = 3;
    const auto before = mouse.State().lightingBlock;
    UpdateLightingBlock(link, image);

    EXPECT_EQ(Frames(), (std::vector<Bytes>{F({0x8C, 0, 0, 1}), F({0x0C, 0, 0, 1})}));
    ASSERT_EQ(Chunks().size(), 1u);
    Bytes expected(64, 0);
    expected[0] = 0x12, expected[1] = 0x34, expected[2] = 0x56;
    std::copy(before.begin() + 3, before.begin() + 24, expected.begin() + 3);
    EXPECT_EQ(Chunks()[0], expected);
}

TEST_F(CommandSetTest, FailedReadsSendZerosBack)
{
    mouse.SetAnswersInputReads(false);
    image.lightingColorIndex = 0;
    image.lightingPalette[0] = {1, 2, 3};
    UpdateLightingBlock(link, image);
    Bytes expected(64, 0);
    expected[0] = 1, expected[1] = 2, expected[2] = 3;
    ASSERT_EQ(Chunks().size(), 1u);
    EXPECT_EQ(Chunks()[0], expected);
}

TEST_F(CommandSetTest, StageColorsBlockIsTheColoursThenZeros)
{
    for (int s = 0; s < kStageCount; ++s)
        image.stageColor[s] = {uint8_t(s), uint8_t(s + 10), uint8_t(s + 20)};
    SetStageColors(link, BuildStageColorBlock(image));
    EXPECT_EQ(Frames(), (std::vector<Bytes>{F({0x0A, 0, 0, 1})}));
    Bytes expected(64, 0);
    for (int s = 0; s < kStageCount; ++s)
        expected[s * 3] = uint8_t(s), expected[s * 3 + 1] = uint8_t(s + 10), expected[s * 3 + 2] = uint8_t(s + 20);
    EXPECT_EQ(Chunks(), std::vector<Bytes>{expected});
}

TEST_F(CommandSetTest, SetMacroSendsTwelveOverlappingWindows)
{
    for (int k = 0; k < kMacroSlotCount; ++k)
        for (int i = 0; i < kMacroSlotSize; ++i)
            image.macroMemory[k][i] = uint8_t(k * 16 + i % 16 + 1);
    SetMacro(link, image);

    std::vector<Bytes> headers;
    for (int k = 0; k < 12; ++k)
        headers.push_back(F({0x05, 0, k, 3}));
    EXPECT_EQ(Frames(), headers);

    const auto chunks = Chunks();
    ASSERT_EQ(chunks.size(), 36u);
    const uint8_t* memory = &image.macroMemory[0][0];
    for (int k = 0; k < 12; ++k) {
        Bytes window;
        for (int c = 0; c < 3; ++c)
            window.insert(window.end(), chunks[k * 3 + c].begin(), chunks[k * 3 + c].end());
        Bytes expected(192, 0);
        const int available = std::min(192, 1560 - k * 130);
        std::copy_n(memory + k * 130, available, expected.begin());
        EXPECT_EQ(window, expected) << "slot " << k;
    }
    // Slot 11 travels with 62 zero bytes behind it.
    const auto last = mouse.State().macroBlocks[11];
    EXPECT_TRUE(std::all_of(last.begin() + 130, last.end(), [](uint8_t b) { return b == 0; }));
    EXPECT_EQ(last[129], image.macroMemory[11][129]);
}

TEST_F(CommandSetTest, SetMacroSendsAllSlotsEvenWhenEmpty)
{
    std::memset(image.macroMemory, 0, sizeof image.macroMemory);
    SetMacro(link, image);
    EXPECT_EQ(Frames().size(), 12u);
    const auto chunks = Chunks();
    ASSERT_EQ(chunks.size(), 36u);
    for (const Bytes& chunk : chunks)
        EXPECT_EQ(chunk, Bytes(64, 0));
}

} // namespace
} // namespace lumeno::test
