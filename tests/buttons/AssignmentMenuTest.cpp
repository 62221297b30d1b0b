// The assignment menu's content, its command table in four languages, the
// left-click guard and the two dialog items with scripted dialogs.
#include "buttons/AssignmentMenu.h"

#include "buttons/KeyTables.h"
#include "config/ConfigImage.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace lumeno {
namespace {

struct Menu {
    explicit Menu(std::string_view language) : code(language) { FillUiText(text, language); }
    UiText text;
    std::string code;
};

// One row per command: what it stores and its text in EN, DE, CHS, CHT.
struct CommandCase {
    int id;
    ButtonFunction function;
    AssignmentChoice::Parameter parameter;
    uint8_t value;
    std::array<const char*, 4> texts;
};
using P = AssignmentChoice::Parameter;
using F = ButtonFunction;

// clang-format off
const CommandCase kCommandCases[] = {
    {2001, F::Click,       P::None, 0, {"Click", "Klick", "左键", "點擊"}},
    {2002, F::Menu,        P::None, 0, {"Menu", "Menü", "右键", "選項"}},
    {2003, F::Scroll,      P::None, 0, {"Scroll ", "Scrollen", "中键", "滾輪"}},
    {2004, F::Forward,     P::None, 0, {"Forward", "Vorwärts", "前进方向键", "前進"}},
    {2005, F::Back,        P::None, 0, {"Back", "Zurück", "后退方向键", "後退"}},
    {2006, F::DoubleClick, P::None, 0, {"Double-Click", "Doppelklick", "双击", "雙擊"}},
    {2009, F::Fn,          P::None, 0, {"Fn", "Fn", "Fn", "Fn"}},
    {2010, F::Snipe,       P::None, 0, {"Snipe", "Snipe", "狙击键", "Snipe"}},
    {2013, F::Deactivated, P::None, 0, {"Deactivated", "Deaktiviert", "按键关闭", "無作用"}},
    {2020, F::Dpi, P::DpiAction, 1, {"DPI +", "DPI +", "DPI +", "DPI +"}},
    {2021, F::Dpi, P::DpiAction, 2, {"DPI -", "DPI -", "DPI -", "DPI -"}},
    {2022, F::Dpi, P::DpiAction, 3, {"DPI Loop", "DPI Schleife", "DPI loop", "DPI循環檔"}},
    {2030, F::AdditionalCommand, P::SystemShortcut, 0, {"My computer", "Arbeitsplatz", "我的电脑", "我的電腦"}},
    {2031, F::AdditionalCommand, P::SystemShortcut, 1, {"Web Home", "Web: Startseite", "浏览器-主页", "首頁"}},
    {2032, F::AdditionalCommand, P::SystemShortcut, 2, {"Search Computer", "Computer durchsuchen", "搜索", "搜尋程式及檔案"}},
    {2033, F::AdditionalCommand, P::SystemShortcut, 3, {"Maximize", "Maximieren", "最大化", "最大化"}},
    {2034, F::AdditionalCommand, P::SystemShortcut, 4, {"Minimize", "Minimieren", "最小化", "最小化"}},
    {2035, F::AdditionalCommand, P::SystemShortcut, 5, {"Show desktop", "Desktop anzeigen", "显示桌面", "顯示桌面"}},
    {2036, F::AdditionalCommand, P::SystemShortcut, 6, {"Run", "Ausführen", "运行", "運行"}},
    {2050, F::Multimedia, P::ConsumerUsage, 0x83, {"Open Media Player", "Mediaplayer öffnen", "多媒体播放器", "開啟媒體播放器"}},
    {2051, F::Multimedia, P::ConsumerUsage, 0xB5, {"Next Track", "Nächster Titel", "下一首", "下一首"}},
    {2052, F::Multimedia, P::ConsumerUsage, 0xB6, {"Previous Track", "Vorheriger Titel", "上一首", "上一首"}},
    {2053, F::Multimedia, P::ConsumerUsage, 0xB7, {"Stop", "Stopp", "停止", "停止"}},
    {2054, F::Multimedia, P::ConsumerUsage, 0xCD, {"Play/Pause", "Play/Pause", "播放/暂停", "播放/暫停"}},
    {2055, F::Multimedia, P::ConsumerUsage, 0xE2, {"Mute", "Stumm", "静音", "靜音"}},
    {2056, F::Multimedia, P::ConsumerUsage, 0xE9, {"Volume Up", "Lautstärke +", "音量+", "提高音量"}},
    {2057, F::Multimedia, P::ConsumerUsage, 0xEA, {"Volume Down", "Lautstärke -", "音量-", "降低音量"}},
    {2060, F::BasicCommand, P::CtrlKeyUsage, 0x11, {"New", "Neu", "新建", "新建"}},
    {2061, F::BasicCommand, P::CtrlKeyUsage, 0x1B, {"Cut", "Ausschneiden", "剪切", "剪下"}},
    {2062, F::BasicCommand, P::CtrlKeyUsage, 0x06, {"Copy", "Kopieren", "复制", "複製"}},
    {2063, F::BasicCommand, P::CtrlKeyUsage, 0x19, {"Paste", "Einfügen", "粘贴", "貼上"}},
    {2064, F::BasicCommand, P::CtrlKeyUsage, 0x16, {"Save", "Speichern", "保存", "儲存"}},
    {2065, F::BasicCommand, P::CtrlKeyUsage, 0x13, {"Print", "Drucken", "打印", "列印"}},
    {2066, F::BasicCommand, P::CtrlKeyUsage, 0x09, {"Find", "Suchen", "查找", "尋找"}},
    {2067, F::BasicCommand, P::CtrlKeyUsage, 0x1C, {"Redo", "Wiederherstellen", "重复", "重做"}},
    {2068, F::BasicCommand, P::CtrlKeyUsage, 0x1D, {"Undo", "Rückgängig machen", "撤销", "復原"}},
    {2069, F::BasicCommand, P::CtrlKeyUsage, 0x04, {"Select All", "Alles auswählen", "全选", "選擇全部"}},
};
// clang-format on

constexpr const char* kLanguages[] = {"EN", "DE", "CHS", "CHT"};

uint8_t StoredParameter(const ConfigImage& image, int i, P parameter)
{
    switch (parameter) {
    case P::DpiAction:
        return image.dpiAction[i];
    case P::ConsumerUsage:
        return image.consumerUsage[i];
    case P::CtrlKeyUsage:
        return image.ctrlKeyUsage[i];
    case P::SystemShortcut:
        return image.systemShortcut[i];
    case P::None:
        break;
    }
    return 0;
}

TEST(AssignmentCommands, EveryIdStoresItsFunctionParameterAndCaptionInEachLanguage)
{
    for (const CommandCase& c : kCommandCases) {
        for (size_t l = 0; l < 4; ++l) {
            Menu menu(kLanguages[l]);
            ConfigImage image{};
            LoadFactoryDefaults(image);
            std::array<ButtonCaption, kButtonCount> captions;
            const int button = 5;
            EXPECT_EQ(HandleAssignmentCommand(c.id, button, image, captions, menu.text, menu.code, {}),
                      CommandOutcome::Tail);
            EXPECT_EQ(image.buttonFunction[button], uint8_t(c.function)) << c.id;
            if (c.parameter != P::None) {
                EXPECT_EQ(StoredParameter(image, button, c.parameter), c.value) << c.id;
            }
            EXPECT_EQ(captions[button], c.texts[l]) << c.id << " " << kLanguages[l];
            EXPECT_TRUE(std::all_of(captions.begin(), captions.end(), [&](const auto& t) {
                return &t == &captions[button] || t.empty();
            })) << "only the chosen button's caption changes";
        }
    }
}

TEST(AssignmentCommands, UnknownLanguageCodesReadTheEnglishListsAndDeTheGermanOnes)
{
    for (const char* code : {"en", "FR", ""}) {
        Menu menu(code);
        EXPECT_EQ(AssignmentItemText(2030, menu.text, code), "My computer") << code;
        EXPECT_EQ(AssignmentItemText(2062, menu.text, code), "Copy") << code;
        EXPECT_EQ(AssignmentItemText(2022, menu.text, code), "DPI Loop") << "the DPI items start in English";
        EXPECT_EQ(AssignmentItemText(2001, menu.text, code), "") << "the shared texts stay empty";
    }
    Menu german("DE");
    const auto content = BuildAssignmentMenu(0, german.text, "DE");
    const AssignmentSubmenu& additional = content.submenus[3];
    EXPECT_EQ(additional.items.front().text, "Arbeitsplatz");
}

TEST(AssignmentMenuContent, ItemsInOrderWithTheirWidthsAndSubmenus)
{
    Menu menu("EN");
    const auto content = BuildAssignmentMenu(0, menu.text, "EN");
    EXPECT_EQ(content.itemWidth, 130);
    std::vector<std::pair<int, std::string>> top;
    for (const auto& item : content.items)
        top.emplace_back(item.submenu >= 0 ? -1 - item.submenu : item.id, item.text);
    const std::vector<std::pair<int, std::string>> expected{
        {2001, "Click"},
        {2002, "Menu"},
        {2003, "Scroll "},
        {2004, "Forward"},
        {2005, "Back"},
        {2006, "Double-Click"},
        {2009, "Fn"},
        {2010, "Snipe"},
        {-1, "DPI Setting +"},
        {-2, "Multimedia Commands +"},
        {-3, "Basic Commands +"},
        {-4, "Additional Commands +"},
        {2011, "Assign Keyboard Key"},
        {2012, "Macro"},
        {2013, "Deactivated"},
    };
    EXPECT_EQ(top, expected);
    ASSERT_EQ(content.submenus.size(), 4u);
    const int widths[] = {90, 120, 130, 130};
    const int firsts[] = {2020, 2050, 2060, 2030};
    const size_t counts[] = {3, 8, 10, 7};
    for (size_t s = 0; s < 4; ++s) {
        EXPECT_EQ(content.submenus[s].itemWidth, widths[s]);
        ASSERT_EQ(content.submenus[s].items.size(), counts[s]);
        for (size_t n = 0; n < counts[s]; ++n)
            EXPECT_EQ(content.submenus[s].items[n].id, firsts[s] + int(n));
    }
}

TEST(AssignmentMenuContent, FnIsMissingOnlyForButtonIndexOne)
{
    Menu menu("CHS");
    for (int i = 0; i < kButtonCount; ++i) {
        const auto content = BuildAssignmentMenu(i, menu.text, "CHS");
        const bool hasFn = std::any_of(content.items.begin(), content.items.end(),
                                       [](const AssignmentMenuItem& item) { return item.id == kCommandFn; });
        EXPECT_EQ(hasFn, i != 1) << "buttonIndex " << i;
        EXPECT_EQ(content.items.size(), i == 1 ? 14u : 15u);
    }
}

TEST(LeftClickGuard, RefusesOnlyTheLastClick)
{
    ConfigImage image{};
    LoadFactoryDefaults(image);
    EXPECT_TRUE(LeftClickGuardRefuses(image, 0)) << "Button 1 holds the only Click";
    for (int i = 1; i < kButtonCount; ++i)
        EXPECT_FALSE(LeftClickGuardRefuses(image, i)) << i;
    image.buttonFunction[7] = 0; // entry 7 is never read
    EXPECT_TRUE(LeftClickGuardRefuses(image, 0));

    Menu menu("EN");
    std::array<ButtonCaption, kButtonCount> captions;
    HandleAssignmentCommand(kCommandClick, 6, image, captions, menu.text, "EN", {});
    EXPECT_FALSE(LeftClickGuardRefuses(image, 0)) << "another Click lets Button 1's menu open";
    EXPECT_FALSE(LeftClickGuardRefuses(image, 6));
}

// The key capture dialog, answered by the test.
struct ScriptedKeys final : KeyCapture {
    bool Capture(const std::string& preset, std::string& name) override
    {
        presets.push_back(preset);
        name = answer;
        return ok;
    }
    std::vector<std::string> presets;
    std::string answer;
    bool ok = true;
};

struct ScriptedMacros final : MacroChooser {
    bool Choose(const MacroChoice& preset, MacroChoice& choice) override
    {
        presets.push_back(preset);
        choice = answer;
        return ok;
    }
    std::vector<MacroChoice> presets;
    MacroChoice answer;
    bool ok = true;
};

struct DialogItems : ::testing::Test {
    DialogItems() { LoadFactoryDefaults(image); }
    CommandOutcome Run(int id, int button, std::string_view language = "EN")
    {
        Menu menu(language);
        return HandleAssignmentCommand(id, button, image, captions, menu.text, language, {&keys, &macros});
    }
    ConfigImage image{};
    std::array<ButtonCaption, kButtonCount> captions{"Click", "Menu", "Scroll ", "Fn", "Snipe", "DPI +", "DPI -"};
    ScriptedKeys keys;
    ScriptedMacros macros;
};

TEST_F(DialogItems, KeyCapturedAssignsItsUsageAndCaption)
{
    keys.answer = "Num Enter";
    EXPECT_EQ(Run(kCommandKeyboardKey, 2), CommandOutcome::Tail);
    EXPECT_EQ(keys.presets, std::vector<std::string>{""});
    EXPECT_EQ(image.buttonFunction[2], uint8_t(F::KeyboardKey));
    EXPECT_EQ(image.keyUsage[2], 0x58);
    EXPECT_EQ(captions[2], "Assign Keyboard Key-Num Enter");
    keys.answer = "A";
    Run(kCommandKeyboardKey, 2, "CHS");
    EXPECT_EQ(captions[2], "单键-A");
}

TEST_F(DialogItems, KeyDialogPresetsTheStoredKeyWhateverTheButtonDoes)
{
    image.keyUsage[4] = 0x29; // Esc, kept from an earlier assignment
    keys.answer = "Esc";
    Run(kCommandKeyboardKey, 4);
    EXPECT_EQ(keys.presets, std::vector<std::string>{"Esc"});
    EXPECT_EQ(image.buttonFunction[4], uint8_t(F::KeyboardKey));
}

TEST_F(DialogItems, KeyOkWithoutAKeyEndsEarlyAndCancelRunsTheTailUnchanged)
{
    const ConfigImage before = image;
    keys.answer = "";
    EXPECT_EQ(Run(kCommandKeyboardKey, 5), CommandOutcome::EarlyEnd);
    EXPECT_EQ(image.Bytes()[0], before.Bytes()[0]);
    EXPECT_TRUE(std::equal(image.Bytes().begin(), image.Bytes().end(), before.Bytes().begin()));
    keys.answer = "B";
    keys.ok = false;
    EXPECT_EQ(Run(kCommandKeyboardKey, 5), CommandOutcome::Tail) << "Cancel re-sends the unchanged map";
    EXPECT_TRUE(std::equal(image.Bytes().begin(), image.Bytes().end(), before.Bytes().begin()));
    EXPECT_EQ(captions[5], "DPI +");
}

TEST_F(DialogItems, UnknownKeyNameStoresUsageZeroAndKeepsTheName)
{
    keys.answer = "Select";
    EXPECT_EQ(Run(kCommandKeyboardKey, 6), CommandOutcome::Tail);
    EXPECT_EQ(image.buttonFunction[6], uint8_t(F::KeyboardKey));
    EXPECT_EQ(image.keyUsage[6], 0);
    EXPECT_EQ(captions[6], "Assign Keyboard Key-Select");
}

TEST_F(DialogItems, MacroChosenStoresNumberModeAndCaption)
{
    macros.answer = {"Reload", 5, 1};
    EXPECT_EQ(Run(kCommandMacro, 3), CommandOutcome::Tail);
    ASSERT_EQ(macros.presets.size(), 1u);
    EXPECT_EQ(macros.presets[0].position, -1) << "a button without a macro caption starts with none";
    EXPECT_EQ(macros.presets[0].playMode, 0);
    EXPECT_EQ(image.buttonFunction[3], uint8_t(F::Macro));
    EXPECT_EQ(image.macroIndex[3], 5);
    EXPECT_EQ(image.macroMode[3], 1);
    EXPECT_EQ(captions[3], "Macro:Reload");

    // Opened again, it starts from the name after the last ":".
    captions[3] = "Macro:a:b";
    macros.answer = {"x", 2, 2};
    Run(kCommandMacro, 3);
    EXPECT_EQ(macros.presets[1].name, "b");
    EXPECT_EQ(macros.presets[1].position, 5);
    EXPECT_EQ(macros.presets[1].playMode, 1);
}

TEST_F(DialogItems, MacroWithoutAChoiceEndsEarlyCancelRunsTheTail)
{
    const ConfigImage before = image;
    macros.answer = {"", -1, 0};
    EXPECT_EQ(Run(kCommandMacro, 3), CommandOutcome::EarlyEnd);
    macros.ok = false;
    EXPECT_EQ(Run(kCommandMacro, 3), CommandOutcome::Tail);
    EXPECT_TRUE(std::equal(image.Bytes().begin(), image.Bytes().end(), before.Bytes().begin()));
    EXPECT_EQ(captions[3], "Fn");
}

TEST_F(DialogItems, WithoutDialogsTheTwoItemsEndEarly)
{
    Menu menu("EN");
    const ConfigImage before = image;
    for (int id : {kCommandKeyboardKey, kCommandMacro})
        EXPECT_EQ(HandleAssignmentCommand(id, 2, image, captions, menu.text, "EN", {}), CommandOutcome::EarlyEnd);
    EXPECT_TRUE(std::equal(image.Bytes().begin(), image.Bytes().end(), before.Bytes().begin()));
}

TEST_F(DialogItems, VersionAndOtherIdsChangeNothingAndRunTheTail)
{
    const ConfigImage before = image;
    const auto captionsBefore = captions;
    for (int id : {1003, 2007, 2040, 4000}) {
        EXPECT_EQ(Run(id, 2), CommandOutcome::Tail) << id;
        EXPECT_EQ(Run(id, -1), CommandOutcome::Tail) << id;
    }
    EXPECT_TRUE(std::equal(image.Bytes().begin(), image.Bytes().end(), before.Bytes().begin()));
    EXPECT_EQ(captions, captionsBefore);
    EXPECT_EQ(Run(kCommandClick, -1), CommandOutcome::Tail) << "no button: nothing to store in";
    EXPECT_TRUE(std::equal(image.Bytes().begin(), image.Bytes().end(), before.Bytes().begin()));
}

TEST(CommandOfAssignment, NamesThePlainItemThatGivesAnAssignment)
{
    ConfigImage image{};
    LoadFactoryDefaults(image);
    const int expected[] = {2001, 2002, 2003, 2009, 2010, 2020, 2021};
    for (int i = 0; i < kButtonCount; ++i)
        EXPECT_EQ(CommandOfAssignment(image, i), expected[i]) << i;
    for (const CommandCase& c : kCommandCases) {
        Menu menu("EN");
        std::array<ButtonCaption, kButtonCount> captions;
        HandleAssignmentCommand(c.id, 2, image, captions, menu.text, "EN", {});
        EXPECT_EQ(CommandOfAssignment(image, 2), c.id);
    }
    image.buttonFunction[2] = uint8_t(F::KeyboardKey);
    EXPECT_EQ(CommandOfAssignment(image, 2), std::nullopt);
}

} // namespace
} // namespace lumeno
