#pragma once
// Every command the program sends to the mouse. Each one reads the image and
// the device-side state directly and reports nothing; readers store what they
// read into the device-side state. A code with the high bit set reads what
// the same code without it writes. In block headers, frame byte 2 is the
// block number and byte 3 the number of 64-byte chunks.
#include "config/ConfigImage.h"
#include "device/CommandFrame.h"

#include <array>
#include <cstdint>

namespace lumeno {

class DeviceLink;

// ---- 0x01 SetReportRate: rate code, reportRateState 1..3, 0, 0 -------------
inline constexpr uint8_t kSetReportRate = 0x01;
// ---- 0x81 GetReportRate: reply bytes 1..4 -> reportRateState --------------
inline constexpr uint8_t kGetReportRate = 0x81;
// ---- 0x03 SetButtonMap: block 0, one chunk, the button map block ----------
inline constexpr uint8_t kSetButtonMap = 0x03;
// ---- 0x05 SetMacro: block k = slot, three chunks ---------------------------
inline constexpr uint8_t kSetMacro = 0x05;
// ---- 0x06 SetLightingEffect: see LightingEffectFrame ----------------------
inline constexpr uint8_t kSetLightingEffect = 0x06;
// ---- 0x07 SetDpiStagesLow: stage, enable mask, DPI of stages 1..4 ---------
inline constexpr uint8_t kSetDpiStagesLow = 0x07;
// ---- 0x08 SetDpiStagesHigh: DPI of stages 5..7, 0, 0, 0 -------------------
inline constexpr uint8_t kSetDpiStagesHigh = 0x08;
// ---- 0x87 GetCurrentDpiStage: reply byte 1 -> currentDpiStage -------------
inline constexpr uint8_t kGetCurrentDpiStage = 0x87;
// ---- 0x0A SetStageColors: block 0, one chunk, 21 colour bytes + zeros -----
inline constexpr uint8_t kSetStageColors = 0x0A;
// ---- 0x0B SetAxisSensitivity: X x 20, Y x 20 ------------------------------
inline constexpr uint8_t kSetAxisSensitivity = 0x0B;
// ---- 0x0C SetLightingBlock: block 0, one chunk, lightingBlock + zeros -----
inline constexpr uint8_t kSetLightingBlock = 0x0C;
// ---- 0x8C GetLightingBlock: block read, bytes 0..23 -> lightingBlock ------
inline constexpr uint8_t kGetLightingBlock = 0x8C;
// ---- 0x0D SetLiftOff: level ------------------------------------------------
inline constexpr uint8_t kSetLiftOff = 0x0D;

inline constexpr size_t kMacroWindowSize = 192; // one slot and the start of the next
inline constexpr uint8_t kMacroChunks = 3;
inline constexpr uint8_t kLiftOffLevelWhenOff = 6;

using StageColorBlock = std::array<uint8_t, kChunkSize>;

// Frame builders: pure functions, so the wire format can be read in one place.
CommandFrame SetReportRateFrame(uint8_t rateCode, const std::array<uint8_t, 4>& reportRateState);
CommandFrame SetDpiStagesLowFrame(const ConfigImage& image, uint8_t stage);
CommandFrame SetDpiStagesHighFrame(const ConfigImage& image);
CommandFrame SetAxisSensitivityFrame(const ConfigImage& image);
CommandFrame LightingEffectFrame(const ConfigImage& image);
CommandFrame SetLiftOffFrame(const ConfigImage& image);
CommandFrame BlockHeader(uint8_t code, uint8_t blockNumber, uint8_t chunks);
uint8_t StageEnableMask(const ConfigImage& image);
uint8_t LightingSpeedCode(uint8_t level);
StageColorBlock BuildStageColorBlock(const ConfigImage& image);

// The commands. They send on the link's command handle; with no mouse every
// send fails at once and only the pauses remain.
void SetReportRate(DeviceLink& link, const ConfigImage& image);
void GetReportRate(DeviceLink& link);
void SetButtonMap(DeviceLink& link, const ConfigImage& image);
void SetMacro(DeviceLink& link, const ConfigImage& image); // all twelve slots
void SetLightingEffect(DeviceLink& link, const ConfigImage& image);
void SetDpiStagesLow(DeviceLink& link, const ConfigImage& image);
void SetDpiStagesHigh(DeviceLink& link, const ConfigImage& image);
void GetCurrentDpiStage(DeviceLink& link);
void SetStageColors(DeviceLink& link, const StageColorBlock& block);
void SetAxisSensitivity(DeviceLink& link, const ConfigImage& image);
void SetLightingBlock(DeviceLink& link);
void GetLightingBlock(DeviceLink& link);
void SetLiftOff(DeviceLink& link, const ConfigImage& image);

// The read-then-write pairs the flows use.
void UpdateReportRate(DeviceLink& link, const ConfigImage& image);
void UpdateLightingBlock(DeviceLink& link, const ConfigImage& image);

} // namespace lumeno
