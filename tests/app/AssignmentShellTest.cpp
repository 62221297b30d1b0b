// The assignment menu through the shell: a click on a box, the guard, the
// chosen command stored, shown, saved and sent to the virtual mouse.
#include "MainWindowFixture.h"

#include "buttons/AssignmentMenu.h"
#include "buttons/MacroChoice.h"
#include "ui/BitmapBtn.h"

#include <QTest>

#include <gtest/gtest.h>

namespace lumeno::test {
namespace {

struct AssignmentShellTest : MainWindowFixture, ::testing::Test {
    CMouseConfigurationDlg& Open(const std::string& language = "EN")
    {
        SeedProfile(language);
        auto& s = Start(language);
        s.RestoreFromTray();
        // Opening the window sends the lighting: the test's own traffic
        // starts once that is through.
        EXPECT_TRUE(Settle());
        QTest::mouseClick(s.Window().AssignmentHeaderButton(), Qt::LeftButton);
        return s.Window();
    }
    // Clicks the box and lets the menu, its command and the write run.
    void Choose(int buttonIndex, int command)
    {
        dialogs.menuChoice = command;
        QTest::mouseClick(shell->Window().AssignmentBox(buttonIndex), Qt::LeftButton);
        ASSERT_TRUE(Settle());
        ASSERT_TRUE(Settle());
    }
    std::array<uint8_t, 4> CodeAt(int mapPosition) const
    {
        const auto map = mouse.State().buttonMap;
        return {map[size_t(mapPosition) * 4], map[size_t(mapPosition) * 4 + 1], map[size_t(mapPosition) * 4 + 2],
                map[size_t(mapPosition) * 4 + 3]};
    }
    size_t Reports() const { return mouse.Traffic().size(); }
};

TEST_F(AssignmentShellTest, CopySendsItsCodeAtThatButtonsPositionAndSavesTheCaption)
{
    auto& w = Open();
    Choose(4, kCommandBasicFirst + 2); // Button 4 (buttonIndex 4) sits at map position 3
    ASSERT_EQ(dialogs.menus.size(), 1u);
    const CBitmapBtn* box = w.AssignmentBox(4);
    EXPECT_EQ(dialogs.menuAnchors[0], box->mapToGlobal(QPoint(box->width() + 5, 0)));
    EXPECT_EQ(CodeAt(3), (std::array<uint8_t, 4>{0x00, 0x06, 0xE0, 0x01}));
    EXPECT_EQ(CodeAt(4), (std::array<uint8_t, 4>{0x00, 0x00, 0x04, 0x0C})) << "Button 5 keeps Fn";
    EXPECT_EQ(ctx.image.buttonFunction[4], 8);
    EXPECT_EQ(ctx.image.ctrlKeyUsage[4], 0x06);
    EXPECT_EQ(box->Caption(), "Copy");
    EXPECT_EQ(ctx.ini.ReadString(dataDir / "str0.ini", "Setting-EN", "Item5"), "Copy");
    EXPECT_EQ(ctx.snapshot.buttonFunction[4], 8);
    EXPECT_EQ(w.HighlightedButton(), -1) << "the picture is repainted without highlight";
    EXPECT_FALSE(box->IsToggleChecked());
}

TEST_F(AssignmentShellTest, CaptionsInTheLanguageOfTheProfile)
{
    auto& w = Open("CHT");
    Choose(5, kCommandMultimediaFirst + 4);
    EXPECT_EQ(w.AssignmentBox(5)->Caption(), "播放/暫停");
    EXPECT_EQ(ctx.ini.ReadString(dataDir / "str0.ini", "Setting-CHT", "Item6"), "播放/暫停");
    EXPECT_EQ(CodeAt(5), (std::array<uint8_t, 4>{0x00, 0xCD, 0x00, 0x04}));
}

TEST_F(AssignmentShellTest, TheLastClickRefusesItsMenuUntilAnotherButtonClicks)
{
    auto& w = Open();
    QTest::mouseClick(w.AssignmentBox(0), Qt::LeftButton);
    ASSERT_TRUE(Settle());
    EXPECT_TRUE(dialogs.menus.empty());
    ASSERT_EQ(dialogs.captioned.size(), 1u);
    EXPECT_EQ(dialogs.captioned[0].first, "ATTENTION!!");
    EXPECT_EQ(dialogs.captioned[0].second, "At least one button must be set as the \"click\" function.");
    EXPECT_EQ(w.HighlightedButton(), -1);
    EXPECT_FALSE(w.AssignmentBox(0)->IsToggleChecked());

    Choose(6, kCommandClick);
    Choose(0, kCommandForward);
    EXPECT_EQ(dialogs.menus.size(), 2u);
    EXPECT_EQ(CodeAt(0), (std::array<uint8_t, 4>{0x00, 0xF4, 0x00, 0x02}));
    EXPECT_EQ(CodeAt(6), (std::array<uint8_t, 4>{0x00, 0xF0, 0x00, 0x02}));
}

TEST_F(AssignmentShellTest, KeyCaptureAssignsTheKeyAndAnEmptyAnswerSendsNothing)
{
    auto& w = Open();
    dialogs.keyAnswer = "";
    const size_t before = Reports();
    Choose(2, kCommandKeyboardKey);
    EXPECT_EQ(dialogs.keyPresets, std::vector<std::string>{""});
    EXPECT_EQ(Reports(), before) << "nothing is sent";
    EXPECT_EQ(ctx.image.buttonFunction[2], 2);

    dialogs.keyAnswer = "F5";
    Choose(2, kCommandKeyboardKey);
    EXPECT_EQ(CodeAt(2), (std::array<uint8_t, 4>{0x00, 0x3E, 0x00, 0x01}));
    EXPECT_EQ(w.AssignmentBox(2)->Caption(), "Assign Keyboard Key-F5");

    // Opened again it offers the stored key; Cancel re-sends the unchanged map.
    dialogs.keyOk = false;
    const size_t beforeCancel = Reports();
    Choose(2, kCommandKeyboardKey);
    EXPECT_EQ(dialogs.keyPresets.back(), "F5");
    EXPECT_GT(Reports(), beforeCancel);
    EXPECT_EQ(CodeAt(2), (std::array<uint8_t, 4>{0x00, 0x3E, 0x00, 0x01}));
}

// Cancel keeps the button's function; the map is still written, unchanged.
TEST_F(AssignmentShellTest, ACancelledMacroPickerKeepsTheButton)
{
    struct Cancelling final : MacroChooser {
        bool Choose(const MacroChoice&, MacroChoice&) override
        {
            ++asked;
            return false;
        }
        int asked = 0;
    } picker;
    macros = &picker;
    Open();
    const size_t before = Reports();
    Choose(3, kCommandMacro);
    EXPECT_EQ(picker.asked, 1);
    EXPECT_EQ(ctx.image.buttonFunction[3], 17);
    EXPECT_GT(Reports(), before);
}

TEST_F(AssignmentShellTest, VersionInTheHelpMenuResendsTheUnchangedMap)
{
    auto& w = Open();
    Choose(5, kCommandDpiFirst + 2);
    const auto image = ctx.image;
    mouse.ClearTraffic();
    shell->OnHelpCommand(HelpCommand::Version);
    ASSERT_TRUE(Settle());
    EXPECT_FALSE(mouse.Traffic().empty());
    EXPECT_TRUE(std::equal(image.Bytes().begin(), image.Bytes().end(), ctx.image.Bytes().begin()));
    EXPECT_EQ(CodeAt(5), (std::array<uint8_t, 4>{0x00, 0x00, 0x03, 0x08}));
    EXPECT_EQ(w.AssignmentBox(5)->Caption(), "DPI Loop");
}

TEST_F(AssignmentShellTest, ButtonTwosMenuHasNoFn)
{
    Open();
    Choose(1, 0);
    Choose(2, 0);
    ASSERT_EQ(dialogs.menus.size(), 2u);
    auto hasFn = [](const AssignmentMenuContent& m) {
        return std::any_of(m.items.begin(), m.items.end(), [](const auto& item) { return item.id == kCommandFn; });
    };
    EXPECT_FALSE(hasFn(dialogs.menus[0]));
    EXPECT_TRUE(hasFn(dialogs.menus[1]));
}

} // namespace
} // namespace lumeno::test
