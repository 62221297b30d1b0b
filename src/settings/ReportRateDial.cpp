#include "settings/ReportRateDial.h"

#include <cstdio>

namespace lumeno {

RateDialClick ClickRateDial(int x, int y, uint8_t currentCode)
{
    const int dx = x - kRateDialCentreX;
    const int dy = y - kRateDialCentreY;
    // Compared squared: exactly the ring of 35 <= sqrt(dx² + dy²) <= 64.
    const int distance2 = dx * dx + dy * dy;
    if (distance2 < kRateDialRingInner * kRateDialRingInner || distance2 > kRateDialRingOuter * kRateDialRingOuter)
        return {false, currentCode};
    uint8_t code = currentCode;
    if (dy < 0 && dx > 0)
        code = kRate1000Hz;
    else if (dy < 0 && dx < 0)
        code = kRate125Hz;
    else if (dy > 0 && dx < 0)
        code = kRate250Hz;
    else if (dy > 0 && dx > 0)
        code = kRate500Hz;
    return {true, code};
}

uint8_t RateDialCode(uint8_t storedCode) { return storedCode == 0 ? kRate500Hz : storedCode; }

std::string RateDialImageName(uint8_t code)
{
    char name[64];
    std::snprintf(name, sizeof name, "Skins\\/USBReportRate/%dHZ.png", 1000 / RateDialCode(code));
    return name;
}

} // namespace lumeno
