#include "macros/MacroPickerModel.h"

#include "MacroTestSupport.h"

#include <gtest/gtest.h>

namespace lumeno {
namespace {

using Lines = std::vector<std::string>;
using L = MacroPickerLayout;
using Click = MacroPickerModel::Click;

class PickerTest : public ::testing::Test {
protected:
    void SetUp() override { test::WriteFileBytes(file_, "[MacroName]\nMacroCount=3\n0=Fire\n1=Jump\n2=Run\n"); }
    static void ClickIn(MacroPickerModel& p, const PickerRect& r, Click expected = Click::Handled)
    {
        EXPECT_EQ(p.LeftClick(r.left + 1, r.top + 1), expected);
    }

    test::TempDir tmp_;
    std::filesystem::path file_ = tmp_.path() / "record.ini";
    ProfileIni ini_{test::TestFiles()};
    MacroLibraryFile library_{ini_, file_};
    ConfigImage image_{};
};

TEST_F(PickerTest, PresetFromAButtonThatPlaysAMacro)
{
    image_.buttonFunction[4] = kMacroButtonFunction;
    image_.macroIndex[4] = 2;
    image_.macroMode[4] = 1;
    const MacroChoice preset = MacroChoiceOfButton(image_, 4, "Macro:Run");
    EXPECT_EQ(preset.name, "Run");
    EXPECT_EQ(preset.position, 2);
    EXPECT_EQ(preset.playMode, 1);

    MacroPickerModel picker(library_, preset);
    EXPECT_FALSE(picker.ListShown());
    ClickIn(picker, L::kDropDown);
    EXPECT_TRUE(picker.ListShown());
    EXPECT_EQ(picker.ListNames(), (Lines{"Fire", "Jump", "Run"}));
    EXPECT_EQ(picker.ListSelection(), 2u);

    image_.buttonFunction[4] = 10;
    const MacroChoice none = MacroChoiceOfButton(image_, 4, "Assign Keyboard Key-A");
    EXPECT_EQ(none.position, -1);
    EXPECT_EQ(none.name, "");
    EXPECT_EQ(none.playMode, 0);
}

TEST_F(PickerTest, ChoosingTakesNameAndPositionAndHidesTheList)
{
    MacroPickerModel picker(library_, {});
    ClickIn(picker, L::kDropDown);
    EXPECT_FALSE(picker.ListSelection());
    picker.ChooseEntry(1);
    EXPECT_FALSE(picker.ListShown());
    EXPECT_EQ(picker.Choice().name, "Jump");
    EXPECT_EQ(picker.Choice().position, 1);
    ClickIn(picker, L::kModeBoxes[2]);
    EXPECT_EQ(picker.Choice().playMode, 2);
    ClickIn(picker, L::kModeTexts[1]); // only the box ticks
    EXPECT_EQ(picker.Choice().playMode, 2);
    ClickIn(picker, L::kOk, Click::Ok);
    ClickIn(picker, L::kCancel, Click::Cancel);
    ClickIn(picker, L::kClose, Click::Cancel);
}

TEST_F(PickerTest, ModeWithoutAMacroChoosesNothing)
{
    MacroPickerModel picker(library_, {});
    ClickIn(picker, L::kModeBoxes[2]);
    ClickIn(picker, L::kOk, Click::Ok);
    EXPECT_EQ(picker.Choice().position, -1);
    EXPECT_EQ(picker.Choice().playMode, 2);
}

TEST_F(PickerTest, SecondDropDownClickOrAClickElsewhereClosesTheList)
{
    MacroPickerModel picker(library_, {"Jump", 1, 0});
    ClickIn(picker, L::kDropDown);
    ClickIn(picker, L::kDropDown);
    EXPECT_FALSE(picker.ListShown());
    EXPECT_EQ(picker.Choice().name, "Jump");

    ClickIn(picker, L::kDropDown);
    EXPECT_EQ(picker.LeftClick(5, 5), Click::Handled);
    EXPECT_FALSE(picker.ListShown());
    EXPECT_EQ(picker.Choice().position, 1);
}

TEST_F(PickerTest, MissingLibraryGivesAnEmptyList)
{
    std::filesystem::remove(file_);
    MacroPickerModel picker(library_, {"Gone", 7, 9});
    EXPECT_EQ(picker.Choice().playMode, 0);
    picker.ToggleList();
    EXPECT_TRUE(picker.ListNames().empty());
    picker.ChooseEntry(0);
    EXPECT_EQ(picker.Choice().position, 7);
}

} // namespace
} // namespace lumeno
