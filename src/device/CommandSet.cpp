#include "device/CommandSet.h"

#include "buttons/ButtonMap.h"
#include "device/DeviceLink.h"
#include "platform/DebugOutput.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace lumeno {

namespace {

constexpr uint8_t kEnableMaskAlwaysSet = 0x80;
constexpr uint8_t kSensitivityScale = 20;
constexpr uint8_t kLightingEffectRate = 0x32;
constexpr uint8_t kLightingEffectColorFlag = 7;
constexpr uint8_t kColorIndexAllColors = 5;
constexpr uint8_t kBreathingFullLevel = 1;
constexpr uint8_t kBreathingStep = 8;

// SetLightingEffect by lightingMode: which pattern byte 1 gets and whether
// the effect has a speed. Modes not listed send six zero bytes.
struct EffectRow {
    uint8_t mode;
    uint8_t pattern;
    bool colorFlagOnlyForAllColors; // byte 2 is 7 only for palette entry 5
};
constexpr std::array<EffectRow, 4> kSpeedEffects{{
    {2, 1, true},
    {3, 2, false},
    {4, 3, false},
    {9, 4, false},
}};
constexpr uint8_t kBreathingMode = 1;

uint8_t WireDpi(uint8_t code100) { return uint8_t(code100 - 1); }

} // namespace

CommandFrame BlockHeader(uint8_t code, uint8_t blockNumber, uint8_t chunks)
{
    return CommandFrame::Make(code, {0, blockNumber, chunks, 0, 0, 0});
}

CommandFrame SetReportRateFrame(uint8_t rateCode, const std::array<uint8_t, 4>& state)
{
    return CommandFrame::Make(kSetReportRate, {rateCode, state[1], state[2], state[3], 0, 0});
}

uint8_t StageEnableMask(const ConfigImage& image)
{
    uint8_t mask = kEnableMaskAlwaysSet;
    for (int s = 0; s < kStageCount; ++s)
        if (image.stageEnabled[s] != 0)
            mask = uint8_t(mask | (1u << s));
    return mask;
}

CommandFrame SetDpiStagesLowFrame(const ConfigImage& image, uint8_t stage)
{
    const auto& dpi = image.dpiCode100;
    return CommandFrame::Make(kSetDpiStagesLow, {stage, StageEnableMask(image), WireDpi(dpi[0]), WireDpi(dpi[1]),
                                                 WireDpi(dpi[2]), WireDpi(dpi[3])});
}

CommandFrame SetDpiStagesHighFrame(const ConfigImage& image)
{
    const auto& dpi = image.dpiCode100;
    return CommandFrame::Make(kSetDpiStagesHigh, {WireDpi(dpi[4]), WireDpi(dpi[5]), WireDpi(dpi[6]), 0, 0, 0});
}

CommandFrame SetAxisSensitivityFrame(const ConfigImage& image)
{
    return CommandFrame::Make(kSetAxisSensitivity, {uint8_t(image.axisSensitivityX * kSensitivityScale),
                                                    uint8_t(image.axisSensitivityY * kSensitivityScale), 0, 0, 0, 0});
}

uint8_t LightingSpeedCode(uint8_t level) { return uint8_t((6 - std::min<int>(level, 5)) * 2); }

CommandFrame LightingEffectFrame(const ConfigImage& image)
{
    const uint8_t mode = image.lightingMode;
    if (mode == kBreathingMode) {
        const uint8_t level = image.lightingParam[kBreathingMode - 1];
        if (level == kBreathingFullLevel)
            return CommandFrame::Make(kSetLightingEffect);
        return CommandFrame::Make(kSetLightingEffect, {0, 0, uint8_t(level * kBreathingStep), 0, 0, 0});
    }
    for (const EffectRow& row : kSpeedEffects) {
        if (row.mode != mode)
            continue;
        const bool flag = !row.colorFlagOnlyForAllColors || image.lightingColorIndex == kColorIndexAllColors;
        const uint8_t level = image.lightingParam[mode - 1]; // entry m lives at 63 + m
        return CommandFrame::Make(kSetLightingEffect, {row.pattern, flag ? kLightingEffectColorFlag : uint8_t(0),
                                                       kLightingEffectRate, LightingSpeedCode(level), 0, 0});
    }
    return CommandFrame::Make(kSetLightingEffect);
}

CommandFrame SetLiftOffFrame(const ConfigImage& image)
{
    const uint8_t level = image.LiftOffEnabled() != 0 ? image.liftOffLevel : kLiftOffLevelWhenOff;
    return CommandFrame::Make(kSetLiftOff, {level, 0, 0, 0, 0, 0});
}

StageColorBlock BuildStageColorBlock(const ConfigImage& image)
{
    StageColorBlock block{};
    for (int s = 0; s < kStageCount; ++s) {
        block[size_t(s) * 3 + 0] = image.stageColor[s].red;
        block[size_t(s) * 3 + 1] = image.stageColor[s].green;
        block[size_t(s) * 3 + 2] = image.stageColor[s].blue;
    }
    return block;
}

