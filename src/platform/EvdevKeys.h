#pragma once
// The keys of a PC keyboard as the desktop numbers them and as the key
// capture and the macro recorder read them. An X key code is the Linux
// evdev key code plus 8; each evdev code of the 105-key layout, the keypad,
// the navigation block, the Windows and Menu keys and the media keys maps
// to the Windows virtual-key code of the key (left/right forms of the
// modifiers), its set-1 scan code and the extended bit. The table depends
// on the key's place only, never on the layout or the modifiers held, so a
// press and its release always read alike.
#include "platform/KeyboardHook.h"

#include <cstdint>
#include <optional>

namespace lumeno {

inline constexpr uint32_t kXKeyCodeOffset = 8;

struct WindowsKey {
    uint8_t virtualKey = 0;
    uint8_t scanCode = 0;
    bool extended = false;
};

// nullopt for an evdev code the table does not know.
std::optional<WindowsKey> WindowsKeyOfEvdev(uint32_t evdevCode);

// The hook event of an X key code; a code the table does not know gives
// virtual key 0 (a key without a name).
KeyboardEvent KeyboardEventOfXKeyCode(uint32_t xKeyCode, bool release);

} // namespace lumeno
