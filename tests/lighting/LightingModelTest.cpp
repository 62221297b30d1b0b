// The lighting panes' rules: effect selection, clicks on radios and
// swatches, double clicks, slider releases, and the pad twin that never asks
// for anything to be sent.
#include "lighting/LightingModel.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace lumeno {
namespace {

// Mouse rows on screen: effects 1, 2, 3, 9, 4.
using Flags = std::vector<bool>;
using Levels = std::vector<int>;

struct ModelFixture : ::testing::Test {
    ModelFixture() { LoadFactoryDefaults(image); }

    LightingModel Mouse()
    {
        return LightingModel(image, MouseLightingFields(), [this] { ++applies; });
    }
    LightingModel Pad()
    {
        return LightingModel(image, PadLightingFields(), [this] { ++applies; });
    }
    static Flags Enabled(const LightingModel& m)
    {
        Flags out;
        for (const auto& s : m.Sliders())
            out.push_back(s.enabled);
        return out;
    }
    static Levels Positions(const LightingModel& m)
    {
        Levels out;
        for (const auto& s : m.Sliders())
            out.push_back(s.position);
        return out;
    }
    static int CentreX(const LightingRect& r) { return (r.left + r.right) / 2; }
    static int CentreY(const LightingRect& r) { return (r.top + r.bottom) / 2; }

