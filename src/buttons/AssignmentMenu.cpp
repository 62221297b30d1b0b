#include "buttons/AssignmentMenu.h"

#include "buttons/ButtonCodes.h"
#include "buttons/KeyTables.h"
#include "config/LanguageCode.h"

#include <algorithm>

namespace lumeno {

namespace {

using Parameter = AssignmentChoice::Parameter;

using FourTexts = std::array<std::string_view, kLanguages>; // EN, DE, CHS, CHT

// One command: what it stores and where its text comes from. Items of the
// shared text table name their entry; the DPI items start as their English
// text, replaced by the entry when the language fills it; the command lists
// carry their four languages.
struct CommandRow {
    int id;
    ButtonFunction function;
    Parameter parameter;
    uint8_t value;
    int textId;      // entry of the shared text table, or -1
    FourTexts texts; // when textId is -1; or the DPI item's start text in [kEnglish]
};

constexpr int kNoText = -1;

// clang-format off
constexpr CommandRow kCommands[] = {
    {kCommandClick,       ButtonFunction::Click,       Parameter::None, 0, kTextMenuClick,       {}},
    {kCommandMenu,        ButtonFunction::Menu,        Parameter::None, 0, kTextMenuMenu,        {}},
    {kCommandScroll,      ButtonFunction::Scroll,      Parameter::None, 0, kTextMenuScroll,      {}},
    {kCommandForward,     ButtonFunction::Forward,     Parameter::None, 0, kTextMenuForward,     {}},
    {kCommandBack,        ButtonFunction::Back,        Parameter::None, 0, kTextMenuBack,        {}},
    {kCommandDoubleClick, ButtonFunction::DoubleClick, Parameter::None, 0, kTextMenuDoubleClick, {}},
    {kCommandFn,          ButtonFunction::Fn,          Parameter::None, 0, kNoText,              {"Fn", "Fn", "Fn", "Fn"}},
    {kCommandSnipe,       ButtonFunction::Snipe,       Parameter::None, 0, kTextMenuSnipe,       {}},
    {kCommandDeactivated, ButtonFunction::Deactivated, Parameter::None, 0, kTextMenuDeactivated, {}},
    {kCommandKeyboardKey, ButtonFunction::KeyboardKey, Parameter::None, 0, kTextMenuKeyboardKey, {}},
    {kCommandMacro,       ButtonFunction::Macro,       Parameter::None, 0, kTextMenuMacro,       {}},

    {kCommandDpiFirst + 0, ButtonFunction::Dpi, Parameter::DpiAction, 1, kTextDpiPlus,  {"DPI +"}},
    {kCommandDpiFirst + 1, ButtonFunction::Dpi, Parameter::DpiAction, 2, kTextDpiMinus, {"DPI -"}},
    {kCommandDpiFirst + 2, ButtonFunction::Dpi, Parameter::DpiAction, 3, kTextDpiLoop,  {"DPI Loop"}},

    {kCommandMultimediaFirst + 0, ButtonFunction::Multimedia, Parameter::ConsumerUsage, kMultimediaChoices[0].usage, kNoText, {kMultimediaChoices[0].name, "Mediaplayer öffnen", "多媒体播放器", "開啟媒體播放器"}},
    {kCommandMultimediaFirst + 1, ButtonFunction::Multimedia, Parameter::ConsumerUsage, kMultimediaChoices[1].usage, kNoText, {kMultimediaChoices[1].name, "Nächster Titel", "下一首", "下一首"}},
    {kCommandMultimediaFirst + 2, ButtonFunction::Multimedia, Parameter::ConsumerUsage, kMultimediaChoices[2].usage, kNoText, {kMultimediaChoices[2].name, "Vorheriger Titel", "上一首", "上一首"}},
    {kCommandMultimediaFirst + 3, ButtonFunction::Multimedia, Parameter::ConsumerUsage, kMultimediaChoices[3].usage, kNoText, {kMultimediaChoices[3].name, "Stopp", "停止", "停止"}},
    {kCommandMultimediaFirst + 4, ButtonFunction::Multimedia, Parameter::ConsumerUsage, kMultimediaChoices[4].usage, kNoText, {kMultimediaChoices[4].name, "Play/Pause", "播放/暂停", "播放/暫停"}},
    {kCommandMultimediaFirst + 5, ButtonFunction::Multimedia, Parameter::ConsumerUsage, kMultimediaChoices[5].usage, kNoText, {kMultimediaChoices[5].name, "Stumm", "静音", "靜音"}},
    {kCommandMultimediaFirst + 6, ButtonFunction::Multimedia, Parameter::ConsumerUsage, kMultimediaChoices[6].usage, kNoText, {kMultimediaChoices[6].name, "Lautstärke +", "音量+", "提高音量"}},
    {kCommandMultimediaFirst + 7, ButtonFunction::Multimedia, Parameter::ConsumerUsage, kMultimediaChoices[7].usage, kNoText, {kMultimediaChoices[7].name, "Lautstärke -", "音量-", "降低音量"}},

    {kCommandBasicFirst + 0, ButtonFunction::BasicCommand, Parameter::CtrlKeyUsage, kBasicCommandChoices[0].usage, kNoText, {kBasicCommandChoices[0].name, "Neu", "新建", "新建"}},
    {kCommandBasicFirst + 1, ButtonFunction::BasicCommand, Parameter::CtrlKeyUsage, kBasicCommandChoices[1].usage, kNoText, {kBasicCommandChoices[1].name, "Ausschneiden", "剪切", "剪下"}},
    {kCommandBasicFirst + 2, ButtonFunction::BasicCommand, Parameter::CtrlKeyUsage, kBasicCommandChoices[2].usage, kNoText, {kBasicCommandChoices[2].name, "Kopieren", "复制", "複製"}},
    {kCommandBasicFirst + 3, ButtonFunction::BasicCommand, Parameter::CtrlKeyUsage, kBasicCommandChoices[3].usage, kNoText, {kBasicCommandChoices[3].name, "Einfügen", "粘贴", "貼上"}},
    {kCommandBasicFirst + 4, ButtonFunction::BasicCommand, Parameter::CtrlKeyUsage, kBasicCommandChoices[4].usage, kNoText, {kBasicCommandChoices[4].name, "Speichern", "保存", "儲存"}},
    {kCommandBasicFirst + 5, ButtonFunction::BasicCommand, Parameter::CtrlKeyUsage, kBasicCommandChoices[5].usage, kNoText, {kBasicCommandChoices[5].name, "Drucken", "打印", "列印"}},
    {kCommandBasicFirst + 6, ButtonFunction::BasicCommand, Parameter::CtrlKeyUsage, kBasicCommandChoices[6].usage, kNoText, {kBasicCommandChoices[6].name, "Suchen", "查找", "尋找"}},
    {kCommandBasicFirst + 7, ButtonFunction::BasicCommand, Parameter::CtrlKeyUsage, kBasicCommandChoices[7].usage, kNoText, {kBasicCommandChoices[7].name, "Wiederherstellen", "重复", "重做"}},
    {kCommandBasicFirst + 8, ButtonFunction::BasicCommand, Parameter::CtrlKeyUsage, kBasicCommandChoices[8].usage, kNoText, {kBasicCommandChoices[8].name, "Rückgängig machen", "撤销", "復原"}},
    {kCommandBasicFirst + 9, ButtonFunction::BasicCommand, Parameter::CtrlKeyUsage, kBasicCommandChoices[9].usage, kNoText, {kBasicCommandChoices[9].name, "Alles auswählen", "全选", "選擇全部"}},

    {kCommandAdditionalFirst + 0, ButtonFunction::AdditionalCommand, Parameter::SystemShortcut, 0, kNoText, {kAdditionalCommandNames[0], "Arbeitsplatz", "我的电脑", "我的電腦"}},
    {kCommandAdditionalFirst + 1, ButtonFunction::AdditionalCommand, Parameter::SystemShortcut, 1, kNoText, {kAdditionalCommandNames[1], "Web: Startseite", "浏览器-主页", "首頁"}},
    {kCommandAdditionalFirst + 2, ButtonFunction::AdditionalCommand, Parameter::SystemShortcut, 2, kNoText, {kAdditionalCommandNames[2], "Computer durchsuchen", "搜索", "搜尋程式及檔案"}},
    {kCommandAdditionalFirst + 3, ButtonFunction::AdditionalCommand, Parameter::SystemShortcut, 3, kNoText, {kAdditionalCommandNames[3], "Maximieren", "最大化", "最大化"}},
    {kCommandAdditionalFirst + 4, ButtonFunction::AdditionalCommand, Parameter::SystemShortcut, 4, kNoText, {kAdditionalCommandNames[4], "Minimieren", "最小化", "最小化"}},
    {kCommandAdditionalFirst + 5, ButtonFunction::AdditionalCommand, Parameter::SystemShortcut, 5, kNoText, {kAdditionalCommandNames[5], "Desktop anzeigen", "显示桌面", "顯示桌面"}},
    {kCommandAdditionalFirst + 6, ButtonFunction::AdditionalCommand, Parameter::SystemShortcut, 6, kNoText, {kAdditionalCommandNames[6], "Ausführen", "运行", "運行"}},
};
// clang-format on

const CommandRow* RowOf(int id)
{
    const auto it =
        std::find_if(std::begin(kCommands), std::end(kCommands), [id](const CommandRow& r) { return r.id == id; });
    return it == std::end(kCommands) ? nullptr : it;
}

std::string TextOfRow(const CommandRow& row, const UiText& text, std::string_view languageCode)
{
    if (row.textId == kNoText)
        return std::string(row.texts[LanguageOf(languageCode)]);
    const std::string& entry = text[row.textId];
    if (entry.empty() && !row.texts[kEnglish].empty())
        return std::string(row.texts[kEnglish]); // a DPI item the language leaves as it starts
    return entry;
}

struct SubmenuRows {
    int titleId;
    int itemWidth;
    int first;
    int count;
};
constexpr SubmenuRows kSubmenus[] = {
    {kTextMenuDpi, kDpiMenuItemWidth, kCommandDpiFirst, 3},
    {kTextMenuMultimedia, kMultimediaMenuItemWidth, kCommandMultimediaFirst, int(kMultimediaChoices.size())},
    {kTextMenuBasic, kBasicMenuItemWidth, kCommandBasicFirst, int(kBasicCommandChoices.size())},
    {kTextMenuAdditional, kAdditionalMenuItemWidth, kCommandAdditionalFirst, int(kAdditionalCommandNames.size())},
};

// The top level in order; a negative entry is the submenu of that position
// in kSubmenus (-1 the first).
constexpr int kTopLevel[] = {kCommandClick,
                             kCommandMenu,
                             kCommandScroll,
                             kCommandForward,
                             kCommandBack,
                             kCommandDoubleClick,
                             kCommandFn,
                             kCommandSnipe,
                             -1,
                             -2,
                             -3,
                             -4,
                             kCommandKeyboardKey,
                             kCommandMacro,
                             kCommandDeactivated};

constexpr int kButtonWithoutFn = 1;

bool IsButton(int buttonIndex) { return buttonIndex >= 0 && buttonIndex < kButtonCount; }

void Store(const AssignmentChoice& choice, ConfigImage& image, int i)
{
    image.buttonFunction[i] = uint8_t(choice.function);
    switch (choice.parameter) {
    case Parameter::None:
        break;
    case Parameter::DpiAction:
        image.dpiAction[i] = choice.value;
        break;
    case Parameter::ConsumerUsage:
        image.consumerUsage[i] = choice.value;
        break;
    case Parameter::CtrlKeyUsage:
        image.ctrlKeyUsage[i] = choice.value;
        break;
    case Parameter::SystemShortcut:
        image.systemShortcut[i] = choice.value;
        break;
    }
}

CommandOutcome AssignKey(int i, ConfigImage& image, std::array<ButtonCaption, kButtonCount>& captions,
                         const UiText& text, std::string_view languageCode, KeyCapture* keys)
{
    if (!keys)
        return CommandOutcome::EarlyEnd;
    // The stored key is offered whatever the button does now.
    const std::string preset = image.keyUsage[i] != 0 ? std::string(KeyNameByUsage(image.keyUsage[i])) : std::string();
    std::string name;
    if (!keys->Capture(preset, name))
        return CommandOutcome::Tail;
    if (name.empty())
        return CommandOutcome::EarlyEnd;
    // A name without a usage sends nothing; the caption still names it.
    image.keyUsage[i] = KeyUsageByName(name);
    image.buttonFunction[i] = uint8_t(ButtonFunction::KeyboardKey);
    captions[size_t(i)] = AssignmentItemText(kCommandKeyboardKey, text, languageCode) + kKeyCaptionSeparator + name;
    return CommandOutcome::Tail;
}

CommandOutcome AssignMacro(int i, ConfigImage& image, std::array<ButtonCaption, kButtonCount>& captions,
                           const UiText& text, std::string_view languageCode, MacroChooser* macros)
{
    if (!macros)
        return CommandOutcome::EarlyEnd;
    const std::string item = AssignmentItemText(kCommandMacro, text, languageCode);
    const std::string& caption = captions[size_t(i)];
    MacroChoice preset; // no macro, play mode 0
    if (caption.find(item) != std::string::npos) {
        const auto colon = caption.rfind(kMacroCaptionSeparator);
        preset.name = colon == std::string::npos ? caption : caption.substr(colon + 1);
        preset.position = image.macroIndex[i];
        preset.playMode = image.macroMode[i];
    }
    MacroChoice choice;
    if (!macros->Choose(preset, choice))
        return CommandOutcome::Tail;
    if (choice.position < 0)
        return CommandOutcome::EarlyEnd;
    image.macroIndex[i] = uint8_t(choice.position);
    image.macroMode[i] = uint8_t(choice.playMode);
    image.buttonFunction[i] = uint8_t(ButtonFunction::Macro);
    captions[size_t(i)] = item + kMacroCaptionSeparator + choice.name;
    return CommandOutcome::Tail;
}

} // namespace

AssignmentMenuContent BuildAssignmentMenu(int buttonIndex, const UiText& text, std::string_view languageCode)
{
    AssignmentMenuContent menu;
    for (const SubmenuRows& rows : kSubmenus) {
        AssignmentSubmenu submenu;
        submenu.itemWidth = rows.itemWidth;
        for (int id = rows.first; id < rows.first + rows.count; ++id)
            submenu.items.push_back({id, AssignmentItemText(id, text, languageCode), -1});
        menu.submenus.push_back(std::move(submenu));
    }
    for (int entry : kTopLevel) {
        if (entry < 0) {
            const int index = -entry - 1;
            menu.items.push_back({0, text[kSubmenus[index].titleId], index});
        } else if (entry != kCommandFn || buttonIndex != kButtonWithoutFn) {
            menu.items.push_back({entry, AssignmentItemText(entry, text, languageCode), -1});
        }
    }
    return menu;
}

std::string AssignmentItemText(int id, const UiText& text, std::string_view languageCode)
{
    const CommandRow* row = RowOf(id);
    return row ? TextOfRow(*row, text, languageCode) : std::string();
}

bool LeftClickGuardRefuses(const ConfigImage& image, int buttonIndex)
{
    if (!IsButton(buttonIndex) || image.buttonFunction[buttonIndex] != uint8_t(ButtonFunction::Click))
        return false;
    const auto clicks =
        std::count(image.buttonFunction, image.buttonFunction + kButtonCount, uint8_t(ButtonFunction::Click));
    return clicks == 1;
}

std::optional<AssignmentChoice> ChoiceOfCommand(int id)
{
    const CommandRow* row = RowOf(id);
    if (!row || id == kCommandKeyboardKey || id == kCommandMacro)
        return std::nullopt;
    return AssignmentChoice{row->function, row->parameter, row->value};
}

std::optional<int> CommandOfAssignment(const ConfigImage& image, int buttonIndex)
{
    if (!IsButton(buttonIndex))
        return std::nullopt;
    const int i = buttonIndex;
    for (const CommandRow& row : kCommands) {
        if (row.id == kCommandKeyboardKey || row.id == kCommandMacro ||
            image.buttonFunction[i] != uint8_t(row.function))
            continue;
        uint8_t stored = 0;
        switch (row.parameter) {
        case Parameter::None:
            return row.id;
        case Parameter::DpiAction:
            stored = image.dpiAction[i];
            break;
        case Parameter::ConsumerUsage:
            stored = image.consumerUsage[i];
            break;
        case Parameter::CtrlKeyUsage:
            stored = image.ctrlKeyUsage[i];
            break;
        case Parameter::SystemShortcut:
            stored = image.systemShortcut[i];
            break;
        }
        if (stored == row.value)
            return row.id;
    }
    return std::nullopt;
}

CommandOutcome HandleAssignmentCommand(int id, int buttonIndex, ConfigImage& image,
                                       std::array<ButtonCaption, kButtonCount>& captions, const UiText& text,
                                       std::string_view languageCode, const AssignmentDialogs& dialogs)
{
    // Without a button (no menu was opened) there is nothing to store in;
    // the tail still re-sends the map.
    if (!IsButton(buttonIndex))
        return CommandOutcome::Tail;
    if (id == kCommandKeyboardKey)
        return AssignKey(buttonIndex, image, captions, text, languageCode, dialogs.keys);
    if (id == kCommandMacro)
        return AssignMacro(buttonIndex, image, captions, text, languageCode, dialogs.macros);
    if (const auto choice = ChoiceOfCommand(id)) {
        Store(*choice, image, buttonIndex);
        captions[size_t(buttonIndex)] = AssignmentItemText(id, text, languageCode);
    }
    return CommandOutcome::Tail;
}

} // namespace lumeno
