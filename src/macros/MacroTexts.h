#pragma once
// The texts the macro manager and the macro picker show, by interface
// language code: "DE", "CHS" and "CHT" have their own, every other code
// shows English. They are the dialogs' own sets, apart from the shared text
// table, so the dialogs speak even when that table is left empty.
#include <array>
#include <string_view>

namespace lumeno {

struct MacroManagerTexts {
    std::string_view ok;
    std::string_view cancel;
    std::string_view startRecording;
    std::string_view stopRecording;
    std::string_view insertLeft;
    std::string_view insertMiddle;
    std::string_view insertRight;
    std::string_view insertDelay;
    std::string_view attention; // message box caption
    std::string_view macroLimit;
    std::string_view title;
    std::string_view selectMacro;
    std::string_view keystrokeSequence;
    std::string_view options;
    std::string_view delayOption;
    std::string_view loopOption;
    std::string_view newMacro;
    std::string_view deleteText; // Delete button and menu item
};

struct MacroPickerTexts {
    std::string_view ok;
    std::string_view cancel;
    std::array<std::string_view, 3> playModes;
    std::string_view prompt;
};

const MacroManagerTexts& MacroManagerTextsFor(std::string_view languageCode);
const MacroPickerTexts& MacroPickerTextsFor(std::string_view languageCode);

// The message box of a manager whose background image could not be loaded.
inline constexpr char kManagerBackgroundFailedText[] = "error";
inline constexpr char kManagerBackgroundFailedCaption[] = "Macro Manager Dialog Load background image failed!!!";

} // namespace lumeno
