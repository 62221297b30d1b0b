#include "platform/EvdevKeys.h"

#include <algorithm>
#include <iterator>

namespace lumeno {

namespace {

struct Row {
    uint16_t evdev; // linux/input-event-codes.h KEY_*
    WindowsKey key;
};

constexpr bool kExt = true;

// evdev code -> virtual key, set-1 scan code, extended bit.
// clang-format off
constexpr Row kRows[] = {
    {1,   {0x1B, 0x01}},        // ESC
    {2,   {0x31, 0x02}}, {3, {0x32, 0x03}}, {4, {0x33, 0x04}}, {5, {0x34, 0x05}}, {6, {0x35, 0x06}}, // 1..5
    {7,   {0x36, 0x07}}, {8, {0x37, 0x08}}, {9, {0x38, 0x09}}, {10, {0x39, 0x0A}}, {11, {0x30, 0x0B}}, // 6..0
    {12,  {0xBD, 0x0C}},        // MINUS
    {13,  {0xBB, 0x0D}},        // EQUAL
    {14,  {0x08, 0x0E}},        // BACKSPACE
    {15,  {0x09, 0x0F}},        // TAB
    {16,  {0x51, 0x10}}, {17, {0x57, 0x11}}, {18, {0x45, 0x12}}, {19, {0x52, 0x13}}, {20, {0x54, 0x14}}, // Q W E R T
    {21,  {0x59, 0x15}}, {22, {0x55, 0x16}}, {23, {0x49, 0x17}}, {24, {0x4F, 0x18}}, {25, {0x50, 0x19}}, // Y U I O P
    {26,  {0xDB, 0x1A}},        // LEFTBRACE
    {27,  {0xDD, 0x1B}},        // RIGHTBRACE
    {28,  {0x0D, 0x1C}},        // ENTER
    {29,  {0xA2, 0x1D}},        // LEFTCTRL
    {30,  {0x41, 0x1E}}, {31, {0x53, 0x1F}}, {32, {0x44, 0x20}}, {33, {0x46, 0x21}}, {34, {0x47, 0x22}}, // A S D F G
    {35,  {0x48, 0x23}}, {36, {0x4A, 0x24}}, {37, {0x4B, 0x25}}, {38, {0x4C, 0x26}},                    // H J K L
    {39,  {0xBA, 0x27}},        // SEMICOLON
    {40,  {0xDE, 0x28}},        // APOSTROPHE
    {41,  {0xC0, 0x29}},        // GRAVE
    {42,  {0xA0, 0x2A}},        // LEFTSHIFT
    {43,  {0xDC, 0x2B}},        // BACKSLASH (the ISO layouts' key beside Enter)
    {44,  {0x5A, 0x2C}}, {45, {0x58, 0x2D}}, {46, {0x43, 0x2E}}, {47, {0x56, 0x2F}}, {48, {0x42, 0x30}}, // Z X C V B
    {49,  {0x4E, 0x31}}, {50, {0x4D, 0x32}},                                                            // N M
    {51,  {0xBC, 0x33}},        // COMMA
    {52,  {0xBE, 0x34}},        // DOT
    {53,  {0xBF, 0x35}},        // SLASH
    {54,  {0xA1, 0x36}},        // RIGHTSHIFT
    {55,  {0x6A, 0x37}},        // KPASTERISK
    {56,  {0xA4, 0x38}},        // LEFTALT
    {57,  {0x20, 0x39}},        // SPACE
    {58,  {0x14, 0x3A}},        // CAPSLOCK
    {59,  {0x70, 0x3B}}, {60, {0x71, 0x3C}}, {61, {0x72, 0x3D}}, {62, {0x73, 0x3E}}, {63, {0x74, 0x3F}}, // F1..F5
    {64,  {0x75, 0x40}}, {65, {0x76, 0x41}}, {66, {0x77, 0x42}}, {67, {0x78, 0x43}}, {68, {0x79, 0x44}}, // F6..F10
    {69,  {0x90, 0x45, kExt}},  // NUMLOCK
    {70,  {0x91, 0x46}},        // SCROLLLOCK
    {71,  {0x67, 0x47}}, {72, {0x68, 0x48}}, {73, {0x69, 0x49}}, // KP7 KP8 KP9
    {74,  {0x6D, 0x4A}},        // KPMINUS
    {75,  {0x64, 0x4B}}, {76, {0x65, 0x4C}}, {77, {0x66, 0x4D}}, // KP4 KP5 KP6
    {78,  {0x6B, 0x4E}},        // KPPLUS
    {79,  {0x61, 0x4F}}, {80, {0x62, 0x50}}, {81, {0x63, 0x51}}, // KP1 KP2 KP3
    {82,  {0x60, 0x52}},        // KP0
    {83,  {0x6E, 0x53}},        // KPDOT
    {86,  {0xE2, 0x56}},        // 102ND (the ISO key beside the left Shift)
    {87,  {0x7A, 0x57}},        // F11
    {88,  {0x7B, 0x58}},        // F12
    {96,  {0x0D, 0x1C, kExt}},  // KPENTER: Enter with the extended bit
    {97,  {0xA3, 0x1D, kExt}},  // RIGHTCTRL
    {98,  {0x6F, 0x35, kExt}},  // KPSLASH
    {99,  {0x2C, 0x37, kExt}},  // SYSRQ (Print Screen)
    {100, {0xA5, 0x38, kExt}},  // RIGHTALT
    {102, {0x24, 0x47, kExt}},  // HOME
    {103, {0x26, 0x48, kExt}},  // UP
    {104, {0x21, 0x49, kExt}},  // PAGEUP
    {105, {0x25, 0x4B, kExt}},  // LEFT
    {106, {0x27, 0x4D, kExt}},  // RIGHT
    {107, {0x23, 0x4F, kExt}},  // END
    {108, {0x28, 0x50, kExt}},  // DOWN
    {109, {0x22, 0x51, kExt}},  // PAGEDOWN
    {110, {0x2D, 0x52, kExt}},  // INSERT
    {111, {0x2E, 0x53, kExt}},  // DELETE
    {113, {0xAD, 0x20, kExt}},  // MUTE
    {114, {0xAE, 0x2E, kExt}},  // VOLUMEDOWN
    {115, {0xAF, 0x30, kExt}},  // VOLUMEUP
    {119, {0x13, 0x45}},        // PAUSE
    {125, {0x5B, 0x5B, kExt}},  // LEFTMETA (left Windows)
    {126, {0x5C, 0x5C, kExt}},  // RIGHTMETA (right Windows)
    {127, {0x5D, 0x5D, kExt}},  // COMPOSE (Menu)
    {163, {0xB0, 0x19, kExt}},  // NEXTSONG
    {164, {0xB3, 0x22, kExt}},  // PLAYPAUSE
    {165, {0xB1, 0x10, kExt}},  // PREVIOUSSONG
    {166, {0xB2, 0x24, kExt}},  // STOPCD
};
// clang-format on

} // namespace

std::optional<WindowsKey> WindowsKeyOfEvdev(uint32_t evdevCode)
{
    const auto it = std::find_if(std::begin(kRows), std::end(kRows),
                                 [evdevCode](const Row& row) { return row.evdev == evdevCode; });
    if (it == std::end(kRows))
        return std::nullopt;
    return it->key;
}

KeyboardEvent KeyboardEventOfXKeyCode(uint32_t xKeyCode, bool release)
{
    KeyboardEvent event;
    if (xKeyCode >= kXKeyCodeOffset) {
        if (const auto key = WindowsKeyOfEvdev(xKeyCode - kXKeyCodeOffset)) {
            event.virtualKey = key->virtualKey;
            event.scanCode = key->scanCode;
            event.flags = key->extended ? kKeyFlagExtended : 0;
        }
    }
    if (release)
        event.flags |= kKeyFlagUp;
    return event;
}

} // namespace lumeno
