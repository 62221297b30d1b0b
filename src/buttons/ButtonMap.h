#pragma once
// The button map block: sixteen 4-byte codes, one per position of the
// mouse's button table, built from the seven button records of the image.
//
//  mapPosition  content                    row on screen  buttonIndex  caption key
//  0, 1, 2      code of buttonIndex 0..2    Button 1..3    0, 1, 2      Item1..Item3
//  3            code of buttonIndex 4       Button 4       4            Item5
//  4            code of buttonIndex 3       Button 5       3            Item4
//  5, 6         code of buttonIndex 5, 6    Button 6, 7    5, 6         Item6, Item7
//  7            00 00 03 0C (fixed)
//  8            00 00 01 0B (fixed)
//  9..13        00 00 00 00
//  14           00 01 01 05 (fixed)
//  15           00 01 02 05 (fixed)
#include "buttons/ButtonCodes.h"
#include "config/ConfigImage.h"

#include <array>
#include <cstdint>

namespace lumeno {

inline constexpr int kMapPositions = 16;
inline constexpr size_t kButtonMapBlockSize = kMapPositions * sizeof(ButtonCode);

using ButtonMapBlock = std::array<uint8_t, kButtonMapBlockSize>;

// buttonIndex 3 and 4 are crossed on screen and in the block.
int MapPositionOfButtonIndex(int buttonIndex);
int ButtonIndexOfRow(int row); // row 1..7 on screen
int RowOfButtonIndex(int buttonIndex);

// The record of buttonIndex i (0..7) as the image holds it.
ButtonRecord ButtonRecordOf(const ConfigImage& image, int buttonIndex);

// Pure function of the image: the block as it goes to the mouse.
ButtonMapBlock BuildButtonMap(const ConfigImage& image);

} // namespace lumeno
