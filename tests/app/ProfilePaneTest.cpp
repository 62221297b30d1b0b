// The profile pane over the main window, offscreen: what it covers and gives
// back, the controls it disables while open, its buttons, keys, rename and
// menu, and the requests it makes of the shell.
#include "MainWindowFixture.h"

#include "app/ProfileFileChooser.h"
#include "app/SettingsPanes.h"
#include "config/ConfigDialog.h"
#include "config/ConfigFiles.h"
#include "config/IniKeys.h"
#include "config/ProfileListFile.h"
#include "config/ProfileSettings.h"
#include "device/CommandSet.h"
#include "ui/BitmapBtn.h"
#include "ui/DMarker.h"
#include "ui/LBEditorWnd.h"
#include "ui/ListBoxPro.h"

#include <QTest>

#include <gtest/gtest.h>

namespace lumeno {
namespace {

using test::MainWindowFixture;
using Names = std::vector<std::string>;

// Answers the file chooser with the names a test gives.
class ScriptedChooser final : public ProfileFileChooser {
public:
    std::optional<std::filesystem::path> ChooseImport(QWidget*, const std::filesystem::path& start) override
    {
        starts.push_back(start);
        return importFile;
    }
    std::optional<std::filesystem::path> ChooseExport(QWidget*, const std::filesystem::path& start) override
    {
        starts.push_back(start);
        return exportFile;
    }
    std::optional<std::filesystem::path> importFile;
    std::optional<std::filesystem::path> exportFile;
    std::vector<std::filesystem::path> starts;
};

struct ProfilePaneTest : MainWindowFixture, ::testing::Test {
    ProfilePaneTest()
    {
        dialogs.makeProfilePane = [this](QWidget* parent) {
            auto* pane = new CConfigDialog(skin, text, ctx.languageCode, parent);
            pane->SetMessageHandler([this](const QString& caption, const QString& message) {
                paneMessages.push_back(caption + " | " + message);
            });
            return pane;
        };
        profileFiles = &chooser;
    }

    // Profiles with their own first DPI stage (10, 20, ...), the given one current.
    void SeedProfiles(const Names& names, int current)
    {
        const auto list = dataDir / "str.ini";
        ctx.ini.WriteString(list, kSkinsSection, kLanguageKey, "EN");
        ctx.ini.WriteString(list, kProfileSection, kCurProfileNameKey, names[size_t(current)]);
        ctx.ini.WriteString(list, kProfileSection, kItemCountKey, std::to_string(names.size()));
        for (size_t i = 0; i < names.size(); ++i) {
            ctx.ini.WriteString(list, kProfileSection, ItemKey(int(i)), names[i]);
            LoadFactoryDefaults(ctx.image);
            ctx.image.dpiCode100[0] = uint8_t(10 * (i + 1));
            ctx.currentProfileNumber = uint8_t(i);
            SaveConfigFile(ctx);
            const auto settings = dataDir / SettingsFileName(int(i));
            ctx.ini.WriteString(settings, kSkinsSection, kLanguageKey, "EN");
            ctx.ini.WriteString(settings, kProfileSection, kIsDefaultKey, "Y");
            ctx.ini.WriteString(settings, "Setting-EN", "Item1", "caption of " + names[i]);
        }
        ctx.currentProfileNumber = 0;
    }

    CConfigDialog* OpenPane()
    {
        // The window takes input once the lighting it sent on opening is through.
        EXPECT_TRUE(Settle());
        auto& w = shell->Window();
        QTest::mouseClick(w.ProfileButton(), Qt::LeftButton);
        return qobject_cast<CConfigDialog*>(w.ProfilePane());
    }

    QStringList ListTexts(CConfigDialog* pane) const
    {
        QStringList texts;
        for (int i = 0; i < pane->List()->count(); ++i)
            texts << pane->List()->item(i)->text();
        return texts;
    }

    void ClickRow(CConfigDialog* pane, int row)
    {
        QTest::mouseClick(pane->List()->viewport(), Qt::LeftButton, {}, pane->List()->ItemRect(row).center());
    }

