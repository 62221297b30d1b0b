// What reaches the virtual mouse when a person uses the lighting pane: every
// change sends the colour block and then the effect.
#include "device/DeviceFixture.h"

#include "device/CommandSet.h"
#include "emulator/LightingWords.h"
#include "flows/WriteFlows.h"
#include "lighting/LightingModel.h"

namespace lumeno::test {
namespace {

struct LightingTrafficTest : DeviceFixture {
    LightingTrafficTest()
    {
        LoadFactoryDefaults(ctx.image);
        ctx.languageCode = "EN";
        Connect();
    }

    // A model whose requests run the lighting write at once.
    LightingModel Pane()
    {
        return LightingModel(ctx.image, MouseLightingFields(), [this] {
            ++writes;
            WriteLighting(ctx);
        });
    }
    static int CentreX(const LightingRect& r) { return (r.left + r.right) / 2; }
    static int CentreY(const LightingRect& r) { return (r.top + r.bottom) / 2; }
    void ClickRadio(LightingModel& m, int row)
    {
        m.LeftClick(CentreX(LightingRadioRect(row)), CentreY(LightingRadioRect(row)));
    }
    void ClickSwatch(LightingModel& m, int swatch)
    {
        m.LeftClick(CentreX(LightingSwatchRect(swatch)), CentreY(LightingSwatchRect(swatch)));
    }

    // The write of one change: read the block, write it, then the effect.
    void ExpectOneLightingWrite(const Bytes& effect, const Rgb& colour)
    {
        EXPECT_EQ(Codes(), (Bytes{kGetLightingBlock, kSetLightingBlock, kSetLightingEffect}));
        EXPECT_EQ(Frames().back(), effect);
        const auto chunks = Chunks();
        ASSERT_EQ(chunks.size(), 1u);
        EXPECT_EQ(chunks[0][0], colour.red);
        EXPECT_EQ(chunks[0][1], colour.green);
        EXPECT_EQ(chunks[0][2], colour.blue);
        mouse.ClearTraffic();
    }

    int writes = 0;
};

TEST_F(LightingTrafficTest, EachEffectClickSendsTheColourBlockAndTheEffect)
{
    // Levels: steady 4, breathing 5, neon 3, finger tapping 2, stream 6.
    ctx.image.lightingParam[0] = 4;
    ctx.image.lightingParam[1] = 5;
    ctx.image.lightingParam[2] = 3;
    ctx.image.lightingParam[3] = 2;
    ctx.image.lightingParam[8] = 6;
    ctx.image.lightingColorIndex = 1;
    const Rgb yellow{255, 255, 0};
    const struct {
        int row;
        Bytes effect;
    } cases[] = {
        {0, F({0x06, 0, 0, 4 * 8})},   // steady: brightness level x 8
        {1, F({0x06, 1, 0, 0x32, 2})}, // breathing, one colour, level 5
        {2, F({0x06, 2, 7, 0x32, 6})}, // neon, level 3
        {3, F({0x06, 4, 7, 0x32, 2})}, // stream, level 6 sends what 5 sends
        {4, F({0x06, 3, 7, 0x32, 8})}, // finger tapping, level 2
    };
    auto pane = Pane();
    mouse.ClearTraffic();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        ClickRadio(pane, c.row);
        ExpectOneLightingWrite(c.effect, yellow);
    }
    EXPECT_EQ(LightingShown(mouse.State()), "finger tapping, all colours, speed 2 of 5");
}

TEST_F(LightingTrafficTest, BrightnessLevelOneIsOff)
{
    auto pane = Pane();
    ClickRadio(pane, 0);
    mouse.ClearTraffic();
    pane.SliderReleased(2037, 1);
    ExpectOneLightingWrite(F({0x06}), ctx.image.lightingPalette[ctx.image.lightingColorIndex]);
    EXPECT_EQ(LightingShown(mouse.State()), "off");
}

TEST_F(LightingTrafficTest, SpeedLevelsFiveAndSixSendTheSameCode)
{
    auto pane = Pane();
    ClickRadio(pane, 1);
    mouse.ClearTraffic();
    pane.SliderReleased(2038, 5);
    const Bytes five = FrameWithCode(kSetLightingEffect);
    mouse.ClearTraffic();
    pane.SliderReleased(2038, 6);
    EXPECT_EQ(FrameWithCode(kSetLightingEffect), five);
    EXPECT_EQ(five, F({0x06, 1, 0, 0x32, 2}));
    EXPECT_EQ(ctx.image.lightingParam[1], 6);
}

TEST_F(LightingTrafficTest, BreathingWithTheMultiColourSwatchAsksForAllColours)
{
    auto pane = Pane();
    ClickRadio(pane, 1);
    mouse.ClearTraffic();
    ClickSwatch(pane, kMultiColourSwatch);
    EXPECT_EQ(ctx.image.lightingColorIndex, 5);
    ExpectOneLightingWrite(F({0x06, 1, 7, 0x32, LightingSpeedCode(ctx.image.lightingParam[1])}),
                           ctx.image.lightingPalette[5]);

    // A solid swatch again: one colour.
    ClickSwatch(pane, 3);
    ExpectOneLightingWrite(F({0x06, 1, 0, 0x32, LightingSpeedCode(ctx.image.lightingParam[1])}), Rgb{0, 255, 255});
}

TEST_F(LightingTrafficTest, StoredEffectsWithoutAControlAreSentAsOff)
{
    for (int stored : {0, 5, 6, 7, 8, 10, 11, 200}) {
        SCOPED_TRACE(stored);
        ctx.image.lightingMode = uint8_t(stored);
        auto pane = Pane();
        mouse.ClearTraffic();
        writes = 0;
        pane.SelectEffect(ctx.image.lightingMode); // what a refresh does
        EXPECT_EQ(writes, 1);
        ExpectOneLightingWrite(F({0x06}), ctx.image.lightingPalette[ctx.image.lightingColorIndex]);
    }
}

TEST_F(LightingTrafficTest, ARecolouredSwatchIsTheBlocksColour)
{
    auto pane = Pane();
    ClickRadio(pane, 0);
    ClickSwatch(pane, 2);
    mouse.ClearTraffic();
    pane.Recolour(2, Rgb{10, 20, 30});
    ExpectOneLightingWrite(F({0x06, 0, 0, uint8_t(ctx.image.lightingParam[0] * 8)}), Rgb{10, 20, 30});
    EXPECT_EQ(LightingShown(mouse.State()), "steady, #0a141e, brightness 100%");
}

TEST_F(LightingTrafficTest, ThePadModelSendsNothing)
{
    LightingModel pad(ctx.image, PadLightingFields(), [this] {
        ++writes;
        WriteLighting(ctx);
    });
    mouse.ClearTraffic();
    for (int e = 0; e <= 11; ++e)
        pad.SelectEffect(e);
    pad.SelectEffect(2);
    for (int i = 0; i < kLightingSwatchCount; ++i)
        ClickSwatch(pad, i);
    pad.Recolour(0, Rgb{1, 2, 3});
    for (int id = 2037; id <= 2045; ++id)
        pad.SliderReleased(id, 3);
    EXPECT_EQ(writes, 0);
    EXPECT_TRUE(mouse.Traffic().empty());
}

} // namespace
} // namespace lumeno::test
