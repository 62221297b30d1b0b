#pragma once
// The key vocabulary. A key reaches us as a virtual-key code, is shown and
// stored under its name ("Caps Lock", "Num 5") and is sent to the mouse as a
// HID keyboard usage. Names are stored data (button captions, "record.ini"),
// so they are spelled exactly as in the tables, and compared exactly.
#include <cstdint>
#include <string_view>

namespace lumeno {

// Virtual-key codes the callers treat specially.
inline constexpr uint32_t kVkEnter = 0x0D;
inline constexpr uint32_t kVkNumEnter = 0x6C; // what we call the keypad Enter
inline constexpr uint32_t kVkLeftWindows = 0x5B;
inline constexpr uint32_t kVkRightWindows = 0x5C;
inline constexpr uint32_t kVkSpace = 0x20;
inline constexpr uint32_t kVkEscape = 0x1B;
inline constexpr uint32_t kVkF1 = 0x70;

// Usage of a key name; 0 for an unknown or empty name. 0xF0..0xF2 are the
// mouse buttons a macro may hold ("L-Button", "R-Button", "M-Button").
uint8_t KeyUsageByName(std::string_view name);

// The macro manager's encoder variant: knows "App" (0x65) and "Left GUI"
// (0xE3) and does not know "Application"; otherwise as KeyUsageByName.
uint8_t ManagerKeyUsageByName(std::string_view name);

// Inverse of KeyUsageByName; the empty name for a usage without a key.
std::string_view KeyNameByUsage(uint8_t usage);

// Name of a virtual-key code; the empty name for a code without a name.
std::string_view KeyNameByVirtualKey(uint32_t virtualKey);

// Low-level keyboard events report the keypad Enter as Enter with the
// extended flag; it reads as kVkNumEnter ("Num Enter") everywhere else.
constexpr uint32_t VirtualKeyOfEvent(uint32_t virtualKey, bool extended)
{
    return virtualKey == kVkEnter && extended ? kVkNumEnter : virtualKey;
}

} // namespace lumeno
