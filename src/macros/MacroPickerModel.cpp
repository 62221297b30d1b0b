#include "macros/MacroPickerModel.h"

#include "macros/MacroLibraryFile.h"
#include "macros/MacroManagerModel.h"
#include "macros/MacroNames.h"

#include <algorithm>

namespace lumeno {

MacroChoice MacroChoiceOfButton(const ConfigImage& image, int buttonIndex, std::string_view caption)
{
    if (buttonIndex < 0 || buttonIndex >= kButtonCount || image.buttonFunction[buttonIndex] != kMacroButtonFunction)
        return {};
    MacroChoice choice;
    choice.name = std::string(MacroNameOfCaption(caption).value_or(""));
    choice.position = image.macroIndex[buttonIndex];
    const int mode = image.macroMode[buttonIndex];
    choice.playMode = mode < kPlayModeCount ? mode : 0;
    return choice;
}

MacroPickerModel::MacroPickerModel(MacroLibraryFile& library, MacroChoice preset)
    : library_(library), choice_(std::move(preset))
{
    if (choice_.playMode < 0 || choice_.playMode >= kPlayModeCount)
        choice_.playMode = 0;
}

void MacroPickerModel::ToggleList()
{
    if (listShown_) {
        listShown_ = false;
        return;
    }
    listNames_ = library_.LoadNames();
    const auto it = std::ranges::find(listNames_, choice_.name);
    listSelection_ = it == listNames_.end() ? std::nullopt : std::optional<size_t>(it - listNames_.begin());
    listShown_ = true;
}

void MacroPickerModel::ChooseEntry(size_t index)
{
    if (index >= listNames_.size())
        return;
    choice_.name = listNames_[index];
    choice_.position = int(index);
    listSelection_ = index;
    listShown_ = false;
}

void MacroPickerModel::SelectMode(int mode)
{
    if (mode >= 0 && mode < kPlayModeCount)
        choice_.playMode = mode;
}

MacroPickerModel::Click MacroPickerModel::LeftClick(int x, int y)
{
    using L = MacroPickerLayout;
    if (!L::kList.Contains(x, y) && !L::kDropDown.Contains(x, y))
        listShown_ = false;
    if (L::kOk.Contains(x, y))
        return Click::Ok;
    if (L::kCancel.Contains(x, y) || L::kClose.Contains(x, y))
        return Click::Cancel;
    if (L::kDropDown.Contains(x, y)) {
        ToggleList();
        return Click::Handled;
    }
    for (int mode = 0; mode < kPlayModeCount; ++mode) {
        if (L::kModeBoxes[mode].Contains(x, y)) {
            SelectMode(mode);
            break;
        }
    }
    return Click::Handled;
}

} // namespace lumeno
