// What a hook event shows and logs in the key capture, and the dialog's
// texts by language.
#include "buttons/KeyCaptureModel.h"

#include <gtest/gtest.h>

namespace lumeno {
namespace {

struct EventCase {
    KeyboardEvent event;
    const char* name;
    const char* line;
};

TEST(CaptureKeyEvent, NamesTheKeyAndLogsItsThreeValues)
{
    const EventCase cases[] = {
        {{0x5B, 0x5B, kKeyFlagExtended}, "Left Windows", "vk code=5b,scan code=5b,key flag=1\n"},
        {{0x0D, 0x1C, kKeyFlagExtended}, "Num Enter", "vk code=d,scan code=1c,key flag=1\n"},
        {{0x0D, 0x1C, 0}, "Enter", "vk code=d,scan code=1c,key flag=0\n"},
        {{0x0D, 0x1C, kKeyFlagExtended | kKeyFlagUp}, "Num Enter", "vk code=d,scan code=1c,key flag=81\n"},
        {{0xA0, 0x2A, kKeyFlagUp}, "Shift", "vk code=a0,scan code=2a,key flag=80\n"},
        {{0x1B, 0x01, 0}, "Esc", "vk code=1b,scan code=1,key flag=0\n"},
        {{0xE2, 0x56, 0}, "", "vk code=e2,scan code=56,key flag=0\n"},
        // Only the extended and up bits are kept.
        {{0x41, 0x1E, 0x10 | 0x20}, "A", "vk code=41,scan code=1e,key flag=0\n"},
    };
    for (const EventCase& c : cases) {
        const CapturedKey key = CaptureKeyEvent(c.event);
        EXPECT_EQ(key.name, c.name) << c.line;
        EXPECT_EQ(key.debugLine, c.line);
    }
}

TEST(KeyCaptureTexts, ByLanguageWithEnglishForEveryOtherCode)
{
    struct Case {
        const char* code;
        const char* ok;
        const char* cancel;
        const char* title;
        const char* face;
        int height;
    };
    const Case cases[] = {
        {"CHS", "确定", "取消", "请输入一个按键", "黑体", 13},
        {"CHT", "確定", "取消", "請指派一個鍵盤按鍵", "黑体", 13},
        {"DE", "OK", "Abbrechen", "Bitte wählen Sie eine Taste aus.", "Arial", 14},
        {"EN", "Ok", "Cancel", "Please assign a key", "Arial", 14},
        {"en", "Ok", "Cancel", "Please assign a key", "Arial", 14},
        {"", "Ok", "Cancel", "Please assign a key", "Arial", 14},
    };
    for (const Case& c : cases) {
        const KeyCaptureTexts t = KeyCaptureTextsFor(c.code);
        EXPECT_EQ(t.ok, c.ok) << c.code;
        EXPECT_EQ(t.cancel, c.cancel) << c.code;
        EXPECT_EQ(t.title, c.title) << c.code;
        EXPECT_EQ(t.fontFace, c.face) << c.code;
        EXPECT_EQ(t.fontHeight, c.height) << c.code;
    }
}

} // namespace
} // namespace lumeno
