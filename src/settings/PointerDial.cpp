#include "settings/PointerDial.h"

#include <algorithm>
#include <cmath>

namespace lumeno {

namespace {

constexpr double kDegreesPerRadian = 57.29578;
constexpr double kDegreesPerLevel = 18;
constexpr double kLeftEndFrom = 175; // from here on the click counts as the left end
constexpr double kLeftEnd = 185;
constexpr double kLevelBase = 12;

} // namespace

DialClick ClickDial(int x, int y, int currentLevel)
{
    DialClick click;
    const int dy = y - kDialCentreY;
    const int dx = x - kDialCentreX;
    if (dy > 0) {
        click.ignored = true;
        click.level = currentLevel;
        return click;
    }
    const double r = std::sqrt(double(dx) * dx + double(dy) * dy);
    if (r < kDialInnerRadius || r > kDialOuterRadius) {
        click.level = currentLevel;
        return click;
    }
    click.onRing = true;
    const double ady = std::abs(dy);
    const double adx = std::abs(dx);
    if (dx > 0) {
        click.angle = std::atan(ady / adx) * kDegreesPerRadian;
    } else if (dx == 0) {
        click.angle = 90;
    } else {
        click.angle = 90 + std::atan(adx / ady) * kDegreesPerRadian;
        if (click.angle >= kLeftEndFrom)
            click.angle = kLeftEnd;
    }
    click.level = std::clamp(int(kLevelBase - click.angle / kDegreesPerLevel), kDialMinLevel, kDialMaxLevel);
    return click;
}

} // namespace lumeno
