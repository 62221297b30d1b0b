#include "buttons/KeyCaptureModel.h"

#include "buttons/KeyTables.h"

#include <cstdio>

namespace lumeno {

namespace {

constexpr KeyCaptureTexts kSimplifiedChineseTexts{"确定", "取消", "请输入一个按键", "黑体", 13};
constexpr KeyCaptureTexts kTraditionalChineseTexts{"確定", "取消", "請指派一個鍵盤按鍵", "黑体", 13};
constexpr KeyCaptureTexts kGermanTexts{"OK", "Abbrechen", "Bitte wählen Sie eine Taste aus.", "Arial", 14};
constexpr KeyCaptureTexts kEnglishTexts{"Ok", "Cancel", "Please assign a key", "Arial", 14};

} // namespace

KeyCaptureTexts KeyCaptureTextsFor(std::string_view languageCode)
{
    if (languageCode == "CHS")
        return kSimplifiedChineseTexts;
    if (languageCode == "CHT")
        return kTraditionalChineseTexts;
    if (languageCode == "DE")
        return kGermanTexts;
    return kEnglishTexts;
}

CapturedKey CaptureKeyEvent(const KeyboardEvent& event)
{
    const uint32_t flags = event.flags & (kKeyFlagExtended | kKeyFlagUp);
    char line[96];
    std::snprintf(line, sizeof line, "vk code=%x,scan code=%x,key flag=%x\n", unsigned(event.virtualKey),
                  unsigned(event.scanCode), unsigned(flags));
    CapturedKey key;
    key.virtualKey = VirtualKeyOfEvent(event.virtualKey, (flags & kKeyFlagExtended) != 0);
    key.name = std::string(KeyNameByVirtualKey(key.virtualKey));
    key.debugLine = line;
    return key;
}

} // namespace lumeno
