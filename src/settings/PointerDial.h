#pragma once
// The dial of the pointer speed and double-click panes: a half ring of
// eleven levels over the pane, the right end fastest. A click becomes a
// level by its angle on the ring:
//   below the centre line       ignored: no level, no apply request
//   off the ring (r < 43, > 71) the level stays, the request is made
//   on the ring                 g = angle from the right end in degrees
//                               (175 or more counts as 185), level =
//                               int(12 - g / 18) clamped to 1..11
#include <cstdint>

namespace lumeno {

// Geometry in pane coordinates: the dial image's place and its centre.
inline constexpr int kDialImageX = 50;
inline constexpr int kDialImageY = 20;
inline constexpr int kDialCentreX = 121;
inline constexpr int kDialCentreY = 91;
inline constexpr int kDialInnerRadius = 43;
inline constexpr int kDialOuterRadius = 71;
inline constexpr int kDialMinLevel = 1;
inline constexpr int kDialMaxLevel = 11;

struct DialClick {
    bool ignored = false; // below the centre: nothing happens
    bool onRing = false;
    double angle = 0; // degrees from the right end; meaningful on the ring
    int level = 0;    // the level after the click
};

// The click at (x, y) in pane coordinates on a dial at currentLevel.
DialClick ClickDial(int x, int y, int currentLevel);

} // namespace lumeno
