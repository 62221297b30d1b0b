#pragma once
// What the assignment menu's "Macro" item asks of the macro picker: a macro
// of the library by position and name, and a play mode. The picker itself
// lives with the macros; the menu only sees this interface.
#include <string>

namespace lumeno {

struct MacroChoice {
    std::string name;  // shown on the picker's drop-down button
    int position = -1; // in the library; -1: none chosen
    int playMode = 0;  // 0, 1 or 2
};

class MacroChooser {
public:
    virtual ~MacroChooser() = default;
    // Opens the picker modally with preset; false when it ends with Cancel,
    // otherwise choice holds what was chosen (position -1: nothing).
    virtual bool Choose(const MacroChoice& preset, MacroChoice& choice) = 0;
};

} // namespace lumeno
