#pragma once
// The function a button performs and the 4-byte code the mouse knows it by.
//
// Code bytes travel in the order listed (byte 0 first); byte 3 is the category:
//   0x01 keyboard chord: bytes 2, 1, 0 each one HID keyboard usage (0 = none)
//   0x02 mouse button:   byte 1 = 0xF0 + n (0 left .. 6 tilt right)
//   0x04 consumer usage: byte 0 high byte, byte 1 low byte
//   0x08 DPI action:     byte 2 (1 up, 2 down, 3 loop)
//   0x0A macro:          byte 0 macro number, byte 1 play mode as the mouse counts it
//   0x05, 0x0B, 0x0C     firmware constants, sent whole
#include "config/ButtonFunction.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace lumeno {

using ButtonCode = std::array<uint8_t, 4>;

enum class DpiAction : uint8_t { Up = 1, Down = 2, Loop = 3 };

// The parameters of one button as the image stores them.
struct ButtonRecord {
    uint8_t function = 0;
    uint8_t dpiAction = 0;
    uint8_t consumerUsage = 0;
    uint8_t systemShortcut = 0;
    uint8_t ctrlKeyUsage = 0;
    uint8_t keyUsage = 0;
    uint8_t macroIndex = 0;
    uint8_t macroMode = 0;
};

// The code of one button record; unknown functions and selectors give 00 00 00 00.
ButtonCode EncodeButton(const ButtonRecord& record);

// Multimedia usage whose low byte alone is stored: 0x83 stands for 0x0183.
inline constexpr uint8_t kMediaPlayerUsageLow = 0x83;

struct UsageChoice {
    uint8_t usage;
    std::string_view name; // English menu text
};

// The menu's multimedia commands (consumerUsage), in menu order.
inline constexpr std::array<UsageChoice, 8> kMultimediaChoices{{
    {0x83, "Open Media Player"},
    {0xB5, "Next Track"},
    {0xB6, "Previous Track"},
    {0xB7, "Stop"},
    {0xCD, "Play/Pause"},
    {0xE2, "Mute"},
    {0xE9, "Volume Up"},
    {0xEA, "Volume Down"},
}};

// The menu's basic commands (ctrlKeyUsage, sent with Left Ctrl), in menu order.
inline constexpr std::array<UsageChoice, 10> kBasicCommandChoices{{
    {0x11, "New"},
    {0x1B, "Cut"},
    {0x06, "Copy"},
    {0x19, "Paste"},
    {0x16, "Save"},
    {0x13, "Print"},
    {0x09, "Find"},
    {0x1C, "Redo"},
    {0x1D, "Undo"},
    {0x04, "Select All"},
}};

// Additional commands (systemShortcut selector s = position), English texts.
inline constexpr std::array<std::string_view, 7> kAdditionalCommandNames{
    "My computer", "Web Home", "Search Computer", "Maximize", "Minimize", "Show desktop", "Run",
};

} // namespace lumeno
