#pragma once
// The assignment menu of a button: its content as data, the rule that keeps
// one left-click, and the command handler that stores a choice in the image
// and sets the button's caption.
//
//  id          item                              stores (buttonFunction, parameter)
//  2001..2006  Click, Menu, Scroll, Forward,     0..5
//              Back, Double-Click
//  2009        Fn (not in the menu of buttonIndex 1)  17
//  2010        Snipe                             18
//  2020..2022  DPI +, DPI -, DPI Loop            6, dpiAction = id - 2019
//  2050..2057  multimedia commands               7, consumerUsage
//  2060..2069  basic commands (Ctrl + key)       8, ctrlKeyUsage
//  2030..2036  additional commands               9, systemShortcut = id - 2030
//  2011        Assign Keyboard Key (a dialog)    10, keyUsage
//  2012        Macro (the macro picker)          11, macroIndex and macroMode
//  2013        Deactivated                       13
#include "buttons/MacroChoice.h"
#include "config/ButtonFunction.h"
#include "config/ProfileStore.h"
#include "ui/UiText.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumeno {

// Command ids of the menu.
enum AssignmentCommandId : int {
    kCommandClick = 2001,
    kCommandMenu = 2002,
    kCommandScroll = 2003,
    kCommandForward = 2004,
    kCommandBack = 2005,
    kCommandDoubleClick = 2006,
    kCommandFn = 2009,
    kCommandSnipe = 2010,
    kCommandKeyboardKey = 2011,
    kCommandMacro = 2012,
    kCommandDeactivated = 2013,
    kCommandDpiFirst = 2020,        // .. 2022
    kCommandAdditionalFirst = 2030, // .. 2036
    kCommandMultimediaFirst = 2050, // .. 2057
    kCommandBasicFirst = 2060,      // .. 2069
};
// The window hands every command id in this range to the handler; the help
// menu's web site (1001) and update (1002) stay its own.
inline constexpr int kAssignmentCommandFirst = 1003;
inline constexpr int kAssignmentCommandLast = 4000;

// Owner-drawn item widths of the five menus.
inline constexpr int kTopMenuItemWidth = 130;
inline constexpr int kDpiMenuItemWidth = 90;
inline constexpr int kMultimediaMenuItemWidth = 120;
inline constexpr int kBasicMenuItemWidth = 130;
inline constexpr int kAdditionalMenuItemWidth = 130;

// Between the caption's item text and the key name, and the macro name.
inline constexpr char kKeyCaptionSeparator[] = "-";
inline constexpr char kMacroCaptionSeparator[] = ":";

struct AssignmentMenuItem {
    int id = 0;       // 0 for a submenu's title
    std::string text; // UTF-8
    int submenu = -1; // index into AssignmentMenuContent::submenus, or -1
};

struct AssignmentSubmenu {
    int itemWidth = 0;
    std::vector<AssignmentMenuItem> items;
};

struct AssignmentMenuContent {
    int itemWidth = kTopMenuItemWidth;
    std::vector<AssignmentMenuItem> items;   // in menu order
    std::vector<AssignmentSubmenu> submenus; // DPI, multimedia, basic, additional
};

// The menu of buttonIndex in the language of text (filled for languageCode);
// the command lists follow languageCode: "CHS", "CHT", "DE", else English.
AssignmentMenuContent BuildAssignmentMenu(int buttonIndex, const UiText& text, std::string_view languageCode);

// The text of a menu item; empty for an id the menu does not have.
std::string AssignmentItemText(int id, const UiText& text, std::string_view languageCode);

// The left-click guard: true when buttonIndex holds the last "Click" of the
// seven buttons, so its menu must not open.
bool LeftClickGuardRefuses(const ConfigImage& image, int buttonIndex);

// What a plain item stores; nullopt for the two dialog items and unknown ids.
struct AssignmentChoice {
    ButtonFunction function = ButtonFunction::Click;
    enum class Parameter { None, DpiAction, ConsumerUsage, CtrlKeyUsage, SystemShortcut } parameter = Parameter::None;
    uint8_t value = 0;
};
std::optional<AssignmentChoice> ChoiceOfCommand(int id);

// The command that gives a button's current assignment, when a plain item
// of the menu gives it (the factory assignment does); nullopt otherwise.
std::optional<int> CommandOfAssignment(const ConfigImage& image, int buttonIndex);

// The key capture dialog as the handler sees it. Capture runs it modally
// with preset shown; false when it ends with Cancel, otherwise name holds
// the last key (empty: none).
class KeyCapture {
public:
    virtual ~KeyCapture() = default;
    virtual bool Capture(const std::string& preset, std::string& name) = 0;
};

struct AssignmentDialogs {
    KeyCapture* keys = nullptr;     // null: item 2011 ends early
    MacroChooser* macros = nullptr; // null: item 2012 ends early
};

enum class CommandOutcome {
    Tail,    // repaint the box and run WriteButtonsAndMacros
    EarlyEnd // nothing changed, nothing is sent
};

// Handles command id for buttonIndex (-1: no menu was opened): stores the
// choice in the image, sets captions[buttonIndex], and says whether the
// tail runs. An id it does not know changes nothing and runs the tail.
CommandOutcome HandleAssignmentCommand(int id, int buttonIndex, ConfigImage& image,
                                       std::array<ButtonCaption, kButtonCount>& captions, const UiText& text,
                                       std::string_view languageCode, const AssignmentDialogs& dialogs);

} // namespace lumeno