    ConfigImage image{};
    int applies = 0;
};

TEST_F(ModelFixture, SelectEffectForEveryValue)
{
    const struct {
        int effect;
        int mode;         // lightingMode afterwards
        Flags enabled;    // rows 1, 2, 3, 9, 4
        Levels positions; // rows 1, 2, 3, 9, 4
        int colorIndex;
    } cases[] = {
        // 0 and 10 and above: only byte 73 and the request; the breathing
        // selection before stays in force.
        {0, 2, {0, 1, 0, 0, 0}, {3, 6, 1, 2, 1}, 5},
        {1, 1, {1, 0, 0, 0, 0}, {4, 6, 1, 2, 1}, 0}, // no multi-colour steady light
        {2, 2, {0, 1, 0, 0, 0}, {4, 6, 1, 2, 1}, 5},
        {3, 3, {0, 0, 1, 0, 0}, {4, 6, 1, 2, 1}, 5},
        {4, 4, {0, 0, 0, 0, 1}, {4, 6, 1, 2, 1}, 5},
        {5, 5, {0, 0, 0, 0, 0}, {4, 6, 1, 2, 1}, 5},
        {6, 6, {0, 0, 0, 0, 0}, {4, 6, 1, 2, 1}, 5},
        {7, 7, {0, 0, 0, 0, 0}, {4, 6, 1, 2, 1}, 5},
        {8, 8, {0, 0, 0, 0, 0}, {4, 6, 1, 2, 1}, 5},
        {9, 9, {0, 0, 0, 1, 0}, {4, 6, 1, 2, 1}, 5},
        {10, 2, {0, 1, 0, 0, 0}, {3, 6, 1, 2, 1}, 5},
        {11, 2, {0, 1, 0, 0, 0}, {3, 6, 1, 2, 1}, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.effect);
        LoadFactoryDefaults(image);
        // Offsets 64..72: 3, 6, 0 (out of range), 7 (out of range), 5, 5, 5, 5, 2.
        const uint8_t levels[9] = {3, 6, 0, 7, 5, 5, 5, 5, 2};
        std::memcpy(image.lightingParam, levels, sizeof levels);
        image.lightingColorIndex = 5;
        auto model = Mouse();
        model.SelectEffect(2);
        image.lightingParam[0] = 4; // seen only by a selection that sets the sliders
        image.lightingParam[9] = 0x99;
        applies = 0;

        model.SelectEffect(c.effect);

        EXPECT_EQ(image.lightingMode, c.mode);
        EXPECT_EQ(image.lightingParam[9], 0) << "byte 73";
        EXPECT_EQ(Enabled(model), c.enabled);
        EXPECT_EQ(Positions(model), c.positions);
        EXPECT_EQ(image.lightingColorIndex, c.colorIndex);
        EXPECT_EQ(applies, 1);
    }
}

TEST_F(ModelFixture, TheSteadyEffectKeepsASolidColour)
{
    image.lightingColorIndex = 3;
    auto model = Mouse();
    model.SelectEffect(1);
    EXPECT_EQ(image.lightingColorIndex, 3);
}

TEST_F(ModelFixture, RadioClicksSelectTheirRowsEffect)
{
    const uint8_t rowEffects[] = {1, 2, 3, 9, 4};
    for (int row = 0; row < 5; ++row) {
        auto model = Mouse();
        image.lightingMode = 5;
        applies = 0;
        const LightingRect radio = LightingRadioRect(row);
        model.LeftClick(radio.left, radio.top); // corners belong to the radio
        EXPECT_EQ(image.lightingMode, rowEffects[row]);
        image.lightingMode = 5;
        model.LeftClick(radio.right - 1, radio.bottom - 1);
        EXPECT_EQ(image.lightingMode, rowEffects[row]);
        EXPECT_EQ(applies, 2);
    }
    // Just outside a radio, and between the rows: nothing.
    auto model = Mouse();
    image.lightingMode = 5;
    applies = 0;
    const LightingRect first = LightingRadioRect(0);
    for (auto [x, y] : {std::pair{first.right, first.top}, std::pair{first.left, first.bottom},
                        std::pair{first.left - 1, first.top}, std::pair{15, 40}})
        model.LeftClick(x, y);
    EXPECT_EQ(image.lightingMode, 5);
    EXPECT_EQ(applies, 0);
}

TEST_F(ModelFixture, SwatchClicksPerEffect)
{
    const struct {
        uint8_t effect;
        int selectable; // swatches 0..selectable-1 take a click
    } cases[] = {{1, 5}, {2, 6}, {3, 0}, {4, 0}, {9, 0}, {5, 0}, {8, 0}, {0, 0}, {12, 0}};
    for (const auto& c : cases) {
        for (int swatch = 0; swatch < kLightingSwatchCount; ++swatch) {
            SCOPED_TRACE(testing::Message() << "effect " << int(c.effect) << " swatch " << swatch);
            image.lightingMode = c.effect;
            image.lightingColorIndex = 4 - (swatch == 4); // differs from the swatch
            const uint8_t before = image.lightingColorIndex;
            auto model = Mouse();
            applies = 0;
            const LightingRect r = LightingSwatchRect(swatch);
            model.LeftClick(CentreX(r), CentreY(r));
            const bool takes = swatch < c.selectable;
            EXPECT_EQ(image.lightingColorIndex, takes ? swatch : before);
            EXPECT_EQ(applies, takes ? 1 : 0);
            EXPECT_EQ(image.lightingMode, c.effect);
        }
    }
}

TEST_F(ModelFixture, DoubleClicksRecolourOnlySolidSwatchesOfSteadyAndBreathing)
{
    for (uint8_t effect : {0, 1, 2, 3, 4, 5, 8, 9, 10}) {
        for (int swatch = 0; swatch < kLightingSwatchCount; ++swatch) {
            SCOPED_TRACE(testing::Message() << "effect " << int(effect) << " swatch " << swatch);
            image.lightingMode = effect;
            auto model = Mouse();
            const LightingRect r = LightingSwatchRect(swatch);
            const auto target = model.DoubleClickTarget(CentreX(r), CentreY(r));
            const bool opens = (effect == 1 || effect == 2) && swatch < kMultiColourSwatch;
            ASSERT_EQ(target.has_value(), opens);
            if (opens) {
                EXPECT_EQ(*target, swatch);
            }
        }
    }
    image.lightingMode = 2;
    EXPECT_FALSE(Mouse().DoubleClickTarget(LightingSwatchRect(0).left - 1, 170));
}

TEST_F(ModelFixture, RecolouringStoresThePaletteEntryAndAsks)
{
    auto model = Mouse();
    applies = 0;
    model.Recolour(2, Rgb{12, 34, 56});
    EXPECT_EQ(image.Bytes()[88 + 3 * 2], 12);
    EXPECT_EQ(image.Bytes()[88 + 3 * 2 + 1], 34);
    EXPECT_EQ(image.Bytes()[88 + 3 * 2 + 2], 56);
    EXPECT_EQ(applies, 1);

    // The multi-colour entry is never recoloured.
    const ConfigImage before = image;
    model.Recolour(kMultiColourSwatch, Rgb{1, 2, 3});
    EXPECT_EQ(std::memcmp(&before, &image, sizeof image), 0);
    EXPECT_EQ(applies, 1);
}

// Which image offset each slider identifier writes, for both panes.
TEST_F(ModelFixture, SliderIdentifiersMapToTheirOffsets)
{
    const struct {
        const LightingFields& fields;
        size_t firstOffset;
        int appliesPerRelease;
    } panes[] = {{MouseLightingFields(), 64, 1}, {PadLightingFields(), 114, 0}};
    for (const auto& pane : panes) {
        for (int id = 2036; id <= 2046; ++id) {
            SCOPED_TRACE(testing::Message() << "offset " << pane.firstOffset << " id " << id);
            LoadFactoryDefaults(image);
            LightingModel model(image, pane.fields, [this] { ++applies; });
            applies = 0;
            const ConfigImage before = image;
            model.SliderReleased(id, 4);
            const bool mapped = id >= 2037 && id <= 2045;
            for (size_t offset = 0; offset < kConfigImageSize; ++offset) {
                const bool target = mapped && offset == pane.firstOffset + size_t(id - 2037);
                EXPECT_EQ(image.Bytes()[offset], target ? 4 : before.Bytes()[offset]) << "offset " << offset;
            }
            EXPECT_EQ(applies, mapped ? pane.appliesPerRelease : 0);
        }
    }
}

TEST_F(ModelFixture, ARowsSliderFollowsItsRelease)
{
    auto model = Mouse();
    model.SliderReleased(2045, 6); // stream, the fourth row
    EXPECT_EQ(model.Sliders()[3].position, 6);
}

TEST_F(ModelFixture, RadioLooksAndTheSelectionFrame)
{
    using enum RadioLook;
    const struct {
        uint8_t mode;
        std::vector<RadioLook> looks; // rows 1, 2, 3, 9, 4
        int framed;
    } cases[] = {
        {0, {Hidden, Hidden, Hidden, Hidden, Hidden}, 5},
        {1, {Selected, NotSelected, NotSelected, NotSelected, NotSelected}, 3},
        {2, {NotSelected, Selected, NotSelected, NotSelected, NotSelected}, 3},
        {4, {NotSelected, NotSelected, NotSelected, NotSelected, Selected}, 5},
        {5, {NotSelected, NotSelected, NotSelected, NotSelected, NotSelected}, 5},
        {7, {NotSelected, NotSelected, NotSelected, NotSelected, NotSelected}, 5},
        {8, {NotSelected, NotSelected, NotSelected, NotSelected, Selected}, 5},
        {9, {NotSelected, NotSelected, NotSelected, Selected, NotSelected}, 5},
        {10, {NotSelected, NotSelected, NotSelected, NotSelected, NotSelected}, 5},
        {11, {Hidden, Hidden, Hidden, Hidden, Hidden}, 5},
        {255, {Hidden, Hidden, Hidden, Hidden, Hidden}, 5},
    };
    image.lightingColorIndex = 3;
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.mode));
        image.lightingMode = c.mode;
        auto model = Mouse();
        std::vector<RadioLook> looks;
        for (int row = 0; row < 5; ++row)
            looks.push_back(model.RadioOf(row));
        EXPECT_EQ(looks, c.looks);
        EXPECT_EQ(model.FramedSwatch(), c.framed);
    }
    // A stored choice without a swatch is framed nowhere.
    image.lightingMode = 2;
    image.lightingColorIndex = 6;
    EXPECT_EQ(Mouse().FramedSwatch(), std::nullopt);
}

