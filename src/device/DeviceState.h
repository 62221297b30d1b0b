#pragma once
// What the program remembers of the mouse between commands. It is not part
// of the configuration image and is cleared whenever the mouse is found.
#include "config/ConfigImage.h"

#include <array>
#include <cstdint>

namespace lumeno {

inline constexpr size_t kLightingBlockKept = 24;

struct DeviceState {
    // Reply bytes 1..4 of GetReportRate; byte 0 is replaced by the image's
    // rate code before SetReportRate, bytes 1..3 go back unchanged.
    std::array<uint8_t, 4> reportRateState{};
    // Reply byte 1 of GetCurrentDpiStage, sent back in SetDpiStagesLow.
    uint8_t currentDpiStage = 0;
    // Bytes 0..23 of the block GetLightingBlock read.
    std::array<uint8_t, kLightingBlockKept> lightingBlock{};

    void Clear() { *this = DeviceState{}; }
};

} // namespace lumeno
