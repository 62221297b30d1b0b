#include "settings/DpiStageEditor.h"
#include "config/ConfigImage.h"
#include "ui/SliderModel.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace lumeno {
namespace {

struct DpiEditorTest : ::testing::Test {
    DpiEditorTest()
    {
        LoadFactoryDefaults(image);
        snapshot = image;
    }
    DpiStageEditor Editor(bool hundredStep)
    {
        DpiStageEditor editor(image, snapshot);
        editor.SetStepMode(hundredStep);
        return editor;
    }
    ConfigImage image{};
    ConfigImage snapshot{};
};

struct CommitCase {
    const char* typed;
    int code;
    const char* shown; // the box's text afterwards
};

TEST_F(DpiEditorTest, HundredStepEntriesAreClampedAndTruncated)
{
    const CommitCase cases[] = {
        {"99", 1, "100"}, {"150", 1, "100"}, {"12345", 120, "12000"}, {"7300", 73, "7300"},    {"12000", 120, "12000"},
        {"0", 1, "100"},  {"x12", 1, "100"}, {"4560dpi", 45, "4500"}, {"99999", 120, "12000"},
    };
    for (const auto& c : cases) {
        auto editor = Editor(true);
        const auto commit = editor.CommitEntry(2, c.typed);
        ASSERT_TRUE(commit) << c.typed;
        EXPECT_EQ(commit->code, c.code) << c.typed;
        EXPECT_EQ(commit->text, c.shown) << c.typed;
        EXPECT_EQ(image.dpiCode100[2], c.code) << c.typed;
        EXPECT_EQ(image.dpiCode50[2], 48) << "the other encoding stays: " << c.typed;
    }
}

TEST_F(DpiEditorTest, FiftyStepEntriesUseBothHalvesOfTheEncoding)
{
    const CommitCase cases[] = {
        {"7250", 144, "7200"}, {"7300", 145, "7300"},   {"10850", 180, "10800"}, {"30", 1, "50"},
        {"50", 1, "50"},       {"99", 1, "50"},         {"100", 2, "100"},       {"7200", 144, "7200"},
        {"7399", 145, "7300"}, {"10800", 180, "10800"}, {"", 1, "50"},
    };
    for (const auto& c : cases) {
        auto editor = Editor(false);
        editor.CommitEntry(0, "seed"); // an accepted entry first, so "" counts
        const auto commit = editor.CommitEntry(4, c.typed);
        ASSERT_TRUE(commit) << c.typed;
        EXPECT_EQ(commit->code, c.code) << c.typed;
        EXPECT_EQ(commit->text, c.shown) << c.typed;
        EXPECT_EQ(image.dpiCode50[4], c.code) << c.typed;
        EXPECT_EQ(image.dpiCode100[4], 54) << "the other encoding stays: " << c.typed;
    }
}

TEST_F(DpiEditorTest, TheSameTextAsTheLastAcceptedOneChangesNothingEvenForAnotherStage)
{
    auto editor = Editor(true);
    ASSERT_TRUE(editor.CommitEntry(4, "7300"));
    EXPECT_FALSE(editor.CommitEntry(5, "7300"));
    EXPECT_EQ(image.dpiCode100[5], 72);
    EXPECT_FALSE(editor.CommitEntry(4, "7300"));
    ASSERT_TRUE(editor.CommitEntry(5, "7400"));
    EXPECT_EQ(image.dpiCode100[5], 74);
    EXPECT_EQ(editor.LastAcceptedText(), "7400");
}

TEST_F(DpiEditorTest, AnEmptyBoxIsIgnoredUntilAFirstEntryWasAcceptedThenGivesTheMinimum)
{
    auto editor = Editor(true);
    EXPECT_FALSE(editor.CommitEntry(0, ""));
    EXPECT_EQ(image.dpiCode100[0], 6);
    ASSERT_TRUE(editor.CommitEntry(0, "800"));
    const auto empty = editor.CommitEntry(1, "");
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->text, "100");
    EXPECT_EQ(image.dpiCode100[1], 1);
}

