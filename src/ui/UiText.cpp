#include "ui/UiText.h"

#include <array>

namespace lumeno {

namespace {

enum Language { kEnglish, kGerman, kSimplifiedChinese, kTraditionalChinese, kLanguageCount };

struct LanguageCode {
    std::string_view code;
    Language language;
};
// Compared in this order; the first exact match wins.
constexpr std::array<LanguageCode, 4> kLanguageCodes{
    {{"CHS", kSimplifiedChinese}, {"CHT", kTraditionalChinese}, {"EN", kEnglish}, {"DE", kGerman}}};

struct TextRow {
    int id;
    std::array<std::string_view, kLanguageCount> text; // EN, DE, CHS, CHT
};

// Every entry the interface shows. An empty text leaves the entry empty in
// that language. A few rows borrow another language's text on purpose (511
// in German, 555 and 556 in traditional Chinese): the product shows them so.
// clang-format off
constexpr TextRow kTextRows[] = {
    {0, {"Setting-EN", "Setting-DE", "Setting-CHS", "Setting-CHT"}}, // settings-file section of the button captions
    {6, {"Lumeno-KV580 Pro", "Lumeno-KV580 Pro", "Lumeno-KV580 Pro", "Lumeno-KV580 Pro"}}, // product name: tray tip
    {9, {"Reset", "Zurücksetzen", "恢复", "重置"}}, // reset button caption
    {12, {"Config", "Spiel-Profile", "配置", "遊戲設定檔"}}, // profile button caption
    {13, {"Top View", "Top view", "正面", "正面圖"}}, // view tab
    {14, {"Side View", "Side View", "侧面", "側面圖"}}, // view tab
    {16, {"Button Assignment", "Tastenbelegung", "按钮分配", "按鍵指派"}}, // section header
    {17, {"Macro Manager", "Makro-Manager", "宏管理器", "宏管理器"}}, // section header
    {18, {"Axis Sensitivity", "Achsen-Empfindlichkeit", "X/Y轴设置", "xy 軸靈敏度"}}, // section header
    {20, {"DPI Setting", "DPI-Einstellung", "DPI设置", "DPI  設定"}}, // pane title
    {21, {"Lighting", "Lighting", "照明", "照明"}}, // pane title
    {22, {"MousePad Lighting", "MousePad Lighting", "鼠标垫区", "滑鼠垫区"}}, // pane title
    {23, {"Polling Rate", "Polling-Rate", "USB输出报告率", "採樣頻率"}}, // pane title
    {24, {"Mouse Speed", "Mausgeschwindigkeit", "鼠标速度", "滑鼠速度"}}, // pane title
    {25, {"Double-Click Speed", "Doppelklick-Geschwindigkeit", "双击速度", "雙擊速度"}}, // pane title
    {26, {"Scroll Speed", "Scroll-Geschwindigkeit", "鼠标滚轮速度", "滾輪速度"}}, // pane title
    {27, {"Angle Snapping", "Angle Snapping", "角度捕捉", "直線修正"}}, // pane title
    {28, {"x-Axis", "x-Achse", "X轴", "X軸"}}, // axis label
    {29, {"y-Axis", "y-Achse", "Y轴", "Y軸"}}, // axis label
    {30, {"Button 1", "Taste 1", "按钮 1", "按鍵 1"}}, // row label of the button list
    {31, {"Button 2", "Taste 2", "按钮 2", "按鍵 2"}}, // row label of the button list
    {32, {"Button 3", "Taste 3", "按钮 3", "按鍵 3"}}, // row label of the button list
    {33, {"Button 4", "Taste 4", "按钮 4", "按鍵 4"}}, // row label of the button list
    {34, {"Button 5", "Taste 5", "按钮 5", "按鍵 5"}}, // row label of the button list
    {35, {"Button 6", "Taste 6", "按钮 6", "按鍵 6"}}, // row label of the button list
    {36, {"Button 7", "Taste 7", "按钮 7", "按鍵 7"}}, // row label of the button list
    {42, {"DPI +", "DPI +", "DPI +", "DPI +"}}, // DPI submenu item
    {43, {"DPI -", "DPI -", "DPI -", "DPI -"}}, // DPI submenu item
    {44, {"DPI Loop", "DPI Schleife", "DPI loop", "DPI循環檔"}}, // DPI submenu item
    {45, {"Slow", "Langsam", "慢", "慢"}}, // slider end label
    {46, {"Fast", "Schnell", "快", "快"}}, // slider end label
    {47, {"Number of Rows", "Folgende Anzahl Zeilen", "一次滚动行数", "行數"}}, // wheel option
    {48, {"Scroll One screenn", "Eine Bildschirmseite", "一次滚动一个屏幕", "一次捲動一個螢幕"}}, // wheel option
    {493, {"Standard", "Standard", "标准模式", "標準模式"}}, // lighting mode
    {494, {"Respiration", "Respiration", "呼吸模式", "呼吸模式"}}, // lighting mode
    {495, {"Neon", "Neon", "霓虹模式", "霓虹模式"}}, // lighting mode
    {496, {"Finger tapping", "Finger tapping", "指动模式", "指動模式"}}, // lighting mode
    {501, {"Stream", "Stream", "流水模式", "流水模式"}}, // lighting mode
    {511, {"Mouse Color", "鼠标颜色", "鼠标颜色", "滑鼠颜色"}}, // lighting label
    {512, {"Click", "Klick", "左键", "點擊"}}, // assignment menu
    {513, {"Menu", "Menü", "右键", "選項"}}, // assignment menu
    {514, {"Scroll ", "Scrollen", "中键", "滾輪"}}, // assignment menu
    {515, {"Forward", "Vorwärts", "前进方向键", "前進"}}, // assignment menu
    {516, {"Back", "Zurück", "后退方向键", "後退"}}, // assignment menu
    {518, {"DPI Setting +", "DPI-Einstellung +", "DPI切换 +", "DPI 設定 +"}}, // assignment menu
    {522, {"Additional Commands +", "Zusätzliche-Funktionen +", "Windows +", "基本操作功能 +"}}, // assignment menu
    {523, {"Multimedia Commands +", "Multimedia-Funktionen +", "多媒体 +", "多媒體指令 +"}}, // assignment menu
    {524, {"Basic Commands +", "Grundlegende-Funktionen +", "快捷键 +", "文書處理功能 +"}}, // assignment menu
    {526, {"Assign Keyboard Key", "Keyboard-Taste zuweisen +", "单键", "指派鍵盤按鍵"}}, // assignment menu
    {529, {"Macro", "Makro", "宏", "巨集鍵"}}, // assignment menu
    {530, {"Deactivated", "Deaktiviert", "按键关闭", "無作用"}}, // assignment menu
    {533, {"Double-Click", "Doppelklick", "双击", "雙擊"}}, // assignment menu
    {537, {"Snipe", "Snipe", "狙击键", "Snipe"}}, // assignment menu
    {538, {"At least one button must be set as the \"click\" function.", "Mindestens eine Taste muss mit der „Klick“-Funktion belegt sein.", "左键功能必须选择！", "至少一鍵須設定為左鍵功能"}}, // message: last left-click
    {539, {kMakerAddress, kMakerAddress, kMakerAddress, kMakerAddress}}, // help menu: the maker's web address
    {540, {"Update", "Update", "驱动更新", "驱动更新"}}, // help menu: firmware update
    {549, {"Switch DPI into the first stage ", "Switch DPI into the first stage ", "DPI切换到第一段 ", "DPI切換到第一段 "}}, // DPI balloon stage text
    {550, {"Switch DPI into the second stage ", "Switch DPI into the second stage ", "DPI切换到第二段 ", "DPI切換到第二段 "}}, // DPI balloon stage text
    {551, {"Switch DPI into the third stage ", "Switch DPI into the third stage ", "DPI切换到第三段 ", "DPI切換到第三段 "}}, // DPI balloon stage text
    {552, {"Switch DPI into the fourth stage ", "Switch DPI into the fourth stage ", "DPI切换到第四段 ", "DPI切換到第四段 "}}, // DPI balloon stage text
    {553, {"Switch DPI into the fifth stage ", "Switch DPI into the fifth stage ", "DPI切换到第五段 ", "DPI切換到第五段 "}}, // DPI balloon stage text
    {554, {"Switch DPI into the sixth stage ", "Switch DPI into the sixth stage ", "DPI切换到第六段 ", "DPI切換到第六段 "}}, // DPI balloon stage text
    {555, {"Switch DPI into the seven stage ", "Switch DPI into the seven stage ", "DPI切换到第七段 ", "DPI切换到第七段 "}}, // DPI balloon stage text
    {556, {"Switch DPI into the eight stage ", "Switch DPI into the eight stage ", "DPI切换到第八段 ", "DPI切换到第八段 "}}, // DPI balloon stage text
    {562, {"Exit", "Exit", "退出", "退出"}}, // tray menu item
    {563, {"The system did not detect Lumeno-KV580 Pro!", "The system did not detect Lumeno-KV580 Pro!", "系统没有检测到Lumeno-KV580 Pro鼠标！", "系統沒有檢測到Lumeno-KV580 Pro鼠标！"}}, // balloon: mouse removed
    {564, {"The system detect Lumeno-KV580 Pro.", "The system detect Lumeno-KV580 Pro.", "系统检测到Lumeno-KV580 Pro鼠标。", "系統檢測到Lumeno-KV580 Pro鼠标。"}}, // balloon: mouse found
    {593, {"Reset to factory default?", "Auf Werkseinstellungen zurücksetzen?", "是否恢复到出厂默认值?", "是否恢復到出廠預設值?"}}, // reset question
    {594, {"ATTENTION!!", "ACHTUNG!!", "注意!", "警告!!"}}, // message caption
    {603, {"Note: the color of the product in drive is for reference only,please take real product as criterion, thank you!", "", "备注：驱动中的产品颜色仅供参考，具体请以实物为准，谢谢！", ""}}, // note at the bottom of the main window
    {610, {"The settings could not be saved in %1. %2", "Die Einstellungen konnten nicht in %1 gespeichert werden. %2", "无法将设置保存到 %1。%2", "無法將設定儲存到 %1。%2"}}, // a save failed: where (%1) and why (%2)
    {611, {"The firmware updater is not installed.", "Das Programm zur Firmware-Aktualisierung ist nicht installiert.", "未安装固件更新程序。", "未安裝韌體更新程式。"}}, // help menu: no updater beside the program
    {612, {"Connect the Lumeno-KV580 Pro to update its firmware.", "Schließen Sie die Lumeno-KV580 Pro an, um ihre Firmware zu aktualisieren.", "请先连接 Lumeno-KV580 Pro，再更新固件。", "請先連接 Lumeno-KV580 Pro，再更新韌體。"}}, // help menu: update without the mouse
    {613, {"Sending the settings to the mouse…", "Einstellungen werden an die Maus übertragen …", "正在将设置发送到鼠标…", "正在將設定傳送到滑鼠…"}}, // progress strip of a long write
    {614, {"OK", "OK", "确定", "確定"}}, // message box button
    {615, {"Cancel", "Abbrechen", "取消", "取消"}}, // message box button
    {616, {"The disk is full.", "Der Datenträger ist voll.", "磁盘已满。", "磁碟已滿。"}}, // why a save failed
    {617, {"You are not allowed to write there.", "Dort dürfen Sie nicht schreiben.", "没有写入该位置的权限。", "沒有寫入該位置的權限。"}}, // why a save failed
    {618, {"The folder is missing or is not a folder.", "Der Ordner fehlt oder ist kein Ordner.", "该文件夹不存在或不是文件夹。", "該資料夾不存在或不是資料夾。"}}, // why a save failed
    {619, {"A folder stands where the file belongs.", "An der Stelle der Datei steht ein Ordner.", "文件所在位置是一个文件夹。", "檔案所在位置是一個資料夾。"}}, // why a save failed
    {620, {"The system reported error %1.", "Das System meldete den Fehler %1.", "系统报告错误 %1。", "系統回報錯誤 %1。"}}, // why a save failed: any other error number
    {621, {"Lumeno-KV580 Pro is already running and waiting for the mouse. Connect the mouse to change its settings.", "Lumeno-KV580 Pro läuft bereits und wartet auf die Maus. Schließen Sie die Maus an, um ihre Einstellungen zu ändern.", "Lumeno-KV580 Pro 已在运行，正在等待鼠标。请连接鼠标后再更改设置。", "Lumeno-KV580 Pro 已在執行，正在等待滑鼠。請連接滑鼠後再變更設定。"}}, // launched again without the mouse
    {622, {"The Lumeno-KV580 Pro is connected, but you are not allowed to open it. The udev rule %1, installed with the program's package, grants access: make sure it is installed, then unplug the mouse and plug it in again.", "Die Lumeno-KV580 Pro ist angeschlossen, aber Sie haben keine Berechtigung, sie zu öffnen. Die udev-Regel %1, die mit dem Paket des Programms installiert wird, erteilt diese Berechtigung: Stellen Sie sicher, dass sie installiert ist, ziehen Sie dann die Maus ab und stecken Sie sie wieder ein.", "Lumeno-KV580 Pro 已连接，但您没有打开它的权限。程序安装包附带的 udev 规则 %1 可授予此权限：请确认该规则已安装，然后拔下鼠标并重新插入。", "Lumeno-KV580 Pro 已連接，但您沒有開啟它的權限。程式安裝套件隨附的 udev 規則 %1 可授予此權限：請確認該規則已安裝，然後拔下滑鼠並重新插入。"}}, // the mouse refuses this user: the rule's file name (%1)
    {623, {"What stands where the file belongs is no settings file (a named pipe, a device or a far too large file); it was left as it is.", "An der Stelle der Datei steht keine Einstellungsdatei (eine benannte Pipe, ein Gerät oder eine viel zu große Datei); sie wurde nicht verändert.", "文件所在位置不是设置文件（而是命名管道、设备或过大的文件），已保持原样。", "檔案所在位置不是設定檔案（而是具名管道、裝置或過大的檔案），已保持原樣。"}}, // why a save failed: not a regular file, or far too large
    {650, {"ON", "EIN", "开", "開"}}, // angle snapping: on
    {651, {"OFF", "AUS", "关", "關"}}, // angle snapping: off
    {652, {"DPI Stage Colour", "Farbe der DPI-Stufe", "DPI 档位颜色", "DPI 段位顏色"}}, // title of a DPI stage's colour chooser
    {710, {"Choose a colour", "Farbe auswählen", "选择颜色", "選擇顏色"}}, // title of the colour chooser of the lighting panes
    {720, {"New", "Neu", "新建", "新增"}}, // profile pane button
    {721, {"Delete", "Löschen", "删除", "刪除"}}, // profile pane button and menu item
    {722, {"Edit", "Umbenennen", "重命名", "重新命名"}}, // profile pane menu item: rename
    {723, {"Copy", "Kopieren", "复制", "複製"}}, // profile pane menu item
    {724, {"Load", "Laden", "导入", "匯入"}}, // profile pane menu item: import a profile file
    {725, {"Save", "Speichern", "导出", "匯出"}}, // profile pane menu item: export to a profile file
    {726, {"Up to 6 Profiles Possible.", "Höchstens 6 Profile möglich.", "最多只能有 6 个配置文件。", "最多只能有 6 個設定檔。"}}, // profile pane: a seventh profile
    {727, {"ATTENTION!", "ACHTUNG!", "注意!", "警告!"}}, // profile pane message caption
    {728, {"%1 is not a profile file of the Lumeno-KV580 Pro. Nothing was changed.", "%1 ist keine Profildatei der Lumeno-KV580 Pro. Es wurde nichts geändert.", "%1 不是 Lumeno-KV580 Pro 的配置文件，未做任何更改。", "%1 不是 Lumeno-KV580 Pro 的設定檔，未做任何變更。"}}, // import: the chosen file (%1) is missing or of the wrong size
    {729, {"The profile could not be written to %1.", "Das Profil konnte nicht in %1 geschrieben werden.", "无法将配置文件写入 %1。", "無法將設定檔寫入 %1。"}}, // export: the file (%1) could not be written
    {730, {"Load Profile", "Profil laden", "导入配置文件", "匯入設定檔"}}, // file chooser title: import
    {731, {"Save Profile", "Profil speichern", "导出配置文件", "匯出設定檔"}}, // file chooser title: export
};
// clang-format on

const std::string kEmpty;

} // namespace

const std::string& UiText::operator[](int id) const
{
    if (id < 0 || id >= kUiTextCount)
        return kEmpty;
    return entries_[static_cast<size_t>(id)];
}

void UiText::Set(int id, std::string_view text)
{
    if (id >= 0 && id < kUiTextCount)
        entries_[static_cast<size_t>(id)] = std::string(text);
}

void FillUiText(UiText& text, std::string_view languageCode)
{
    for (const auto& code : kLanguageCodes) {
        if (code.code != languageCode)
            continue;
        for (const auto& row : kTextRows)
            text.Set(row.id, row.text[code.language]);
        return;
    }
}

bool IsChineseLanguage(std::string_view languageCode) { return languageCode == "CHS" || languageCode == "CHT"; }

std::string_view MainWindowFontFace(std::string_view languageCode)
{
    return IsChineseLanguage(languageCode) ? "\u9ED1\u4F53" : "Arial";
}

} // namespace lumeno