    ScriptedChooser chooser;
    std::vector<QString> paneMessages;
};

TEST_F(ProfilePaneTest, OpensOverTheLeftColumnWithTheListAndDisablesTheSettingsAndReset)
{
    SeedProfiles({"Game", "Work", "Office"}, 1);
    auto& s = Start();
    auto& w = s.Window();
    s.RestoreFromTray();
    w.ToggleAssignmentSection();
    w.ToggleAxisSection();
    ASSERT_TRUE(w.AssignmentBox(0)->isVisible());

    CConfigDialog* pane = OpenPane();
    ASSERT_NE(pane, nullptr);
    EXPECT_TRUE(pane->isVisible());
    EXPECT_EQ(pane->geometry(), QRect(kProfilePanePosition, kProfilePaneSize));
    EXPECT_EQ(ListTexts(pane), (QStringList{"Game", "Work", "Office"}));
    EXPECT_EQ(pane->List()->currentRow(), 1);
    EXPECT_EQ(pane->NewButton()->Caption(), "New");
    EXPECT_EQ(pane->DeleteButton()->Caption(), "Delete");
    // Covered controls are hidden.
    for (auto* header : {w.AssignmentHeaderButton(), w.MacroHeaderButton(), w.AxisHeaderButton()})
        EXPECT_FALSE(header->isVisible());
    EXPECT_FALSE(w.AssignmentBox(0)->isVisible());
    EXPECT_FALSE(w.XSlider()->isVisible());
    EXPECT_FALSE(w.SettingsColumn()->isEnabled());
    EXPECT_FALSE(w.ResetButton()->isEnabled());

    // Opening again makes no second pane.
    QTest::mouseClick(w.ProfileButton(), Qt::LeftButton);
    EXPECT_EQ(dialogs.profilePanes, 1);
    EXPECT_EQ(w.ProfilePane(), pane);

    QTest::mouseClick(pane->CloseButton(), Qt::LeftButton);
    ASSERT_TRUE(Settle());
    EXPECT_EQ(w.ProfilePane(), nullptr);
    for (auto* header : {w.AssignmentHeaderButton(), w.MacroHeaderButton(), w.AxisHeaderButton()})
        EXPECT_TRUE(header->isVisible());
    EXPECT_TRUE(w.AssignmentBox(0)->isVisible());
    EXPECT_TRUE(w.XSlider()->isVisible());
    EXPECT_TRUE(w.SettingsColumn()->isEnabled());
    EXPECT_TRUE(w.ResetButton()->isEnabled());
}

TEST_F(ProfilePaneTest, EveryWayThePaneClosesEnablesTheSettingsAndResetAgain)
{
    SeedProfiles({"Game"}, 0);
    auto& s = Start();
    auto& w = s.Window();
    s.RestoreFromTray();

    struct Way {
        const char* what;
        std::function<void(CConfigDialog*)> close;
    };
    const Way ways[] = {
        {"close button", [](CConfigDialog* pane) { QTest::mouseClick(pane->CloseButton(), Qt::LeftButton); }},
        {"after a reset", [&](CConfigDialog*) { w.ShowAfterReset(); }},
        {"the window closes it", [&](CConfigDialog*) { w.CloseProfilePane(); }},
    };
    for (const auto& way : ways) {
        CConfigDialog* pane = OpenPane();
        ASSERT_NE(pane, nullptr) << way.what;
        ASSERT_FALSE(w.ResetButton()->isEnabled()) << way.what;
        way.close(pane);
        ASSERT_TRUE(Settle()) << way.what;
        EXPECT_FALSE(w.ProfilePaneOpen()) << way.what;
        EXPECT_TRUE(w.ResetButton()->isEnabled()) << way.what;
        EXPECT_TRUE(w.SettingsColumn()->isEnabled()) << way.what;
        EXPECT_TRUE(w.AxisHeaderButton()->isVisible()) << way.what;
    }
}

TEST_F(ProfilePaneTest, ClosingOnAnotherProfileSwitchesToItAndWritesTheMouse)
{
    SeedProfiles({"Game", "Work"}, 0);
    auto& s = Start();
    s.RestoreFromTray();
    ASSERT_TRUE(Settle());
    ASSERT_EQ(ctx.image.dpiCode100[0], 10);
    ctx.image.SetLiftOffEnabled(1);
    mouse.ClearTraffic();

    CConfigDialog* pane = OpenPane();
    ClickRow(pane, 1);
    QTest::mouseClick(pane->CloseButton(), Qt::LeftButton);
    ASSERT_TRUE(Settle());

    EXPECT_EQ(ctx.image.dpiCode100[0], 20);
    EXPECT_EQ(ctx.image.LiftOffEnabled(), 1u);
    EXPECT_EQ(ctx.captions[0], "caption of Work");
    EXPECT_EQ(s.Window().AssignmentBox(0)->Caption(), "caption of Work");
    EXPECT_FALSE(mouse.Traffic().empty());
    EXPECT_EQ(ReadCurrentProfileName(ctx), "Work");
}

TEST_F(ProfilePaneTest, NewAndDeleteButtonsEditTheListAndASeventhIsRefusedWithAMessage)
{
    SeedProfiles({"Profile 1"}, 0);
    auto& s = Start();
    s.RestoreFromTray();
    CConfigDialog* pane = OpenPane();
    for (int i = 0; i < 5; ++i)
        QTest::mouseClick(pane->NewButton(), Qt::LeftButton);
    EXPECT_EQ(ListTexts(pane),
              (QStringList{"Profile 1", "Profile 2", "Profile 3", "Profile 4", "Profile 5", "Profile 6"}));
    EXPECT_EQ(pane->List()->currentRow(), 5);
    EXPECT_TRUE(paneMessages.empty());
    QTest::mouseClick(pane->NewButton(), Qt::LeftButton);
    ASSERT_EQ(paneMessages.size(), 1u);
    EXPECT_EQ(paneMessages[0], "ATTENTION! | Up to 6 Profiles Possible.");

    QTest::mouseClick(pane->DeleteButton(), Qt::LeftButton);
    EXPECT_EQ(ListTexts(pane).size(), 5);
    EXPECT_EQ(pane->List()->currentRow(), 4);
}

TEST_F(ProfilePaneTest, TheContextMenuHasItsFiveCommandsInTheLanguage)
{
    SeedProfiles({"Profil 1"}, 0);
    ctx.ini.WriteString(dataDir / "str0.ini", kSkinsSection, kLanguageKey, "DE");
    auto& s = Start();
    s.RestoreFromTray();
    CConfigDialog* pane = OpenPane();
    std::vector<QString> texts;
    std::vector<ProfileMenuCommand> ids;
    for (const auto& [id, text] : pane->MenuItems()) {
        ids.push_back(id);
        texts.push_back(text);
    }
    EXPECT_EQ(ids, (std::vector{ProfileMenuCommand::Delete, ProfileMenuCommand::Edit, ProfileMenuCommand::Copy,
                                ProfileMenuCommand::Load, ProfileMenuCommand::Save}));
    EXPECT_EQ(texts, (std::vector<QString>{"Löschen", "Umbenennen", "Kopieren", "Laden", "Speichern"}));
    pane->OnMenuCommand(ProfileMenuCommand::Copy);
    EXPECT_EQ(ListTexts(pane).back(), "Kopieren Profil 1");
    QTest::mouseClick(pane->NewButton(), Qt::LeftButton);
    EXPECT_EQ(ListTexts(pane).back(), "Profil 2");
}

TEST_F(ProfilePaneTest, ASecondClickRenamesInPlaceAndEnterOrEscapeDoNotEndTheEdit)
{
    SeedProfiles({"Game", "Work"}, 0);
    auto& s = Start();
    s.RestoreFromTray();
    CConfigDialog* pane = OpenPane();
    ClickRow(pane, 1);
    EXPECT_EQ(pane->Editor(), nullptr);
    ClickRow(pane, 1);
    CLBEditorWnd* editor = pane->Editor();
    ASSERT_NE(editor, nullptr);
    editor->clear();
    QTest::keyClicks(editor, "My Work");
    QTest::keyClick(editor, Qt::Key_Return);
    QTest::keyClick(editor, Qt::Key_Escape);
    ASSERT_NE(pane->Editor(), nullptr);
    EXPECT_EQ(editor->text(), "My Work"); // the blank reached it
    QTest::keyClick(editor, Qt::Key_Tab);
    ASSERT_TRUE(Settle());
    EXPECT_EQ(ListTexts(pane), (QStringList{"Game", "My Work"}));

    // A duplicate is refused.
    pane->OnMenuCommand(ProfileMenuCommand::Edit);
    ASSERT_NE(pane->Editor(), nullptr);
    pane->Editor()->setText("Game");
    pane->Editor()->AcceptEdit();
    ASSERT_TRUE(Settle());
    EXPECT_EQ(ListTexts(pane), (QStringList{"Game", "My Work"}));

    // Enter, Space, Escape and F1 on the list neither close nor change anything.
    for (auto key : {Qt::Key_Return, Qt::Key_Space, Qt::Key_Escape, Qt::Key_F1})
        QTest::keyClick(pane->List(), key);
    EXPECT_TRUE(s.Window().ProfilePaneOpen());
    QTest::mouseClick(pane->CloseButton(), Qt::LeftButton);
    ASSERT_TRUE(Settle());
    EXPECT_EQ(ReadProfileList(ctx), (Names{"Game", "My Work"}));
}

TEST_F(ProfilePaneTest, DeletingTheMiddleProfileKeepsTheLastOnesData)
{
    SeedProfiles({"Game", "Work", "Office"}, 0);
    auto& s = Start();
    s.RestoreFromTray();
    CConfigDialog* pane = OpenPane();
    ClickRow(pane, 1);
    QTest::mouseClick(pane->DeleteButton(), Qt::LeftButton);
    EXPECT_EQ(ListTexts(pane), (QStringList{"Game", "Office"}));
    QTest::mouseClick(pane->CloseButton(), Qt::LeftButton);
    ASSERT_TRUE(Settle());
    EXPECT_EQ(ctx.image.dpiCode100[0], 30); // Office's own data, now at position 1
    EXPECT_EQ(ctx.captions[0], "caption of Office");
    EXPECT_FALSE(std::filesystem::exists(dataDir / "config2.bin"));
}

TEST_F(ProfilePaneTest, ImportingAFileOfTheWrongSizeChangesNothingAndSaysSo)
{
    SeedProfiles({"Game", "Work"}, 0);
    auto& s = Start();
    s.RestoreFromTray();
    ASSERT_TRUE(Settle());
    const auto bad = tmp.path() / "short.bin";
    test::WriteFileBytes(bad, std::string(1892, '\x11'));
    chooser.importFile = bad;
    const std::string before(reinterpret_cast<const char*>(ctx.image.Bytes().data()), kConfigImageSize);
    mouse.ClearTraffic();

    CConfigDialog* pane = OpenPane();
    ClickRow(pane, 1);
    pane->OnMenuCommand(ProfileMenuCommand::Load);
    ASSERT_TRUE(Settle());

    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0], QString::fromStdString(bad.string()) +
                                       " is not a profile file of the Lumeno-KV580 Pro. Nothing was changed.");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(ctx.image.Bytes().data()), kConfigImageSize), before);
    EXPECT_TRUE(mouse.Traffic().empty());
    EXPECT_EQ(uint8_t(test::ReadFileBytes(dataDir / "config1.bin")[1 + 15]), 20);
    // The chooser opened in the home folder with the current profile's file name.
    ASSERT_EQ(chooser.starts.size(), 1u);
    EXPECT_EQ(chooser.starts[0].filename(), "config0.bin");
}

