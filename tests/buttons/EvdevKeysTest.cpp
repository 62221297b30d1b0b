// The X key code table over the whole 105-key layout: key code - 8 is the
// evdev code, which gives the virtual key, the extended bit and, through
// the key tables, the name the key capture shows.
#include "platform/EvdevKeys.h"

#include "buttons/KeyTables.h"

#include <gtest/gtest.h>

namespace lumeno {
namespace {

struct KeyCase {
    uint32_t xKeyCode; // as the evdev keymap of X numbers the key (its keysym in the comment)
    uint8_t virtualKey;
    bool extended;
    const char* name;
};

// clang-format off
const KeyCase kLayout[] = {
    {9, 0x1B, false, "Esc"},
    {10, 0x31, false, "1"}, {11, 0x32, false, "2"}, {12, 0x33, false, "3"}, {13, 0x34, false, "4"},
    {14, 0x35, false, "5"}, {15, 0x36, false, "6"}, {16, 0x37, false, "7"}, {17, 0x38, false, "8"},
    {18, 0x39, false, "9"}, {19, 0x30, false, "0"}, {20, 0xBD, false, "-"}, {21, 0xBB, false, "="},
    {22, 0x08, false, "Backspace"}, {23, 0x09, false, "Tab"},
    {24, 0x51, false, "Q"}, {25, 0x57, false, "W"}, {26, 0x45, false, "E"}, {27, 0x52, false, "R"},
    {28, 0x54, false, "T"}, {29, 0x59, false, "Y"}, {30, 0x55, false, "U"}, {31, 0x49, false, "I"},
    {32, 0x4F, false, "O"}, {33, 0x50, false, "P"}, {34, 0xDB, false, "["}, {35, 0xDD, false, "]"},
    {36, 0x0D, false, "Enter"},          // Return
    {37, 0xA2, false, "Ctrl"},           // Control_L
    {38, 0x41, false, "A"}, {39, 0x53, false, "S"}, {40, 0x44, false, "D"}, {41, 0x46, false, "F"},
    {42, 0x47, false, "G"}, {43, 0x48, false, "H"}, {44, 0x4A, false, "J"}, {45, 0x4B, false, "K"},
    {46, 0x4C, false, "L"}, {47, 0xBA, false, ";"}, {48, 0xDE, false, "'"}, {49, 0xC0, false, "`"},
    {50, 0xA0, false, "Shift"},          // Shift_L
    {51, 0xDC, false, "\\"},
    {52, 0x5A, false, "Z"}, {53, 0x58, false, "X"}, {54, 0x43, false, "C"}, {55, 0x56, false, "V"},
    {56, 0x42, false, "B"}, {57, 0x4E, false, "N"}, {58, 0x4D, false, "M"}, {59, 0xBC, false, ","},
    {60, 0xBE, false, "."}, {61, 0xBF, false, "/"},
    {62, 0xA1, false, "Right Shift"},
    {63, 0x6A, false, "Num *"},
    {64, 0xA4, false, "Alt"},            // Alt_L
    {65, 0x20, false, "Space"},
    {66, 0x14, false, "Caps Lock"},
    {67, 0x70, false, "F1"}, {68, 0x71, false, "F2"}, {69, 0x72, false, "F3"}, {70, 0x73, false, "F4"},
    {71, 0x74, false, "F5"}, {72, 0x75, false, "F6"}, {73, 0x76, false, "F7"}, {74, 0x77, false, "F8"},
    {75, 0x78, false, "F9"}, {76, 0x79, false, "F10"},
    {77, 0x90, true, "Num Lock"},
    {78, 0x91, false, "Scroll Lock"},
    {79, 0x67, false, "Num 7"}, {80, 0x68, false, "Num 8"}, {81, 0x69, false, "Num 9"}, {82, 0x6D, false, "Num -"},
    {83, 0x64, false, "Num 4"}, {84, 0x65, false, "Num 5"}, {85, 0x66, false, "Num 6"}, {86, 0x6B, false, "Num +"},
    {87, 0x61, false, "Num 1"}, {88, 0x62, false, "Num 2"}, {89, 0x63, false, "Num 3"}, {90, 0x60, false, "Num 0"},
    {91, 0x6E, false, "Num Del"},
    {94, 0xE2, false, ""},               // the ISO key beside the left Shift has no name
    {95, 0x7A, false, "F11"}, {96, 0x7B, false, "F12"},
    {104, 0x0D, true, "Num Enter"},      // KP_Enter
    {105, 0xA3, true, "Right Ctrl"},
    {106, 0x6F, true, "Num /"},
    {107, 0x2C, true, "Prnt Scrn"},
    {108, 0xA5, true, "Right Alt"},
    {110, 0x24, true, "Home"}, {111, 0x26, true, "Up"}, {112, 0x21, true, "Page Up"}, {113, 0x25, true, "Left"},
    {114, 0x27, true, "Right"}, {115, 0x23, true, "End"}, {116, 0x28, true, "Down"}, {117, 0x22, true, "Page Down"},
    {118, 0x2D, true, "Insert"}, {119, 0x2E, true, "Delete"},
    {127, 0x13, false, "Pause"},
    {133, 0x5B, true, "Left Windows"},   // Super_L
    {134, 0x5C, true, "Right Windows"},  // Super_R
    {135, 0x5D, true, "App"},            // Menu
};
// clang-format on

TEST(EvdevKeys, EveryKeyOfTheLayoutGivesItsVirtualKeyExtendedBitAndName)
{
    for (const KeyCase& c : kLayout) {
        const KeyboardEvent press = KeyboardEventOfXKeyCode(c.xKeyCode, false);
        EXPECT_EQ(press.virtualKey, c.virtualKey) << "X key code " << c.xKeyCode;
        EXPECT_EQ((press.flags & kKeyFlagExtended) != 0, c.extended) << "X key code " << c.xKeyCode;
        EXPECT_EQ(press.flags & kKeyFlagUp, 0u);
        EXPECT_NE(press.scanCode, 0u) << "X key code " << c.xKeyCode;
        const bool extended = (press.flags & kKeyFlagExtended) != 0;
        EXPECT_EQ(KeyNameByVirtualKey(VirtualKeyOfEvent(press.virtualKey, extended)), c.name)
            << "X key code " << c.xKeyCode;
    }
}

TEST(EvdevKeys, AReleaseReadsAsItsPressWithTheUpBit)
{
    for (const KeyCase& c : kLayout) {
        const KeyboardEvent press = KeyboardEventOfXKeyCode(c.xKeyCode, false);
        const KeyboardEvent release = KeyboardEventOfXKeyCode(c.xKeyCode, true);
        EXPECT_EQ(release.virtualKey, press.virtualKey);
        EXPECT_EQ(release.scanCode, press.scanCode);
        EXPECT_EQ(release.flags, press.flags | kKeyFlagUp);
    }
}

TEST(EvdevKeys, ScanCodesAreTheSetOneCodesOfTheirKeys)
{
    // A few known ones: the main block's codes equal the evdev codes, the
    // navigation block and the right-hand modifiers share codes with the
    // keypad and the left ones and differ by the extended bit.
    EXPECT_EQ(KeyboardEventOfXKeyCode(9, false).scanCode, 0x01u);
    EXPECT_EQ(KeyboardEventOfXKeyCode(36, false).scanCode, 0x1Cu);
    EXPECT_EQ(KeyboardEventOfXKeyCode(104, false).scanCode, 0x1Cu);
    EXPECT_EQ(KeyboardEventOfXKeyCode(110, false).scanCode, KeyboardEventOfXKeyCode(79, false).scanCode);
    EXPECT_EQ(KeyboardEventOfXKeyCode(105, false).scanCode, KeyboardEventOfXKeyCode(37, false).scanCode);
}

TEST(EvdevKeys, CodesOutsideTheTableGiveAKeyWithoutAName)
{
    for (uint32_t code : {0u, 7u, 8u, 92u, 200u, 255u, 100000u}) {
        const KeyboardEvent e = KeyboardEventOfXKeyCode(code, true);
        EXPECT_EQ(e.virtualKey, 0u) << code;
        EXPECT_EQ(e.flags, kKeyFlagUp) << code;
        EXPECT_EQ(KeyNameByVirtualKey(e.virtualKey), "");
    }
}

} // namespace
} // namespace lumeno
