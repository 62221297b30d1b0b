#pragma once
// The polling-rate dial: four rates on a ring, one image per rate.
//
// reportRateCode: 1 = 1000 Hz, 2 = 500 Hz, 4 = 250 Hz, 8 = 125 Hz (1000 / code)
//
// A click counts when it lies on the ring, 35..64 px from the dial's centre
// (121,66); the quadrant picks the rate:
//            dx < 0     dx > 0
//   dy < 0   125 Hz     1000 Hz
//   dy > 0   250 Hz      500 Hz
// and dx = 0 or dy = 0 keeps the code. Every click on the ring asks for the
// rate to be written, changed or not.
#include "settings/PaneRect.h"

#include <cstdint>
#include <string>

namespace lumeno {

inline constexpr PaneRect kRateDialRect{57, 5, 185, 128};
inline constexpr int kRateDialCentreX = kRateDialRect.left + (kRateDialRect.right - kRateDialRect.left) / 2; // 121
inline constexpr int kRateDialCentreY = kRateDialRect.top + (kRateDialRect.bottom - kRateDialRect.top) / 2;  // 66
inline constexpr int kRateDialRingInner = 35;
inline constexpr int kRateDialRingOuter = 64;

inline constexpr uint8_t kRate1000Hz = 1;
inline constexpr uint8_t kRate500Hz = 2;
inline constexpr uint8_t kRate250Hz = 4;
inline constexpr uint8_t kRate125Hz = 8;

struct RateDialClick {
    bool onRing = false; // only then is the rate written
    uint8_t code = 0;    // the new code (the old one where the click keeps it)
};

// Maps a click in pane pixels with the current code.
RateDialClick ClickRateDial(int x, int y, uint8_t currentCode);

// The code the dial shows: a stored 0 is taken as 500 Hz.
uint8_t RateDialCode(uint8_t storedCode);

// The dial image of a code, "Skins/USBReportRate/<rate>HZ.png".
std::string RateDialImageName(uint8_t code);

} // namespace lumeno
