#include "lighting/LightingModel.h"

#include "ui/UiText.h"

namespace lumeno {

namespace {

constexpr int kRowTop = 20;
constexpr int kRowStep = 29;
constexpr int kRadioLeft = 10;
constexpr int kRadioWidth = 10;
constexpr int kRadioHeight = 9;
constexpr int kSliderLeft = 100;
constexpr int kSliderWidth = 128;
constexpr int kSliderHeight = 8;
constexpr int kSwatchLeft = 100;
constexpr int kSwatchStep = 22;
constexpr int kSwatchTop = 166;
constexpr int kSwatchWidth = 18;
constexpr int kSwatchHeight = 17;
constexpr int kParamClearedEntry = 10; // cleared at every selection, read by nothing

// The order in which a left click tests the radios; effects 5..8 have only
// empty rectangles, which no point hits.
constexpr uint8_t kRadioTestOrder[] = {1, 2, 3, 4, 5, 6, 7, 8, 9};

} // namespace

const LightingFields& MouseLightingFields()
{
    static const LightingFields fields{
        &ConfigImage::lightingMode,
        &ConfigImage::lightingParam,
        &ConfigImage::lightingPalette,
        &ConfigImage::lightingColorIndex,
        {{kEffectSteady, kTextLightingStandard, LevelScale::Brightness},
         {kEffectBreathing, kTextLightingRespiration, LevelScale::Speed},
         {kEffectNeon, kTextLightingNeon, LevelScale::Speed},
         {kEffectStream, kTextLightingStream, LevelScale::Speed},
         {kEffectFingerTapping, kTextLightingFingerTapping, LevelScale::Speed}},
        kEffectFingerTapping,
        true,
    };
    return fields;
}

const LightingFields& PadLightingFields()
{
    static const LightingFields fields{
        &ConfigImage::padLightingMode,
        &ConfigImage::padLightingParam,
        &ConfigImage::padPalette,
        &ConfigImage::padColorIndex,
        {{kEffectSteady, kTextLightingStandard, LevelScale::Brightness},
         {kEffectBreathing, kTextLightingRespiration, LevelScale::Speed},
         {kEffectNeon, kTextLightingNeon, LevelScale::Speed},
         {kEffectStream, kTextLightingStream, LevelScale::Speed}},
        0,
        false,
    };
    return fields;
}

LightingRect LightingRadioRect(int row)
{
    const int top = kRowTop + kRowStep * row;
    return {kRadioLeft, top, kRadioLeft + kRadioWidth, top + kRadioHeight};
}

LightingRect LightingSliderRect(int row)
{
    const int top = kRowTop + kRowStep * row;
    return {kSliderLeft, top, kSliderLeft + kSliderWidth, top + kSliderHeight};
}

LightingRect LightingSwatchRect(int swatch)
{
    const int left = kSwatchLeft + kSwatchStep * swatch;
    return {left, kSwatchTop, left + kSwatchWidth, kSwatchTop + kSwatchHeight};
}

LightingModel::LightingModel(ConfigImage& image, const LightingFields& fields, std::function<void()> applyRequest)
    : image_(image), fields_(fields), applyRequest_(std::move(applyRequest)), sliders_(fields.rows.size())
{
}

uint8_t LightingModel::Effect() const { return Mode(); }
uint8_t LightingModel::ColorIndex() const { return Index(); }
Rgb LightingModel::PaletteEntry(int entry) const { return (image_.*(fields_.palette))[entry]; }

void LightingModel::RequestApply()
{
    if (fields_.sendsToMouse && applyRequest_)
        applyRequest_();
}

void LightingModel::SelectEffect(int effect)
{
    Param()[kParamClearedEntry - 1] = 0;
    if (effect >= 1 && effect <= kLastStoredEffect) {
        Mode() = uint8_t(effect);
        for (size_t r = 0; r < sliders_.size(); ++r)
            sliders_[r].enabled = fields_.rows[r].effect == effect;
        if (effect == kEffectSteady && Index() == kMultiColourSwatch)
            Index() = 0;
        for (size_t r = 0; r < sliders_.size(); ++r) {
            const int level = Param()[fields_.rows[r].effect - 1];
            sliders_[r].position = level >= kLightingLevelMin && level <= kLightingLevelMax ? level : kLightingLevelMin;
        }
    }
    RequestApply();
}

int LightingModel::SelectableSwatches() const
{
    switch (Effect()) {
    case kEffectSteady:
        return kMultiColourSwatch; // no multi-colour steady light
    case kEffectBreathing:
        return kLightingSwatchCount;
    default:
        return 0;
    }
}

void LightingModel::LeftClick(int x, int y)
{
    for (uint8_t effect : kRadioTestOrder) {
        for (size_t r = 0; r < fields_.rows.size(); ++r) {
            if (fields_.rows[r].effect == effect && LightingRadioRect(int(r)).Contains(x, y)) {
                SelectEffect(effect);
                return;
            }
        }
    }
    for (int i = 0; i < SelectableSwatches(); ++i) {
        if (LightingSwatchRect(i).Contains(x, y)) {
            Index() = uint8_t(i);
            RequestApply();
            return;
        }
    }
}

std::optional<int> LightingModel::DoubleClickTarget(int x, int y) const
{
    if (Effect() != kEffectSteady && Effect() != kEffectBreathing)
        return std::nullopt;
    for (int i = 0; i < kMultiColourSwatch; ++i)
        if (LightingSwatchRect(i).Contains(x, y))
            return i;
    return std::nullopt;
}

void LightingModel::Recolour(int entry, Rgb colour)
{
    if (entry < 0 || entry >= kMultiColourSwatch)
        return;
    (image_.*(fields_.palette))[entry] = colour;
    RequestApply();
}

void LightingModel::SliderReleased(int identifier, int position)
{
    if (identifier < kFirstLightingSliderId || identifier > kLastLightingSliderId)
        return;
    Param()[identifier - kFirstLightingSliderId] = uint8_t(position);
    for (size_t r = 0; r < fields_.rows.size(); ++r)
        if (fields_.rows[r].effect - 1 == identifier - kFirstLightingSliderId)
            sliders_[r].position = position;
    RequestApply();
}

RadioLook LightingModel::RadioOf(int row) const
{
    const uint8_t effect = Effect();
    if (effect == kEffectOff || effect > kLastStoredEffect + 1)
        return RadioLook::Hidden;
    const uint8_t rowEffect = fields_.rows[size_t(row)].effect;
    if (rowEffect == effect || (effect == 8 && rowEffect == fields_.ownRadioOfEffect8))
        return RadioLook::Selected;
    return RadioLook::NotSelected;
}

std::optional<int> LightingModel::FramedSwatch() const
{
    if (Effect() != kEffectSteady && Effect() != kEffectBreathing)
        return kMultiColourSwatch;
    if (ColorIndex() >= kLightingSwatchCount)
        return std::nullopt;
    return ColorIndex();
}

} // namespace lumeno
