#include "buttons/ButtonCodes.h"

namespace lumeno {

namespace {

// How each function's code is made: a fixed code, or a template whose
// parameter byte(s) come from the record.
enum class CodeRule { Fixed, DpiAction, Consumer, CtrlKey, Shortcut, Key, Macro };

struct FunctionCode {
    CodeRule rule;
    ButtonCode code; // the fixed code, or the template's constant bytes
};

//   function                  rule                 bytes 0..3
constexpr std::array<FunctionCode, kButtonFunctionCount> kFunctionCodes{{
    /*  0 Click         */ {CodeRule::Fixed, {0x00, 0xF0, 0x00, 0x02}},
    /*  1 Menu          */ {CodeRule::Fixed, {0x00, 0xF1, 0x00, 0x02}},
    /*  2 Scroll        */ {CodeRule::Fixed, {0x00, 0xF2, 0x00, 0x02}},
    /*  3 Forward       */ {CodeRule::Fixed, {0x00, 0xF4, 0x00, 0x02}},
    /*  4 Back          */ {CodeRule::Fixed, {0x00, 0xF3, 0x00, 0x02}},
    /*  5 Double-Click  */ {CodeRule::Fixed, {0x02, 0xF0, 0x01, 0x0C}},
    /*  6 DPI           */ {CodeRule::DpiAction, {0x00, 0x00, 0x00, 0x08}}, // 00 00 a 08
    /*  7 Multimedia    */ {CodeRule::Consumer, {0x00, 0x00, 0x00, 0x04}},  // h u 00 04
    /*  8 Ctrl + key    */ {CodeRule::CtrlKey, {0x00, 0x00, 0xE0, 0x01}},   // 00 k E0 01
    /*  9 Additional    */ {CodeRule::Shortcut, {0x00, 0x00, 0x00, 0x00}},
    /* 10 Keyboard key  */ {CodeRule::Key, {0x00, 0x00, 0x00, 0x01}},   // 00 k 00 01
    /* 11 Macro         */ {CodeRule::Macro, {0x00, 0x00, 0x00, 0x0A}}, // i d 00 0A
    /* 12 none          */ {CodeRule::Fixed, {0x00, 0x00, 0x00, 0x00}},
    /* 13 Deactivated   */ {CodeRule::Fixed, {0x00, 0x00, 0x00, 0x00}},
    /* 14 none          */ {CodeRule::Fixed, {0x00, 0x00, 0x00, 0x00}},
    /* 15 Tilt left     */ {CodeRule::Fixed, {0x00, 0xF5, 0x00, 0x02}},
    /* 16 Tilt right    */ {CodeRule::Fixed, {0x00, 0xF6, 0x00, 0x02}},
    /* 17 Fn            */ {CodeRule::Fixed, {0x00, 0x00, 0x04, 0x0C}},
    /* 18 Snipe         */ {CodeRule::Fixed, {0x00, 0x07, 0x02, 0x0C}},
}};

// Additional commands by selector.
//   s  command          bytes 0..3     what the mouse sends
constexpr std::array<ButtonCode, 7> kShortcutCodes{{
    /* 0 My computer     */ {0x01, 0x94, 0x00, 0x04}, // consumer 0x0194
    /* 1 Web Home        */ {0x02, 0x23, 0x00, 0x04}, // consumer 0x0223
    /* 2 Search Computer */ {0x02, 0x21, 0x00, 0x04}, // consumer 0x0221
    /* 3 Maximize        */ {0x1B, 0x2C, 0xE2, 0x01}, // Left Alt, Space, X
    /* 4 Minimize        */ {0x11, 0x2C, 0xE2, 0x01}, // Left Alt, Space, N
    /* 5 Show desktop    */ {0x00, 0x07, 0xE3, 0x01}, // Left GUI, D
    /* 6 Run             */ {0x00, 0x15, 0xE3, 0x01}, // Left GUI, R
}};

// Play mode as stored (0 once, 1 until any button, 2 while held) to the
// mouse's own count; other stored values go through unchanged.
constexpr std::array<uint8_t, 3> kMacroModeOnWire{1, 3, 2};

} // namespace

ButtonCode EncodeButton(const ButtonRecord& record)
{
    if (record.function >= kButtonFunctionCount)
        return {};
    ButtonCode code = kFunctionCodes[record.function].code;
    switch (kFunctionCodes[record.function].rule) {
    case CodeRule::Fixed:
        break;
    case CodeRule::DpiAction:
        code[2] = record.dpiAction;
        break;
    case CodeRule::Consumer:
        code[0] = record.consumerUsage == kMediaPlayerUsageLow ? 1 : 0;
        code[1] = record.consumerUsage;
        break;
    case CodeRule::CtrlKey:
        code[1] = record.ctrlKeyUsage;
        break;
    case CodeRule::Shortcut:
        code = record.systemShortcut < kShortcutCodes.size() ? kShortcutCodes[record.systemShortcut] : ButtonCode{};
        break;
    case CodeRule::Key:
        code[1] = record.keyUsage;
        break;
    case CodeRule::Macro:
        code[0] = record.macroIndex;
        code[1] = record.macroMode < kMacroModeOnWire.size() ? kMacroModeOnWire[record.macroMode] : record.macroMode;
        break;
    }
    return code;
}

} // namespace lumeno