TEST_F(ProfilePaneTest, ExportThenImportThroughThePaneBringsTheProfileBack)
{
    SeedProfiles({"Game", "Work"}, 0);
    auto& s = Start();
    s.RestoreFromTray();
    ASSERT_TRUE(Settle());
    chooser.exportFile = tmp.path() / "game";

    CConfigDialog* pane = OpenPane();
    pane->OnMenuCommand(ProfileMenuCommand::Save);
    ASSERT_TRUE(Settle());
    ASSERT_TRUE(std::filesystem::exists(tmp.path() / "game.bin"));
    ASSERT_TRUE(std::filesystem::exists(tmp.path() / "game.ini"));
    EXPECT_TRUE(dialogs.messages.empty());

    chooser.importFile = tmp.path() / "game.bin";
    ClickRow(pane, 1);
    pane->OnMenuCommand(ProfileMenuCommand::Load);
    ASSERT_TRUE(Settle());
    EXPECT_EQ(ctx.image.dpiCode100[0], 10);
    EXPECT_EQ(uint8_t(test::ReadFileBytes(dataDir / "config1.bin")[1 + 15]), 10);
    // The chooser now starts where the last transfer went.
    EXPECT_EQ(chooser.starts.back().parent_path(), tmp.path());

    // Closing on the imported position loads nothing over the import; only
    // the lighting, which every refresh of the panes sends, goes out.
    mouse.ClearTraffic();
    QTest::mouseClick(pane->CloseButton(), Qt::LeftButton);
    ASSERT_TRUE(Settle());
    EXPECT_EQ(ctx.image.dpiCode100[0], 10);
    for (const auto& report : mouse.Traffic()) {
        if (report.kind == TrafficKind::SetFeature && report.collection == MouseCollection::Commands) {
            const uint8_t code = report.bytes[1];
            EXPECT_TRUE(code == kSetLightingEffect || code == kSetLightingBlock || code == kGetLightingBlock)
                << int(code);
        }
    }
    EXPECT_EQ(ReadCurrentProfileName(ctx), "Work");
}

TEST_F(ProfilePaneTest, AnExportThatCannotBeWrittenSaysSo)
{
    SeedProfiles({"Game"}, 0);
    auto& s = Start();
    s.RestoreFromTray();
    chooser.exportFile = tmp.path() / "missing-folder" / "game.bin";
    CConfigDialog* pane = OpenPane();
    pane->OnMenuCommand(ProfileMenuCommand::Save);
    ASSERT_TRUE(Settle());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0], "The profile could not be written to " +
                                       QString::fromStdString((tmp.path() / "missing-folder" / "game.bin").string()) +
                                       ".");
}

} // namespace
} // namespace lumeno