void SetReportRate(DeviceLink& link, const ConfigImage& image)
{
    link.transport.SendFrame(SetReportRateFrame(image.reportRateCode, link.state.reportRateState));
}

void GetReportRate(DeviceLink& link)
{
    CommandFrame frame = CommandFrame::Make(kGetReportRate);
    // Without a whole reply the bytes known before go back to the mouse.
    if (link.transport.SendCommand(frame, true))
        std::copy_n(frame.bytes.begin() + 1, link.state.reportRateState.size(), link.state.reportRateState.begin());
    DebugPrintf(link.debug, "ReportRate:%02x\n", frame[1]);
}

void SetButtonMap(DeviceLink& link, const ConfigImage& image)
{
    ButtonMapBlock block = BuildButtonMap(image);
    CommandFrame header = BlockHeader(kSetButtonMap, 0, 1);
    link.transport.TransferBlock(header, block, BlockDirection::Write, int32_t(block.size()));
}

void SetMacro(DeviceLink& link, const ConfigImage& image)
{
    // Each slot travels with the start of the next behind it; the last one
    // with zeros.
    constexpr size_t kMemory = sizeof(image.macroMemory);
    std::vector<uint8_t> copy((kMacroSlotCount - 1) * kMacroSlotSize + kMacroWindowSize, 0);
    static_assert((kMacroSlotCount - 1) * kMacroSlotSize + kMacroWindowSize >= kMemory);
    std::copy_n(&image.macroMemory[0][0], kMemory, copy.begin());
    for (int k = 0; k < kMacroSlotCount; ++k) {
        CommandFrame header = BlockHeader(kSetMacro, uint8_t(k), kMacroChunks);
        link.transport.TransferBlock(header, std::span(copy.data() + size_t(k) * kMacroSlotSize, kMacroWindowSize),
                                     BlockDirection::Write, int32_t(kMacroWindowSize));
    }
}

void SetLightingEffect(DeviceLink& link, const ConfigImage& image)
{
    link.transport.SendFrame(LightingEffectFrame(image));
}

void SetDpiStagesLow(DeviceLink& link, const ConfigImage& image)
{
    link.transport.SendFrame(SetDpiStagesLowFrame(image, link.state.currentDpiStage));
}

void SetDpiStagesHigh(DeviceLink& link, const ConfigImage& image)
{
    link.transport.SendFrame(SetDpiStagesHighFrame(image));
}

void GetCurrentDpiStage(DeviceLink& link)
{
    CommandFrame frame = CommandFrame::Make(kGetCurrentDpiStage);
    // Without a whole reply the stage known before is sent back.
    if (link.transport.SendCommand(frame, true))
        link.state.currentDpiStage = frame[1];
    DebugPrintf(link.debug, "nCurDPI:%02x\n", frame[1]);
}

void SetStageColors(DeviceLink& link, const StageColorBlock& block)
{
    StageColorBlock data = block;
    CommandFrame header = BlockHeader(kSetStageColors, 0, 1);
    link.transport.TransferBlock(header, data, BlockDirection::Write, int32_t(data.size()));
}

void SetAxisSensitivity(DeviceLink& link, const ConfigImage& image)
{
    link.transport.SendFrame(SetAxisSensitivityFrame(image));
}

void SetLightingBlock(DeviceLink& link)
{
    std::array<uint8_t, kChunkSize> data{};
    std::copy(link.state.lightingBlock.begin(), link.state.lightingBlock.end(), data.begin());
    CommandFrame header = BlockHeader(kSetLightingBlock, 0, 1);
    link.transport.TransferBlock(header, data, BlockDirection::Write, int32_t(data.size()));
}

void GetLightingBlock(DeviceLink& link)
{
    std::array<uint8_t, kChunkSize> data{};
    CommandFrame header = BlockHeader(kGetLightingBlock, 0, 1);
    // Without the whole block the bytes known before are kept: zeros would
    // go back to the firmware over its own bytes.
    if (link.transport.TransferBlock(header, data, BlockDirection::Read, int32_t(data.size())))
        std::copy_n(data.begin(), link.state.lightingBlock.size(), link.state.lightingBlock.begin());
}

void SetLiftOff(DeviceLink& link, const ConfigImage& image) { link.transport.SendFrame(SetLiftOffFrame(image)); }

void UpdateReportRate(DeviceLink& link, const ConfigImage& image)
{
    GetReportRate(link);
    link.state.reportRateState[0] = image.reportRateCode;
    SetReportRate(link, image);
}

void UpdateLightingBlock(DeviceLink& link, const ConfigImage& image)
{
    GetLightingBlock(link);
    // Entry i of the palette starts at image byte 88 + 3 i; any index byte
    // stays inside the image (at most byte 855), so it is read as it is.
    const auto bytes = image.Bytes();
    const size_t at = offsetof(ConfigImage, lightingPalette) + 3 * size_t(image.lightingColorIndex);
    static_assert(offsetof(ConfigImage, lightingPalette) + 3 * 255 + 2 < kConfigImageSize);
    std::copy_n(bytes.begin() + at, 3, link.state.lightingBlock.begin());
    SetLightingBlock(link);
}

} // namespace lumeno
