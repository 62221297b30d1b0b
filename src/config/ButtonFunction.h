#pragma once
// What a button does, as the image's buttonFunction bytes store it.
#include <cstdint>

namespace lumeno {

// Stored in buttonFunction; values above 18 are treated as "none".
enum class ButtonFunction : uint8_t {
    Click = 0,
    Menu = 1,
    Scroll = 2,
    Forward = 3,
    Back = 4,
    DoubleClick = 5,
    Dpi = 6,               // parameter dpiAction
    Multimedia = 7,        // parameter consumerUsage (low byte)
    BasicCommand = 8,      // parameter ctrlKeyUsage, sent with Left Ctrl
    AdditionalCommand = 9, // parameter systemShortcut 0..6
    KeyboardKey = 10,      // parameter keyUsage
    Macro = 11,            // parameters macroIndex, macroMode
    Unused12 = 12,
    Deactivated = 13,
    Unused14 = 14,
    TiltLeft = 15,
    TiltRight = 16,
    Fn = 17,
    Snipe = 18,
};
inline constexpr int kButtonFunctionCount = 19;

} // namespace lumeno