TEST_F(ModelFixture, ThePadPaneEditsThePadFieldsAndAsksForNothing)
{
    LoadFactoryDefaults(image);
    const ConfigImage factory = image;
    auto pad = Pad();
    EXPECT_EQ(pad.Sliders().size(), 4u); // no finger-tapping row
    applies = 0;

    image.padLightingParam[9] = 0x77;
    image.padColorIndex = 5;
    pad.SelectEffect(1);
    EXPECT_EQ(image.padLightingMode, 1);
    EXPECT_EQ(image.padLightingParam[9], 0) << "byte 123";
    EXPECT_EQ(image.padColorIndex, 0);
    EXPECT_EQ(Enabled(pad), (Flags{1, 0, 0, 0}));
    EXPECT_EQ(Positions(pad), (Levels{3, 5, 5, 5})); // entry 1 of the pad is 3

    // Effect 4 has no radio on the pad: every slider off.
    for (int e = 4; e <= 8; ++e) {
        pad.SelectEffect(e);
        EXPECT_EQ(Enabled(pad), (Flags{0, 0, 0, 0})) << e;
    }
    pad.SelectEffect(9);
    EXPECT_EQ(Enabled(pad), (Flags{0, 0, 0, 1}));

    // Everything a person can do in the pane.
    for (int e = 0; e <= 11; ++e)
        pad.SelectEffect(e);
    for (int row = 0; row < 5; ++row)
        pad.LeftClick(CentreX(LightingRadioRect(row)), CentreY(LightingRadioRect(row)));
    pad.SelectEffect(2);
    for (int i = 0; i < kLightingSwatchCount; ++i)
        pad.LeftClick(CentreX(LightingSwatchRect(i)), CentreY(LightingSwatchRect(i)));
    EXPECT_EQ(image.padColorIndex, 5);
    pad.Recolour(1, Rgb{1, 2, 3});
    EXPECT_EQ(image.padPalette[1].green, 2);
    for (int id = 2037; id <= 2045; ++id)
        pad.SliderReleased(id, 2);
    EXPECT_EQ(applies, 0);

    // The finger-tapping radio's place is empty on the pad.
    pad.SelectEffect(2);
    pad.LeftClick(CentreX(LightingRadioRect(4)), CentreY(LightingRadioRect(4)));
    EXPECT_EQ(image.padLightingMode, 2);
    // Effect 8 draws no pad radio as selected.
    pad.SelectEffect(8);
    for (int row = 0; row < 4; ++row)
        EXPECT_EQ(pad.RadioOf(row), RadioLook::NotSelected);

    // The mouse's own fields, 63..112, are untouched.
    EXPECT_EQ(std::memcmp(image.Bytes().data() + 63, factory.Bytes().data() + 63, 112 - 63 + 1), 0);
}

} // namespace
} // namespace lumeno
