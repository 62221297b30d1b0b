#include "buttons/ButtonMap.h"

#include <algorithm>

namespace lumeno {

namespace {

// mapPosition of each buttonIndex 0..6, and the reverse.
constexpr std::array<int, kButtonCount> kPositionOfIndex{0, 1, 2, 4, 3, 5, 6};

struct FixedCode {
    int position;
    ButtonCode code;
};
// Positions the user cannot change; their meaning is the firmware's.
constexpr std::array<FixedCode, 4> kFixedCodes{{
    {7, {0x00, 0x00, 0x03, 0x0C}},
    {8, {0x00, 0x00, 0x01, 0x0B}},
    {14, {0x00, 0x01, 0x01, 0x05}},
    {15, {0x00, 0x01, 0x02, 0x05}},
}};

} // namespace

int MapPositionOfButtonIndex(int buttonIndex)
{
    return buttonIndex >= 0 && buttonIndex < kButtonCount ? kPositionOfIndex[buttonIndex] : -1;
}

int ButtonIndexOfRow(int row)
{
    // The crossing is its own inverse: row r shows the index at position r - 1.
    return MapPositionOfButtonIndex(row - 1);
}

int RowOfButtonIndex(int buttonIndex)
{
    const int position = MapPositionOfButtonIndex(buttonIndex);
    return position < 0 ? -1 : position + 1;
}

ButtonRecord ButtonRecordOf(const ConfigImage& image, int i)
{
    ButtonRecord r;
    r.function = image.buttonFunction[i];
    r.dpiAction = image.dpiAction[i];
    r.consumerUsage = image.consumerUsage[i];
    r.systemShortcut = image.systemShortcut[i];
    r.ctrlKeyUsage = image.ctrlKeyUsage[i];
    r.keyUsage = image.keyUsage[i];
    r.macroIndex = image.macroIndex[i];
    r.macroMode = image.macroMode[i];
    return r;
}

ButtonMapBlock BuildButtonMap(const ConfigImage& image)
{
    ButtonMapBlock block{};
    auto put = [&block](int position, const ButtonCode& code) {
        std::copy(code.begin(), code.end(), block.begin() + position * int(sizeof(ButtonCode)));
    };
    for (int i = 0; i < kButtonCount; ++i)
        put(kPositionOfIndex[i], EncodeButton(ButtonRecordOf(image, i)));
    for (const FixedCode& fixed : kFixedCodes)
        put(fixed.position, fixed.code);
    return block;
}

} // namespace lumeno