TEST_F(DpiEditorTest, AReleasedSliderSwitchesItsStageOnAndWritesTheActiveEncoding)
{
    image.stageEnabled[3] = 0;
    auto fifty = Editor(false);
    fifty.SliderReleased(3, 170);
    EXPECT_EQ(image.dpiCode50[3], 170);
    EXPECT_EQ(image.dpiCode100[3], 36);
    EXPECT_EQ(image.stageEnabled[3], 1);

    image.stageEnabled[3] = 0;
    auto hundred = Editor(true);
    hundred.SliderReleased(3, 99);
    EXPECT_EQ(image.dpiCode100[3], 99);
    EXPECT_EQ(image.dpiCode50[3], 170);
    EXPECT_EQ(image.stageEnabled[3], 1);
    EXPECT_EQ(hundred.ShownDpi(3), 9900);
}

TEST_F(DpiEditorTest, AllSevenStagesMayBeSwitchedOffAndADisabledSwatchTakesNoColour)
{
    auto editor = Editor(true);
    for (int k = 0; k < kStageCount; ++k)
        editor.ToggleStage(k);
    for (int k = 0; k < kStageCount; ++k) {
        EXPECT_EQ(image.stageEnabled[k], 0) << k;
        EXPECT_FALSE(editor.ColourChoosable(k)) << k;
    }
    editor.ToggleStage(6);
    EXPECT_EQ(image.stageEnabled[6], 1);
    EXPECT_TRUE(editor.ColourChoosable(6));
}

TEST_F(DpiEditorTest, TheEntryOpensWithTheSnapshotValueInTheActiveEncoding)
{
    snapshot.dpiCode100[1] = 16;
    snapshot.dpiCode50[1] = 150;
    EXPECT_EQ(Editor(true).OpenEntry(1), "1600");
    auto fifty = Editor(false);
    EXPECT_EQ(fifty.OpenEntry(1), "7800");
    EXPECT_EQ(fifty.OpenEntryStage(), 1);
    fifty.SliderReleased(0, 5);
    EXPECT_EQ(fifty.OpenEntryStage(), -1) << "a slider release drops the open entry";
}

TEST_F(DpiEditorTest, TheStepModeSwitchShowsEveryStageInTheHundredStepCodes)
{
    const uint8_t fifty[] = {180, 170, 150, 145, 144, 121, 1};
    std::memcpy(image.dpiCode50, fifty, sizeof(fifty));
    auto editor = Editor(false);
    EXPECT_EQ(editor.SliderMaximum(), 180);
    EXPECT_EQ(editor.StageCode(0), 180);
    EXPECT_EQ(editor.ShownDpi(0), 10800);
    editor.SetStepMode(true);
    EXPECT_EQ(editor.SliderMaximum(), 120);
    for (int k = 0; k < kStageCount; ++k) {
        EXPECT_EQ(editor.StageCode(k), image.dpiCode100[k]) << k;
        EXPECT_LE(editor.StageCode(k), 120) << k;
    }
}

TEST(DpiSliderEnds, BottomGivesOneAndTopGivesTheRangeMaximum)
{
    for (int maximum : {120, 180}) {
        SliderModel slider(SliderOrientation::Vertical,
                           {kDpiSliderRect.left, kDpiSliderRect.top, kDpiSliderRect.right, kDpiSliderRect.bottom});
        slider.SetRange(1, maximum);
        ASSERT_TRUE(slider.Press());
        EXPECT_EQ(slider.Release(kDpiSliderRect.bottom), 1) << maximum;
        ASSERT_TRUE(slider.Press());
        EXPECT_EQ(slider.Release(kDpiSliderRect.top), maximum) << maximum;
        ASSERT_TRUE(slider.Press());
        EXPECT_EQ(slider.Release(kDpiSliderRect.bottom + 40), 1) << "below the track: " << maximum;
    }
}

TEST(DpiStageGeometry, StagesStepThirtyPixelsRight)
{
    EXPECT_EQ(DpiStageRect(kDpiValueRect, 6), (PaneRect{200, 182, 225, 193}));
    EXPECT_EQ(DpiStageRect(kDpiSwatchRect, 2), (PaneRect{85, 215, 95, 225}));
    EXPECT_TRUE(DpiStageRect(kDpiToggleRect, 1).Contains(55, 202));
    EXPECT_FALSE(DpiStageRect(kDpiToggleRect, 1).Contains(65, 202));
}

} // namespace
} // namespace lumeno
