#include "macros/MacroTexts.h"

#include "config/LanguageCode.h"

namespace lumeno {

namespace {

// clang-format off
constexpr MacroManagerTexts kManagerTexts[] = {
    {"OK", "Cancel", "Start Recording", "Stop Recording", "Insert Left Button", "Insert Middle Button",
     "Insert Right Button", "Insert Delay", "ATTENTION!", "Up to 12 Macros Possible.", "Macro Manager",
     "Select Macro", "Keystroke Sequence", "Options", "Record delay between keystrokes", "Number of Loops", "New",
     "Delete"},
    {"OK", "Abbrechen", "Aufzeichnung starten", "Aufzeichnung beenden", "Linke Maustaste einfügen",
     "Mittlere Maustaste einfügen", "Rechte Maustaste einfügen", "Verzögerung einfügen", "ACHTUNG!",
     "Maximal 12 Makros möglich.", "Makro-Manager", "Auswahl Makro", "Tastensequenz", "Optionen",
     "Verzögerungen zwischen Tastenbefehlen aufzeichnen", "Wiederholungen", "Neu", "Löschen"},
    {"确定", "取消", "开始录制", "停止录制", "插入鼠标左键", "插入鼠标中键", "插入鼠标右键", "插入延时", "警告",
     "最多可以新建12个宏。", "宏管理器", "选择宏", "按鍵序列", "录制选项", "记录按键动作间的延迟", "循环次数", "新建",
     "刪除"},
    {"確定", "取消", "開始記錄", "停止紀錄", "插入左鍵", "插入中鍵", "插入右鍵", "插入延遲", "注意！", "支援最多12 組巨集",
     "巨集編輯器", "選擇巨集", "按鍵輸入順序", "選項", "按鍵指令間插入記錄延遲", "迴圈數", "新建", "刪除"},
};

constexpr MacroPickerTexts kPickerTexts[] = {
    {"OK", "Cancel",
     {"Macro runs one-time after pressing the button.", "Macro runs endless loop until any button is pressed. ",
      "Macro runs endless loop until button is released. "},
     "Please select a macro!"},
    {"OK", "Abbrechen",
     {"Makro bei Tastendruck einmalig ausführen.", "Makro endlos ausführen, bis erneuter Tastendruck erfolgt.",
      "Makro bei dauerhaft gedrückter Taste endlos ausführen."},
     "Bitte wählen Sie ein Makro aus!"},
    {"确定", "取消", {"重复指定次数或按任意键结束", "重复直到按任意键结束", "重复直到该按键松开结束"}, "请从列表框选择一个宏"},
    {"確定", "取消", {"按下按鍵後可重覆執行", "重覆執行至再次按下任一鍵", "重覆執行至放開此鍵"}, "請先選擇巨集"},
};
// clang-format on

} // namespace

const MacroManagerTexts& MacroManagerTextsFor(std::string_view languageCode)
{
    return kManagerTexts[LanguageOf(languageCode)];
}

const MacroPickerTexts& MacroPickerTextsFor(std::string_view languageCode)
{
    return kPickerTexts[LanguageOf(languageCode)];
}

} // namespace lumeno
