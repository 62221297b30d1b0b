#include "ui/UiText.h"

#include <gtest/gtest.h>

namespace lumeno {
namespace {

struct LanguageCase {
    const char* code;
    int id;
    const char* expected;
};

class FillUiTextTest : public ::testing::TestWithParam<LanguageCase> {};

TEST_P(FillUiTextTest, WritesTheLanguagesEntry)
{
    const auto& c = GetParam();
    UiText text;
    FillUiText(text, c.code);
    EXPECT_EQ(text[c.id], c.expected) << c.code << " entry " << c.id;
}

INSTANTIATE_TEST_SUITE_P(
    Entries, FillUiTextTest,
    ::testing::Values(
        LanguageCase{"EN", kTextCaptionSection, "Setting-EN"}, LanguageCase{"DE", kTextCaptionSection, "Setting-DE"},
        LanguageCase{"CHS", kTextCaptionSection, "Setting-CHS"},
        LanguageCase{"CHT", kTextCaptionSection, "Setting-CHT"},
        LanguageCase{"CHT", kTextProductName, "Lumeno-KV580 Pro"}, LanguageCase{"DE", kTextResetButton, "Zurücksetzen"},
        LanguageCase{"CHS", kTextAxisSensitivity, "X/Y轴设置"}, LanguageCase{"CHT", kTextPaneDpi, "DPI  設定"},
        LanguageCase{"EN", kTextWheelScreen, "Scroll One screenn"}, LanguageCase{"EN", kTextMenuScroll, "Scroll "},
        LanguageCase{"DE", kTextMouseColor, "鼠标颜色"}, LanguageCase{"CHT", kTextDpiStage1 + 6, "DPI切换到第七段 "},
        LanguageCase{"EN", kTextDpiStage1 + 7, "Switch DPI into the eight stage "},
        LanguageCase{"DE", kTextLastLeftClick, "Mindestens eine Taste muss mit der „Klick“-Funktion belegt sein."},
        LanguageCase{"EN", kTextLastLeftClick, "At least one button must be set as the \"click\" function."},
        LanguageCase{"CHS", kTextMakerAddress, "https://lumeno.example/"},
        LanguageCase{"DE", kTextMakerAddress, "https://lumeno.example/"},
        LanguageCase{"CHS", kTextMouseGone, "系统没有检测到Lumeno-KV580 Pro鼠标！"},
        LanguageCase{"EN", kTextMouseFound, "The system detect Lumeno-KV580 Pro."},
        LanguageCase{"CHT", kTextAttention, "警告!!"},
        // The note exists in English and simplified Chinese only.
        LanguageCase{"DE", kTextColourNote, ""}, LanguageCase{"CHT", kTextColourNote, ""},
        LanguageCase{"CHS", kTextColourNote, "备注：驱动中的产品颜色仅供参考，具体请以实物为准，谢谢！"}));

TEST(FillUiText, EveryEntryOfEveryLanguageIsFilledExceptTheMissingNote)
{
    const int shown[] = {0,   6,   9,   12,  13,  14,  16,  17,  18,  20,  21,  22,  23,  24,  25,  26,  27,
                         28,  29,  30,  31,  32,  33,  34,  35,  36,  42,  43,  44,  45,  46,  47,  48,  493,
                         494, 495, 496, 501, 511, 512, 513, 514, 515, 516, 518, 522, 523, 524, 526, 529, 530,
                         533, 537, 538, 539, 540, 549, 550, 551, 552, 553, 554, 555, 556, 562, 563, 564, 593,
                         594, 603, 610, 611, 612, 613, 614, 615, 616, 617, 618, 619, 620, 621, 622, 623, 650,
                         651, 652, 710, 720, 721, 722, 723, 724, 725, 726, 727, 728, 729, 730, 731};
    for (const char* code : {"EN", "DE", "CHS", "CHT"}) {
        UiText text;
        FillUiText(text, code);
        int filled = 0;
        for (int id = 0; id < kUiTextCount; ++id)
            filled += text[id].empty() ? 0 : 1;
        const bool hasNote = std::string_view(code) == "EN" || std::string_view(code) == "CHS";
        EXPECT_EQ(filled, int(std::size(shown)) - (hasNote ? 0 : 1)) << code;
        for (int id : shown) {
            if (id != kTextColourNote) {
                EXPECT_FALSE(text[id].empty()) << code << " entry " << id;
            }
        }
    }
}

TEST(FillUiText, UnknownOrLowerCaseCodeLeavesEveryEntryEmpty)
{
    for (const char* code : {"en", "", "FR", "CHS ", "De"}) {
        UiText text;
        FillUiText(text, code);
        for (int id = 0; id < kUiTextCount; ++id)
            ASSERT_TRUE(text[id].empty()) << "'" << code << "' entry " << id;
    }
}

TEST(UiText, OutOfRangeEntriesReadEmpty)
{
    UiText text;
    FillUiText(text, "EN");
    EXPECT_TRUE(text[-1].empty());
    EXPECT_TRUE(text[kUiTextCount].empty());
}

TEST(UiText, ChineseLanguagesGetTheChineseFace)
{
    EXPECT_TRUE(IsChineseLanguage("CHS"));
    EXPECT_TRUE(IsChineseLanguage("CHT"));
    EXPECT_FALSE(IsChineseLanguage("chs"));
    EXPECT_FALSE(IsChineseLanguage("EN"));
    EXPECT_EQ(MainWindowFontFace("CHT"), "\u9ED1\u4F53");
    EXPECT_EQ(MainWindowFontFace("DE"), "Arial");
    EXPECT_EQ(MainWindowFontFace(""), "Arial");
}

} // namespace
} // namespace lumeno
