#pragma once
// The macro picker's rules, apart from its window: the preset taken from a
// button, the drop-down list of library names, the play-mode boxes, and the
// order in which a click on the dialog is tested. The picker writes nothing.
#include "buttons/MacroChoice.h"
#include "config/ConfigImage.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumeno {

class MacroLibraryFile;

inline constexpr int kPlayModeCount = 3; // once, until any button, until released

// What the picker opens with for button buttonIndex: the macro the caption
// names, the stored position and play mode when the button plays a macro;
// otherwise no macro and mode 0.
MacroChoice MacroChoiceOfButton(const ConfigImage& image, int buttonIndex, std::string_view caption);

struct PickerRect {
    int left, top, right, bottom;
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

// Client-pixel layout of the default skin.
struct MacroPickerLayout {
    static constexpr PickerRect kClose{352, 6, 370, 24};
    static constexpr PickerRect kOk{250, 250, 308, 275};
    static constexpr PickerRect kCancel{314, 250, 372, 275};
    static constexpr PickerRect kDropDown{42, 128, 151, 144};
    static constexpr PickerRect kList{42, 146, 151, 286};
    static constexpr PickerRect kModeBoxes[kPlayModeCount] = {
        {220, 78, 236, 94}, {220, 128, 236, 144}, {220, 178, 236, 194}};
    static constexpr PickerRect kModeTexts[kPlayModeCount] = {
        {237, 70, 390, 102}, {237, 120, 390, 152}, {237, 170, 390, 202}};
};

class MacroPickerModel {
public:
    enum class Click { Handled, Ok, Cancel };

    MacroPickerModel(MacroLibraryFile& library, MacroChoice preset);

    const MacroChoice& Choice() const { return choice_; }
    bool ListShown() const { return listShown_; }
    const std::vector<std::string>& ListNames() const { return listNames_; }
    std::optional<size_t> ListSelection() const { return listSelection_; }

    // Drop-down button: fills and shows the list, or hides a shown one.
    void ToggleList();
    // Selection change or double click in the list.
    void ChooseEntry(size_t index);
    void SelectMode(int mode);
    // A left click on the dialog at client point (x, y).
    Click LeftClick(int x, int y);

private:
    MacroLibraryFile& library_;
    MacroChoice choice_;
    bool listShown_ = false;
    std::vector<std::string> listNames_;
    std::optional<size_t> listSelection_;
};

} // namespace lumeno
