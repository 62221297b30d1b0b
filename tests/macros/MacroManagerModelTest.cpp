#include "MacroTestSupport.h"

#include "buttons/KeyTables.h"
#include "macros/MacroLine.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace lumeno {
namespace {

using Lines = std::vector<std::string>;

class ManagerTest : public ::testing::Test, protected test::ManagerFixture {
protected:
    void SetUp() override { WriteLibrary(test::kTwoMacros); }

    // Binds button b to macro `index` the way the assignment menu does.
    void Bind(int b, uint8_t index, const std::string& name)
    {
        image.buttonFunction[b] = kMacroButtonFunction;
        image.macroIndex[b] = index;
        captions[size_t(b)] = "Macro:" + name;
    }
    // A library of n macros named M0..M<n-1>, each one press of its own key.
    void WriteNumbered(int n)
    {
        std::string text = "[MacroName]\nMacroCount=" + std::to_string(n) + "\n";
        for (int i = 0; i < n; ++i)
            text += std::to_string(i) + "=M" + std::to_string(i) + "\n";
        for (int i = 0; i < n; ++i)
            text += "[M" + std::to_string(i) +
                    "]\nDelayTimeSelStatus=0\nMacroLoopTimes=1\n"
                    "ItemCount=1\nItem0=" +
                    std::string(1, char('A' + i)) + "   Dn\n";
        WriteLibrary(text);
    }
};

TEST_F(ManagerTest, OpeningSelectsTheFirstMacro)
{
    Open();
    EXPECT_EQ(model.Names(), (Lines{"Macro_1", "Macro_2"}));
    EXPECT_EQ(model.SelectedMacro(), 0u);
    EXPECT_EQ(model.Lines(), (Lines{"A   Dn", "120 ms", "A   Up"}));
    EXPECT_TRUE(model.DelayOption());
    EXPECT_EQ(model.LoopText(), "3");
    EXPECT_TRUE(model.LoopOption());
    EXPECT_TRUE(model.LoopFieldEnabled());

    model.SelectMacro(1);
    EXPECT_FALSE(model.DelayOption());
    EXPECT_FALSE(model.LoopOption());
    EXPECT_FALSE(model.LoopFieldEnabled());
}

TEST_F(ManagerTest, EmptyOrMissingLibraryOpensEmpty)
{
    std::filesystem::remove(file);
    Open();
    EXPECT_TRUE(model.Names().empty());
    EXPECT_FALSE(model.SelectedMacro());
    EXPECT_FALSE(model.LoopFieldEnabled());
    EXPECT_FALSE(model.StartRecording().started);
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST_F(ManagerTest, LoopCountRule)
{
    WriteLibrary("[MacroName]\nMacroCount=1\n0=NoLoops\n[NoLoops]\nItemCount=1\nItem0=A   Dn\n");
    Open();
    EXPECT_EQ(model.LoopText(), "1");
    EXPECT_EQ(Stored("NoLoops").loopTimes, "1"); // written at once

    struct Case {
        const char* typed;
        const char* shown;
    } const cases[] = {{"70000", "1"}, {"007", "7"}, {"0", "1"}, {"", "1"}, {"65535", "65535"}};
    for (const auto& c : cases) {
        model.SetLoopCountText(c.typed);
        EXPECT_EQ(model.LoopText(), c.shown) << c.typed;
        EXPECT_EQ(Stored("NoLoops").loopTimes, c.shown) << c.typed;
    }
    // Unticking the option disables the field but keeps the count.
    model.ToggleLoopOption();
    EXPECT_TRUE(model.LoopOption());
    model.ToggleLoopOption();
    EXPECT_FALSE(model.LoopFieldEnabled());
    EXPECT_EQ(model.LoopText(), "65535");
}

TEST_F(ManagerTest, InsertClicks)
{
    Open();
    model.ClickLine(0); // "A   Dn"
    ASSERT_TRUE(model.OpenContextMenu());
    model.InsertClick(MouseClickKind::Left);
    EXPECT_EQ(model.Lines(), (Lines{"A   Dn", "L-Button   Dn", "L-Button   Up", "120 ms", "A   Up"}));
    EXPECT_EQ(model.SelectedLine(), 2u);
    EXPECT_EQ(Stored("Macro_1").lines, model.Lines());

    model.ClickLine(3); // "120 ms"
    model.InsertClick(MouseClickKind::Right);
    EXPECT_EQ(model.Lines()[4], "R-Button   Dn");
    EXPECT_EQ(model.Lines()[5], "R-Button   Up");
    EXPECT_EQ(model.SelectedLine(), 4u);
    model.InsertClick(MouseClickKind::Middle);
    EXPECT_EQ(model.Lines()[5], "M-Button   Dn");
}

TEST_F(ManagerTest, InsertDelayNeedsTwoKeyLines)
{
    Open();
    model.SelectMacro(1); // L-Button Dn, L-Button Up
    model.ClickLine(0);
    model.InsertDelay();
    EXPECT_EQ(model.Lines().size(), 2u) << "not before the first line";

    model.ClickLine(1);
    model.InsertDelay();
    EXPECT_EQ(model.Lines(), (Lines{"L-Button   Dn", "50 ms", "L-Button   Up"}));
    EXPECT_EQ(model.SelectedLine(), 2u);
    EXPECT_EQ(Stored("Macro_2").lines, model.Lines());

    model.InsertDelay(); // the line above is a delay
    model.ClickLine(1);
    model.InsertDelay(); // a delay is selected
    EXPECT_EQ(model.Lines().size(), 3u);
}

TEST_F(ManagerTest, DeleteLineRemovesOnlyThatLine)
{
    Open();
    model.ClickLine(0);
    model.DeleteLine();
    EXPECT_EQ(model.Lines(), (Lines{"120 ms", "A   Up"}));
    EXPECT_FALSE(model.SelectedLine());
    EXPECT_FALSE(model.OpenContextMenu());
    EXPECT_EQ(Stored("Macro_1").lines, model.Lines());
}

TEST_F(ManagerTest, SecondClickOnADelayEditsIt)
{
    Open();
    EXPECT_FALSE(model.ClickLine(1));
    EXPECT_TRUE(model.ClickLine(1));
    model.EndDelayEdit("250");
    EXPECT_EQ(model.Lines()[1], "250 ms");
    EXPECT_EQ(Stored("Macro_1").lines[1], "250 ms");
    EXPECT_EQ(pacer.Now(), kMacroWritePause);

    EXPECT_TRUE(model.ClickLine(1));
    model.EndDelayEdit("99999999999");
    EXPECT_EQ(model.Lines()[1], "65535 ms");
    EXPECT_TRUE(model.ClickLine(1));
    model.EndDelayEdit("");
    EXPECT_EQ(model.Lines()[1], "0 ms");
    EXPECT_TRUE(model.ClickLine(1));
    model.EndDelayEdit(std::nullopt);
    EXPECT_EQ(model.Lines()[1], "0 ms");

    EXPECT_FALSE(model.ClickLine(0)); // key lines never open the editor
    EXPECT_FALSE(model.ClickLine(0));
}

TEST_F(ManagerTest, NewMacroTakesTheNextFreeNameAndIsKept)
{
    Open();
    ASSERT_EQ(model.New(), MacroManagerModel::AddResult::Added);
    EXPECT_EQ(model.Names().back(), "Macro_3");
    EXPECT_EQ(model.SelectedMacro(), 2u);
    EXPECT_TRUE(model.Lines().empty());
    EXPECT_EQ(model.LoopText(), "1");
    EXPECT_EQ(Stored("Macro_3").loopTimes, "1");
    model.Cancel();
    EXPECT_EQ(StoredNames(), (Lines{"Macro_1", "Macro_2", "Macro_3"}));
}

TEST_F(ManagerTest, FirstMacroCreatesTheLibrary)
{
    std::filesystem::remove(file);
    Open();
    ASSERT_EQ(model.New(), MacroManagerModel::AddResult::Added);
    EXPECT_EQ(model.Names(), Lines{"Macro_1"});
    ASSERT_TRUE(model.StartRecording().started);
    Tap(0x41, 30);
    model.StopRecording();
    EXPECT_EQ(Text(), "[MacroName]\nMacroCount=1\n0=Macro_1\n[Macro_1]\nDelayTimeSelStatus=0\n"
                      "MacroLoopTimes=1\nItemCount=2\nItem0=A   Dn\nItem1=A   Up\n");
}

TEST_F(ManagerTest, ThirteenthMacroIsRefused)
{
    WriteNumbered(12);
    Open();
    EXPECT_EQ(model.New(), MacroManagerModel::AddResult::LimitReached);
    EXPECT_EQ(model.Names().size(), 12u);
}

TEST_F(ManagerTest, DeletingABoundMacroDoesNothing)
{
    Bind(5, 1, "Macro_2");
    Open();
    model.SelectMacro(1);
    EXPECT_EQ(model.Delete(), MacroManagerModel::DeleteResult::Bound);
    EXPECT_EQ(StoredNames(), (Lines{"Macro_1", "Macro_2"}));

    // Bound by position too, when the caption still shows an older name.
    captions[5] = "Macro:Renamed long ago";
    Open();
    model.SelectMacro(1);
    EXPECT_EQ(model.Delete(), MacroManagerModel::DeleteResult::Bound);
}

TEST_F(ManagerTest, DeletingTheOnlyMacroEmptiesTheLibrary)
{
    WriteNumbered(1);
    Open();
    EXPECT_EQ(model.Delete(), MacroManagerModel::DeleteResult::Deleted);
    EXPECT_EQ(Text(), "[MacroName]\nMacroCount=0\n0=\n");
    EXPECT_FALSE(model.SelectedMacro());
    EXPECT_TRUE(model.Lines().empty());
    EXPECT_EQ(model.Delete(), MacroManagerModel::DeleteResult::NothingSelected);
}

TEST_F(ManagerTest, DeletionKeepsLaterBindingsOnTheirMacros)
{
    WriteNumbered(5);
    Bind(0, 0, "M0");
    Bind(3, 3, "M3");
    Bind(6, 4, "M4");
    image.buttonFunction[1] = 10; // a key button whose macroIndex byte is stale
    image.macroIndex[1] = 4;
    Open();
    model.SelectMacro(2);
    ASSERT_EQ(model.Delete(), MacroManagerModel::DeleteResult::Deleted);
    EXPECT_EQ(model.Names(), (Lines{"M0", "M1", "M3", "M4"}));
    EXPECT_EQ(model.SelectedMacro(), 2u);
    EXPECT_EQ(model.Lines(), Lines{"D   Dn"});
    EXPECT_EQ(image.macroIndex[0], 0);
    EXPECT_EQ(image.macroIndex[3], 2);
    EXPECT_EQ(image.macroIndex[6], 3);
    EXPECT_EQ(image.macroIndex[1], 4);
    EXPECT_TRUE(model.BindingsRepointed());
    EXPECT_TRUE(Stored("M2").lines.empty());
    EXPECT_EQ(StoredNames(), model.Names());

    // Deleting the last macro selects the new last one.
    model.SelectMacro(3);
    image.buttonFunction[6] = 0;
    captions[6] = "Click";
    Open();
    model.SelectMacro(3);
    ASSERT_EQ(model.Delete(), MacroManagerModel::DeleteResult::Deleted);
    EXPECT_EQ(model.SelectedMacro(), 2u);
}

TEST_F(ManagerTest, RenameMovesTheSectionAndRefusesClashes)
{
    Open();
    ASSERT_EQ(model.BeginRename(), "Macro_1");
    model.EndRename("Fire");
    EXPECT_EQ(model.Names()[0], "Fire");
    EXPECT_EQ(StoredNames(), (Lines{"Fire", "Macro_2"}));
    EXPECT_EQ(Stored("Fire").lines, (Lines{"A   Dn", "120 ms", "A   Up"}));
    EXPECT_EQ(Text().find("[Macro_1]"), std::string::npos);

    for (const char* refused : {"Macro_2", "MACRO_2", "", "MacroName", "a[b", "x\ny"}) {
        model.BeginRename();
        model.EndRename(refused);
        EXPECT_EQ(model.Names()[0], "Fire") << refused;
    }
    model.BeginRename();
    model.EndRename(std::nullopt);
    EXPECT_EQ(StoredNames(), (Lines{"Fire", "Macro_2"}));
    EXPECT_EQ(Stored("Fire").loopTimes, "3");
    EXPECT_EQ(Stored("Macro_2").lines, (Lines{"L-Button   Dn", "L-Button   Up"}));
}

TEST_F(ManagerTest, RenamedEmptyMacroKeepsAnEmptySection)
{
    Open();
    model.New();
    model.BeginRename();
    model.EndRename("Blank");
    EXPECT_NE(Text().find("[Blank]\nDelayTimeSelStatus=0\nMacroLoopTimes=1\nItemCount=0\n"), std::string::npos);
    EXPECT_EQ(Text().find("[Macro_3]"), std::string::npos);
}

TEST_F(ManagerTest, OkEncodesTheLibraryAndCancelDoesNot)
{
    Open();
    model.ClickLine(1);
    model.ClickLine(1);
    model.EndDelayEdit("300");
    const ManagerMacroCopy& copy = model.Ok();
    EXPECT_EQ(std::vector<uint8_t>(copy[0].begin(), copy[0].begin() + 8),
              (std::vector<uint8_t>{0x00, 0x03, 0x32, 0x04, 0xFF, 0x04, 0x01, 0x2C}));
    EXPECT_EQ(copy[1][3], 0xF0);
    EXPECT_EQ(copy[2][0], 0);

    WriteNumbered(1);
    Open();
    model.Cancel();
    EXPECT_EQ(model.EncodedCopy()[1][3], 0xF0) << "the copy is only refreshed by OK";
}

TEST_F(ManagerTest, ActionsStopARunningRecording)
{
    Open();
    const auto run = [&] {
        ASSERT_TRUE(model.StartRecording().started);
        Tap(0x42, 20);
    };
    run();
    model.ToggleLoopOption();
    EXPECT_FALSE(model.Recording());
    EXPECT_EQ(Stored("Macro_1").lines, (Lines{"B   Dn", "20 ms", "B   Up"}));
    run();
    model.ToggleRecording();
    EXPECT_FALSE(model.Recording());
    run();
    model.Ok();
    EXPECT_FALSE(hook.installed);
    run();
    model.Cancel();
    EXPECT_FALSE(hook.installed);
}

TEST(ManagerKeyFilter, SwallowsTheKeysThatWouldCloseTheDialog)
{
    using K = KeyMessageKind;
    for (const K kind : {K::KeyDown, K::KeyUp, K::SystemKeyDown, K::SystemKeyUp}) {
        for (const uint32_t vk : {kVkEnter, kVkSpace, kVkEscape, kVkF1, kVkLeftWindows, kVkRightWindows})
            EXPECT_TRUE(ManagerDiscardsKey(kind, vk)) << vk;
        EXPECT_FALSE(ManagerDiscardsKey(kind, 0x41));
        EXPECT_FALSE(ManagerDiscardsKey(kind, 0x09)); // Tab ends an edit
    }
    EXPECT_TRUE(ManagerDiscardsKey(K::Other, kVkLeftWindows));
    EXPECT_FALSE(ManagerDiscardsKey(K::Other, kVkEnter));
}

} // namespace
} // namespace lumeno
