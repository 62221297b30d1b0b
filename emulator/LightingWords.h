#pragma once
// What the mouse's light shows, in words, from the last SetLightingEffect
// frame (bytes 1..6) and the first three bytes of the lighting block (the
// colour):
//
//   off
//   steady, cyan (#00ffff), brightness 75%
//   breathing, all colours, speed 5 of 5
//   neon | finger tapping | stream, ..., speed n of 5
//
// Frame bytes 1..6: pattern (0 steady or off, 1 breathing, 2 neon, 3 finger
// tapping, 4 stream), 7 for all colours, brightness (steady) or 0x32, speed
// code. The speed code of level n is (6 - n) x 2, 10 the slowest; the
// brightness byte of level n is n x 8, level 1 being off. The firmware shows
// a brightness above level 5 (40) as full.
#include "VirtualMouse.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace lumeno {

std::string LightingWords(std::span<const uint8_t, 6> effect, std::span<const uint8_t, 3> colour);

// What the light of a mouse in this state shows.
std::string LightingShown(const VirtualMouseState& state);

// "cyan (#00ffff)" for the plain colours, "#123456" for the others.
std::string ColourWords(std::span<const uint8_t, 3> colour);

} // namespace lumeno
