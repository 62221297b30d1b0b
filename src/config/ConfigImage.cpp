#include "config/ConfigImage.h"

#include "config/ButtonFunction.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace lumeno {

uint32_t ConfigImage::LiftOffEnabled() const
{
    const uint8_t* b = liftOffEnabledBytes;
    return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
}

void ConfigImage::SetLiftOffEnabled(uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        liftOffEnabledBytes[i] = uint8_t(value >> (8 * i));
}

std::span<uint8_t, 1892> ConfigImage::Bytes()
{
    return std::span<uint8_t, 1892>(reinterpret_cast<uint8_t*>(this), kConfigImageSize);
}

std::span<const uint8_t, 1892> ConfigImage::Bytes() const
{
    return std::span<const uint8_t, 1892>(reinterpret_cast<const uint8_t*>(this), kConfigImageSize);
}

namespace {

template <typename T, size_t N, typename U>
void Fill(T (&dst)[N], std::initializer_list<U> values)
{
    std::copy(values.begin(), values.end(), std::begin(dst));
}

constexpr Rgb kFactoryStageColors[kStageCount] = {{0, 0, 255},   {255, 0, 0},   {0, 255, 0},  {255, 255, 0},
                                                  {0, 255, 255}, {255, 128, 0}, {255, 0, 255}};
constexpr Rgb kFactoryPalette[kPaletteSize] = {{255, 0, 0},   {255, 255, 0}, {0, 255, 0},
                                               {0, 255, 255}, {255, 0, 255}, {0, 255, 255}};

} // namespace

void LoadFactoryDefaults(ConfigImage& image)
{
    Fill(image.reserved1, {1, 1, 1, 1});
    image.reportRateCode = 1;
    image.reserved6 = 2;
    Fill(image.dpiCode50, {12, 24, 48, 72, 108, 144, 180}); // stage-8 slot kept
    Fill(image.dpiCode100, {6, 12, 24, 36, 54, 72, 120});   // stage-8 slot kept
    std::fill(std::begin(image.stageEnabled), std::end(image.stageEnabled), 1);
    std::fill(std::begin(image.reserved31), std::end(image.reserved31), 1);
    std::copy(std::begin(kFactoryStageColors), std::end(kFactoryStageColors), image.stageColor);
    std::fill(std::begin(image.reserved60), std::end(image.reserved60), 0);
    image.lightingMode = 9;
    std::fill(image.lightingParam, image.lightingParam + 9, 5); // offset 73 kept

    std::copy(std::begin(kFactoryPalette), std::end(kFactoryPalette), image.lightingPalette);
    image.lightingColorIndex = 1;
    image.padLightingMode = 3;
    image.padLightingParam[0] = 3;
    std::fill(image.padLightingParam + 1, image.padLightingParam + 9, 5); // offset 123 kept
    std::copy(std::begin(kFactoryPalette), std::end(kFactoryPalette), image.padPalette);

    image.padColorIndex = 1;
    image.pointerPrecision = 255;
    image.wheelPageMode = 0;
    image.pointerSpeedLevel = 6;
    image.wheelLines = 3;
    image.doubleClickLevel = 6;
    image.angleSnapValue = 0;
    image.angleSnapEnabled = 0;
    image.reserved168 = 6;
    image.axisSensitivityX = 5;
    image.axisSensitivityY = 5;

    image.liftOffLevel = 3;
    using F = ButtonFunction;
    Fill(image.buttonFunction, {uint8_t(F::Click), uint8_t(F::Menu), uint8_t(F::Scroll), uint8_t(F::Fn),
                                uint8_t(F::Snipe), uint8_t(F::Dpi), uint8_t(F::Dpi), uint8_t(F::Deactivated)});
    Fill(image.dpiAction, {13, 13, 13, 13, 13, 1, 2, 0});
    Fill(image.reserved193, {0, 2, 1, 0, 0, 0, 0, 0});
    // Bytes 201..328: every per-button code and macro binding cleared.
    uint8_t* const clearFrom = image.consumerUsage;
    uint8_t* const clearTo = reinterpret_cast<uint8_t*>(image.macroMemory);
    std::memset(clearFrom, 0, size_t(clearTo - clearFrom));
}

void TakeSnapshot(const ConfigImage& image, ConfigSnapshot& snapshot) { snapshot = image; }

int DpiOf100(uint8_t code) { return code * 100; }

int DpiOf50(uint8_t code) { return code <= 144 ? code * 50 : (code - 72) * 100; }

} // namespace lumeno
