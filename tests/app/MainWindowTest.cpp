#include "MainWindowFixture.h"

#include "app/DlgSplash.h"
#include "app/SettingsPanes.h"
#include "app/TrayIcon.h"
#include "config/ProfileSettings.h"
#include "ui/BitmapBtn.h"
#include "ui/DMarker.h"
#include "ui/MessageBox.h"

#include <QKeyEvent>

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTest>
#include <QTimer>
#include <cstddef>
#include <cstring>
#include <thread>

#include <gtest/gtest.h>

namespace lumeno {
namespace {

using test::MainWindowFixture;
using test::WaitFor;

bool HasLine(const test::CapturingDebugOutput& debug, std::string_view text)
{
    for (const auto& line : debug.lines)
        if (line.find(text) != std::string::npos)
            return true;
    return false;
}

struct MainWindowTest : MainWindowFixture, ::testing::Test {};

TEST_F(MainWindowTest, StartsHiddenWithTheTrayIconAndShowsOnlyThroughTheTray)
{
    auto& s = Start();
    auto& w = s.Window();
    EXPECT_TRUE(s.Initialised());
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(s.Tray().IsAdded());
    EXPECT_EQ(w.windowTitle(), "Lumeno-KV580 Pro");
    EXPECT_EQ(w.size(), QSize(1000, 650));

    s.Tray().Activated(QSystemTrayIcon::DoubleClick);
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(w.Layout().AssignmentExpanded());

    // The close button hides to the tray; the program keeps running.
    w.HideToTray();
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(s.Tray().IsAdded());
    EXPECT_EQ(exitRequests, 0);
}

TEST_F(MainWindowTest, WithoutANotificationAreaTheWindowShowsAndCloseMinimises)
{
    // The offscreen platform has no notification area.
    ASSERT_FALSE(QSystemTrayIcon::isSystemTrayAvailable());
    auto& w = Start("EN", true).Window();
    EXPECT_TRUE(w.isVisible());
    w.close();
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(w.isMinimized());
}

TEST_F(MainWindowTest, WithoutTheMouseNothingStaysAndDoubleClickDoesNothing)
{
    mouse.Unplug();
    auto& s = Start();
    auto& w = s.Window();
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(s.Tray().IsAdded());
    s.Tray().Activated(QSystemTrayIcon::DoubleClick);
    EXPECT_FALSE(w.isVisible());
}

TEST_F(MainWindowTest, ClosingKeysNeverCloseTheWindow)
{
    auto& s = Start();
    auto& w = s.Window();
    s.RestoreFromTray();
    for (int key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space, Qt::Key_F1}) {
        QTest::keyClick(&w, Qt::Key(key));
        QTest::keyClick(w.ResetButton(), Qt::Key(key));
        EXPECT_TRUE(w.isVisible()) << key;
    }
    // A settings pane's own entry box still gets Enter to commit its value.
    auto* entry = new QLineEdit(w.SettingsColumn());
    entry->show();
    int committed = 0;
    QObject::connect(entry, &QLineEdit::returnPressed, [&] { ++committed; });
    QTest::keyClick(entry, Qt::Key_Return);
    EXPECT_EQ(committed, 1);

    w.close(); // the window manager's close also only hides
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(exitRequests, 0);
}

TEST_F(MainWindowTest, ButtonAssignmentHeaderMovesTheOtherHeadersAndBack)
{
    auto& s = Start();
    auto& w = s.Window();
    s.RestoreFromTray();
    EXPECT_EQ(w.MacroHeaderButton()->geometry().topLeft(), QPoint(20, 132));
    EXPECT_EQ(w.AxisHeaderButton()->geometry().topLeft(), QPoint(20, 157));

    QTest::mouseClick(w.AssignmentHeaderButton(), Qt::LeftButton);
    EXPECT_EQ(w.MacroHeaderButton()->geometry().topLeft(), QPoint(20, 132 + test::kAssignmentPanelHeight));
    EXPECT_EQ(w.AxisHeaderButton()->geometry().topLeft(), QPoint(20, 157 + test::kAssignmentPanelHeight));
    for (int i = 0; i < kButtonCount; ++i)
        EXPECT_TRUE(w.AssignmentBox(i)->isVisible()) << i;

    QTest::mouseClick(w.AssignmentHeaderButton(), Qt::LeftButton);
    EXPECT_EQ(w.MacroHeaderButton()->geometry().topLeft(), QPoint(20, 132));
    EXPECT_EQ(w.AxisHeaderButton()->geometry().topLeft(), QPoint(20, 157));
    EXPECT_FALSE(w.AssignmentBox(0)->isVisible());
}

TEST_F(MainWindowTest, AxisSectionPlacesSlidersAndTheHiddenLiftOffHeaderFollows)
{
    auto& s = Start();
    auto& w = s.Window();
    s.RestoreFromTray();
    EXPECT_FALSE(w.XSlider()->isVisible());
    EXPECT_EQ(w.LiftOffHeader()->pos(), QPoint(20, 182));

    QTest::mouseClick(w.AxisHeaderButton(), Qt::LeftButton);
    EXPECT_TRUE(w.XSlider()->isVisible());
    EXPECT_EQ(w.XSlider()->geometry(), QRect(37, 177 + 25, 208, 9));
    EXPECT_EQ(w.YSlider()->geometry(), QRect(37, 177 + 85, 208, 9));
    EXPECT_EQ(w.LiftOffHeader()->pos(), QPoint(20, 177 + test::kAxisPanelHeight + 5));
    EXPECT_FALSE(w.LiftOffHeader()->isVisible());

    QTest::mouseClick(w.AssignmentHeaderButton(), Qt::LeftButton);
    EXPECT_EQ(w.XSlider()->geometry().top(), 177 + test::kAssignmentPanelHeight + 25);
}

TEST_F(MainWindowTest, LiftOffAreasSwitchAtTheirComputedPlaces)
{
    auto& s = Start();
    auto& w = s.Window();
    s.RestoreFromTray();
    QTest::mouseClick(w.AxisHeaderButton(), Qt::LeftButton); // moves the areas down
    const Rect on = w.Layout().LiftOffOnArea();
    const Rect off = w.Layout().LiftOffOffArea();
    ASSERT_EQ(on.top, 177 + test::kAxisPanelHeight + 5 + 14);

    // Where the areas were before the section opened, nothing happens.
    mouse.ClearTraffic();
    QTest::mouseClick(&w, Qt::LeftButton, {}, QPoint(45, 200));
    EXPECT_TRUE(mouse.Traffic().empty());

    QTest::mouseClick(&w, Qt::LeftButton, {}, QPoint(on.left, on.bottom));
    ASSERT_TRUE(Settle());
    EXPECT_EQ(ctx.image.LiftOffEnabled(), 1u);
    EXPECT_EQ(mouse.State().liftOffLevel, ctx.image.liftOffLevel);

    QTest::mouseClick(&w, Qt::LeftButton, {}, QPoint(off.right, off.top));
    ASSERT_TRUE(Settle());
    EXPECT_EQ(ctx.image.LiftOffEnabled(), 0u);
    EXPECT_EQ(mouse.State().liftOffLevel, 6);
    EXPECT_EQ(ctx.snapshot.LiftOffEnabled(), 0u);
}

TEST_F(MainWindowTest, AssignmentBoxLightsTheOverlaysOfItsRow)
{
    auto& s = Start();
    auto& w = s.Window();
    s.RestoreFromTray();
    QTest::mouseClick(w.AssignmentHeaderButton(), Qt::LeftButton);
    int requested = -1;
    QObject::connect(&w, &CMouseConfigurationDlg::assignmentMenuRequested, [&](int i) { requested = i; });

    struct Case {
        int row;
        int buttonIndex;
        int lit;
    };
    for (const Case c : {Case{4, 4, 4}, Case{5, 3, 5}, Case{1, 0, 1}}) {
        QTest::mouseClick(w.AssignmentBox(c.buttonIndex), Qt::LeftButton);
        EXPECT_EQ(w.HighlightedButton(), c.buttonIndex);
        EXPECT_EQ(requested, c.buttonIndex);
        EXPECT_TRUE(w.AssignmentBox(c.buttonIndex)->IsToggleChecked());
        for (MouseView view : {MouseView::Top, MouseView::Side}) {
            w.SelectView(view);
            const QImage shot = w.grab().toImage();
            for (int n = 1; n <= kButtonCount; ++n) {
                const Point at = MouseOverlays(view)[n - 1].position;
                const QColor expected = n == c.lit ? test::kOverColour : test::kNormalColour;
                EXPECT_EQ(shot.pixelColor(at.x + 2, at.y + 2), expected)
                    << "row " << c.row << " view " << int(view) << " overlay " << n;
            }
        }
    }
    // A click on the background clears the highlight.
    QTest::mouseClick(&w, Qt::LeftButton, {}, QPoint(600, 20));
    EXPECT_EQ(w.HighlightedButton(), -1);
    EXPECT_FALSE(w.AssignmentBox(0)->IsToggleChecked());
}

TEST_F(MainWindowTest, AxisSliderReleaseSendsBothLevels)
{
    auto& s = Start();
    auto& w = s.Window();
    s.RestoreFromTray();
    QTest::mouseClick(w.AxisHeaderButton(), Qt::LeftButton);
    QTest::mouseClick(w.XSlider(), Qt::LeftButton, {}, QPoint(207 + 5, 4)); // beyond the end: level 11
    ASSERT_TRUE(Settle());
    EXPECT_EQ(ctx.image.axisSensitivityX, 11);
    EXPECT_EQ(mouse.State().sensitivityX, 220);
    EXPECT_EQ(mouse.State().sensitivityY, ctx.image.axisSensitivityY * 20);
    EXPECT_EQ(ctx.snapshot.axisSensitivityX, 11);
}

TEST_F(MainWindowTest, SlidersAndCaptionsComeFromTheProfile)
{
    SeedProfile("EN");
    ctx.ini.WriteString(dataDir / "str0.ini", "Profile", "IsDefault", "Y");
    ctx.ini.WriteString(dataDir / "str0.ini", "Setting-EN", "Item4", "Back side");
    auto& s = Start();
    auto& w = s.Window();
    EXPECT_EQ(w.AssignmentBox(3)->Caption(), "Back side");
    // No configuration file was ever saved: the image holds zeros, and a
    // level outside the slider's range shows as its minimum.
    EXPECT_EQ(ctx.image.axisSensitivityX, 0);
    EXPECT_EQ(w.XSlider()->GetPos(), kAxisSliderMin);
}

TEST_F(MainWindowTest, DeviceNoticesShowTheirBalloons)
{
    auto& s = Start();
    auto& w = s.Window();
    // The lighting pane sends its group at start-up, and every write takes a
    // new snapshot: let it finish before the snapshot is changed.
    ASSERT_TRUE(Settle());
    ctx.snapshot.dpiCode100[2] = 16;
    mouse.SwitchDpiStage(2);
    ASSERT_TRUE(WaitFor([&] { return s.Tray().BalloonText() == "Switch DPI into the third stage (1600)"; }))
        << s.Tray().BalloonText().toStdString();
    EXPECT_EQ(s.Tray().BalloonTitle(), "Info");
    EXPECT_TRUE(HasLine(debug, "Tray balloon [Info] Switch DPI into the third stage (1600) (5000 ms)"));

    // Unplugged: the window hides, the icon goes, and the late removal
    // balloon finds no icon.
    s.RestoreFromTray();
    mouse.Unplug();
    ASSERT_TRUE(WaitFor([&] { return HasLine(debug, "[Warning] The system did not detect Lumeno-KV580 Pro!"); }));
    EXPECT_TRUE(HasLine(debug, "Tray balloon not shown, no icon: [Warning]"));
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(s.Tray().IsAdded());
    s.Tray().Activated(QSystemTrayIcon::DoubleClick);
    EXPECT_FALSE(w.isVisible());

    // Back again: icon and the found balloon, the window stays hidden; stage
    // switches are reported again.
    mouse.Plug();
    ASSERT_TRUE(WaitFor([&] { return s.Tray().BalloonText() == "The system detect Lumeno-KV580 Pro."; }));
    EXPECT_TRUE(s.Tray().IsAdded());
    EXPECT_FALSE(w.isVisible());
    mouse.SwitchDpiStage(0);
    EXPECT_TRUE(WaitFor([&] { return s.Tray().BalloonText().startsWith("Switch DPI into the first stage ("); }));
}

TEST_F(MainWindowTest, WithANotificationServiceEveryNoticeGoesThereEvenWithoutAnIcon)
{
    tray.notificationService = true;
    auto& s = Start();
    s.ShowNoticeBalloon(1, 2);
    ASSERT_EQ(tray.notices.size(), 1u);
    EXPECT_EQ(tray.notices[0].title, "Info");
    EXPECT_TRUE(tray.notices[0].text.startsWith("Switch DPI into the third stage ("));
    EXPECT_EQ(tray.notices[0].timeoutMs, 5000);
    EXPECT_TRUE(HasLine(debug, "Tray balloon [Info] Switch DPI into the third stage ("));
    EXPECT_TRUE(HasLine(debug, "(5000 ms) through the notification service"));

    // The removal notice comes after the icon went; the service still shows
    // it, for the program's 5 s at the least.
    mouse.Unplug();
    ASSERT_TRUE(WaitFor([&] { return tray.notices.size() == 2; }));
    EXPECT_EQ(tray.notices[1].title, "Warning");
    EXPECT_EQ(tray.notices[1].text, "The system did not detect Lumeno-KV580 Pro!");
    EXPECT_EQ(tray.notices[1].timeoutMs, kMinimumBalloonDisplayMs);
    EXPECT_FALSE(HasLine(debug, "Tray balloon not shown"));
}

TEST_F(MainWindowTest, ANoticeTheServiceRefusesShowsOnTheIcon)
{
    tray.notificationService = true;
    tray.refusal = "org.freedesktop.DBus.Error.NoReply: no answer";
    auto& s = Start();
    s.ShowNoticeBalloon(14, 0);
    ASSERT_TRUE(
        WaitFor([&] { return HasLine(debug, "Tray balloon [Info] The system detect Lumeno-KV580 Pro. (100 ms)\n"); }));
    EXPECT_TRUE(HasLine(debug, "Notification service failed (org.freedesktop.DBus.Error.NoReply: no answer)"));
}

// What each kind of tray reports of the icon, and what the program does.
struct TrayActivationCase {
    bool statusNotifierHost;
    QSystemTrayIcon::ActivationReason reason;
    bool restores;
};

TEST_F(MainWindowTest, TheIconRestoresOnADoubleClickOnXEmbedAndOnAnyActivationOnAStatusNotifierHost)
{
    const TrayActivationCase cases[] = {
        {false, QSystemTrayIcon::DoubleClick, true},  {false, QSystemTrayIcon::Trigger, false},
        {false, QSystemTrayIcon::MiddleClick, false}, {true, QSystemTrayIcon::Trigger, true},
        {true, QSystemTrayIcon::DoubleClick, true},   {true, QSystemTrayIcon::Context, false},
    };
    for (const auto& c : cases) {
        tray.statusNotifierHost = c.statusNotifierHost;
        auto& s = Start();
        ASSERT_TRUE(Settle());
        EXPECT_EQ(s.Tray().OnStatusNotifierHost(), c.statusNotifierHost);
        s.Tray().Activated(c.reason);
        EXPECT_EQ(s.Window().isVisible(), c.restores) << c.statusNotifierHost << " " << c.reason;
        ASSERT_TRUE(Settle());
        shell.reset();
    }
}

TEST_F(MainWindowTest, OnAStatusNotifierHostTheIconCarriesTheExitMenuInTheUsersLanguage)
{
    tray.statusNotifierHost = true;
    SeedProfile("DE");
    auto& s = Start();
    auto* icon = s.Tray().findChild<QSystemTrayIcon*>();
    ASSERT_NE(icon, nullptr);
    ASSERT_NE(icon->contextMenu(), nullptr);
    const auto actions = icon->contextMenu()->actions();
    ASSERT_EQ(actions.size(), 1);
    EXPECT_EQ(actions[0]->text().toStdString(), text[kTextTrayExit]);
    actions[0]->trigger();
    EXPECT_EQ(exitRequests, 1);
}

TEST_F(MainWindowTest, StageAboveSevenRepeatsTheLastBalloonText)
{
    auto& s = Start();
    s.ShowNoticeBalloon(1, 1);
    const QString previous = s.Tray().BalloonText();
    ASSERT_TRUE(previous.startsWith("Switch DPI into the second stage ("));
    debug.lines.clear();
    s.ShowNoticeBalloon(1, 8);
    EXPECT_EQ(s.Tray().BalloonText(), previous);
    EXPECT_TRUE(HasLine(debug, "Tray balloon [Info] " + previous.toStdString() + " (5000 ms)"));
    s.ShowNoticeBalloon(2, 0); // not a notice kind: nothing
    s.ShowNoticeBalloon(16, 0);
    EXPECT_EQ(debug.lines.size(), 1u);
}

TEST_F(MainWindowTest, UnknownLanguageLeavesTheSharedTextsEmpty)
{
    SeedProfile("en");
    auto& s = Start();
    auto& w = s.Window();
    EXPECT_TRUE(w.AssignmentHeaderButton()->Caption().isEmpty());
    EXPECT_TRUE(w.ResetButton()->Caption().isEmpty());
    EXPECT_TRUE(text[kTextProductName].empty());
}

TEST_F(MainWindowTest, SimplifiedChineseTextsAndFont)
{
    SeedProfile("CHS");
    auto& s = Start();
    auto& w = s.Window();
    EXPECT_EQ(w.AssignmentHeaderButton()->Caption(), QString::fromUtf8("按钮分配"));
    EXPECT_EQ(w.ResetButton()->Caption(), QString::fromUtf8("恢复"));
    EXPECT_EQ(text[kTextCaptionSection], "Setting-CHS");
}

TEST_F(MainWindowTest, ResetAsksAndOnOkRestoresFactoryDefaults)
{
    auto& s = Start();
    auto& w = s.Window();
    s.RestoreFromTray();
    ctx.image.axisSensitivityX = 9;
    dialogs.resetAnswer = false;
    QTest::mouseClick(w.ResetButton(), Qt::LeftButton);
    ASSERT_TRUE(Settle());
    EXPECT_EQ(ctx.image.axisSensitivityX, 9);

    QTest::mouseClick(w.AxisHeaderButton(), Qt::LeftButton);
    w.SelectView(MouseView::Side);
    dialogs.resetAnswer = true;
    mouse.ClearTraffic();
    QTest::mouseClick(w.ResetButton(), Qt::LeftButton);
    ASSERT_TRUE(Settle());
    EXPECT_EQ(ctx.image.axisSensitivityX, 5);
    EXPECT_EQ(w.XSlider()->GetPos(), 5);
    EXPECT_FALSE(w.Layout().AxisExpanded());
    EXPECT_EQ(w.View(), MouseView::Top);
    EXPECT_FALSE(mouse.Traffic().empty());
}

TEST_F(MainWindowTest, ProfilePaneOpensOnce)
{
    auto& s = Start();
    auto& w = s.Window();
    s.RestoreFromTray();
    QTest::mouseClick(w.ProfileButton(), Qt::LeftButton);
    QTest::mouseClick(w.ProfileButton(), Qt::LeftButton);
    EXPECT_EQ(dialogs.profilePanes, 1);
    EXPECT_FALSE(w.ResetButton()->isEnabled());
    EXPECT_FALSE(w.AxisHeaderButton()->isVisible());

    s.QueuedCommands().Apply(ApplyGroup::ReshowControls);
    EXPECT_FALSE(w.AxisHeaderButton()->isVisible()); // queued: after this handler
    ASSERT_TRUE(Settle());
    EXPECT_TRUE(w.AxisHeaderButton()->isVisible());
}

TEST_F(MainWindowTest, FirmwareUpdateStartsTheUpdaterOrSaysWhyNot)
{
    auto& s = Start();
    const auto updater = appFolder.path() / kUpdaterProgram;
    windows.windows["Programmer"] = 7;
    s.OnHelpCommand(HelpCommand::Update);
    EXPECT_EQ(exitRequests, 0);
    EXPECT_TRUE(dialogs.messages.empty());
    windows.windows.clear();

    // No updater beside the program: the user is told, the program stays.
    s.OnHelpCommand(HelpCommand::Update);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0], "The firmware updater is not installed.");
    EXPECT_EQ(exitRequests, 0);

    std::filesystem::create_directories(updater.parent_path());
    test::WriteFileBytes(updater, "#!/bin/sh\n");
    mouse.Unplug();
    ASSERT_TRUE(Settle());
    s.OnHelpCommand(HelpCommand::Update);
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[1], "Connect the Lumeno-KV580 Pro to update its firmware.");
    EXPECT_EQ(exitRequests, 0);

    mouse.Plug();
    ASSERT_TRUE(Settle());
    s.OnHelpCommand(HelpCommand::Update);
    EXPECT_EQ(dialogs.updaters, (std::vector<std::string>{updater.string()}));
    EXPECT_EQ(exitRequests, 1);
}

TEST_F(MainWindowTest, AResetRunsOnTheWorkerWhileTheWindowRepaintsAndShowsProgress)
{
    auto& s = Start();
    auto& w = s.Window();
    s.RestoreFromTray();
    ctx.image.axisSensitivityX = 9;
    pacer.Hold();
    QTest::mouseClick(w.ResetButton(), Qt::LeftButton);
    ASSERT_TRUE(WaitFor([&] { return pacer.SomeoneWaits(); })); // the flow is under way

    // The UI thread is free: the window paints, with the progress strip.
    ASSERT_TRUE(w.FlowProgress().has_value());
    EXPECT_GE(*w.FlowProgress(), 0.0);
    const QImage shot = w.grab().toImage();
    EXPECT_EQ(shot.pixelColor(600, 639), QColor(38, 41, 48)) << "the strip's empty bar";
    // Input is ignored meanwhile.
    QTest::mouseClick(w.AxisHeaderButton(), Qt::LeftButton);
    EXPECT_FALSE(w.Layout().AxisExpanded());

    pacer.Release();
    ASSERT_TRUE(Settle());
    EXPECT_FALSE(w.FlowProgress().has_value());
    EXPECT_EQ(ctx.image.axisSensitivityX, 5);
    EXPECT_EQ(w.XSlider()->GetPos(), 5);
}

TEST_F(MainWindowTest, RemovalDuringAFlowCancelsItThenHidesTheWindow)
{
    auto& s = Start();
    auto& w = s.Window();
    s.RestoreFromTray();
    const ConfigSnapshot before = ctx.snapshot;
    pacer.Hold();
    s.QueuedCommands().Apply(ApplyGroup::ButtonsAndMacros); // 3.8 s of pauses
    ASSERT_TRUE(WaitFor([&] { return pacer.SomeoneWaits(); }));
    const size_t framesBefore = mouse.Traffic().size();

    mouse.Unplug();
    QApplication::processEvents();
    EXPECT_TRUE(w.isVisible()) << "the removal waits for the flow";
    pacer.Release();
    ASSERT_TRUE(Settle());

    EXPECT_LE(mouse.Traffic().size(), framesBefore + 1) << "nothing more was sent";
    EXPECT_EQ(std::memcmp(&before, &ctx.snapshot, kConfigImageSize), 0) << "the snapshot stays";
    EXPECT_EQ(test::ReadFileBytes(dataDir / "config0.bin").size(), 1893u) << "the file is saved";
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(s.Tray().IsAdded());
}

TEST_F(MainWindowTest, AFailedSaveIsToldOnceWithWhereAndWhy)
{
    auto& s = Start();
    s.RestoreFromTray();
    // A folder where the profile's file belongs: the save cannot replace it.
    std::filesystem::remove(dataDir / "config0.bin");
    std::filesystem::create_directory(dataDir / "config0.bin");
    s.QueuedCommands().Apply(ApplyGroup::Sensitivity);
    s.QueuedCommands().Apply(ApplyGroup::LiftOff);
    ASSERT_TRUE(Settle());
    ASSERT_TRUE(WaitFor([&] { return !dialogs.messages.empty(); }));
    ASSERT_EQ(dialogs.messages.size(), 1u) << "told once";
    EXPECT_EQ(dialogs.messages[0],
              QString::fromStdString("The settings could not be saved in " + (dataDir / "config0.bin").string() +
                                     ". A folder stands where the file belongs."));
    EXPECT_FALSE(s.Window().FlowProgress().has_value());

    // Mended, saved, then broken again: told again.
    std::filesystem::remove(dataDir / "config0.bin");
    s.QueuedCommands().Apply(ApplyGroup::Sensitivity);
    ASSERT_TRUE(Settle());
    ASSERT_TRUE(std::filesystem::is_regular_file(dataDir / "config0.bin"));
    std::filesystem::remove(dataDir / "config0.bin");
    std::filesystem::create_directory(dataDir / "config0.bin");
    s.QueuedCommands().Apply(ApplyGroup::Sensitivity);
    ASSERT_TRUE(Settle());
    EXPECT_TRUE(WaitFor([&] { return dialogs.messages.size() == 2; }));
}

TEST_F(MainWindowTest, AnUnusableDataFolderIsToldAtStartUp)
{
    // A dangling link where the data folder belongs.
    std::filesystem::remove_all(dataDir);
    std::filesystem::create_symlink(tmp.path() / "gone", dataDir);
    auto& s = Start("DE");
    ASSERT_TRUE(WaitFor([&] { return !dialogs.messages.empty(); }));
    EXPECT_TRUE(dialogs.messages[0].startsWith("Die Einstellungen konnten nicht in"))
        << dialogs.messages[0].toStdString();
    EXPECT_TRUE(dialogs.messages[0].endsWith("Der Ordner fehlt oder ist kein Ordner."))
        << dialogs.messages[0].toStdString();
    EXPECT_TRUE(s.Initialised()) << "the program keeps running";
}

TEST_F(MainWindowTest, TheResetQuestionIsTheProgramsOwnBoxAndARemovalCancelsIt)
{
    useProgramDialogs = true;
    SeedProfile("DE");
    auto& s = Start("DE");
    s.RestoreFromTray();
    ctx.image.axisSensitivityX = 9;
    bool checked = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<CMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->windowTitle(), "ACHTUNG!!");
        EXPECT_EQ(box->Message(), "Auf Werkseinstellungen zurücksetzen?");
        EXPECT_EQ(box->OkButton()->Caption(), "OK");
        EXPECT_EQ(box->CancelButton()->Caption(), "Abbrechen");
        checked = true;
        mouse.Unplug(); // the window goes; the question with it
    });
    QTest::mouseClick(s.Window().ResetButton(), Qt::LeftButton);
    EXPECT_TRUE(checked);
    ASSERT_TRUE(Settle());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(ctx.image.axisSensitivityX, 9) << "cancelled: no reset";
    EXPECT_FALSE(s.Window().isVisible());
}

TEST(MessageBox, EnterTakesTheDefaultButtonAndEscCancels)
{
    test::TempDir folder;
    SkinImages skin(folder.path());
    const MessageTexts texts{"ATTENTION!!", "Reset to factory default?", "OK", "Cancel", "Arial"};
    struct Case {
        Qt::Key key;
        int result;
    };
    for (const Case c : {Case{Qt::Key_Return, QDialog::Accepted}, Case{Qt::Key_Enter, QDialog::Accepted},
                         Case{Qt::Key_Escape, QDialog::Rejected}}) {
        CMessageBox box(skin, MessageButtons::OkCancel, texts, nullptr);
        QTimer::singleShot(0, [&box, c] { QTest::keyClick(&box, c.key); });
        EXPECT_EQ(box.exec(), c.result) << c.key;
    }
    CMessageBox notice(skin, MessageButtons::Ok, texts, nullptr);
    EXPECT_EQ(notice.CancelButton(), nullptr);
    QTimer::singleShot(0, [&notice] { QTest::mouseClick(notice.OkButton(), Qt::LeftButton); });
    EXPECT_EQ(notice.exec(), QDialog::Accepted);
}

TEST_F(MainWindowTest, AMouseThatStopsAnsweringGoesLikeARemovalAndComesBackByItself)
{
    auto& s = Start("EN", false, std::chrono::milliseconds(20));
    s.RestoreFromTray();
    mouse.SetFrozen(true);
    s.QueuedCommands().Apply(ApplyGroup::Sensitivity);
    ASSERT_TRUE(Settle());
    EXPECT_FALSE(s.Window().isVisible());
    EXPECT_FALSE(s.Tray().IsAdded());
    EXPECT_TRUE(HasLine(debug, "The Lumeno-KV580 Pro stopped answering."));

    mouse.SetFrozen(false);
    ASSERT_TRUE(WaitFor([&] { return s.Tray().IsAdded(); })) << "found again without a plug";
    EXPECT_EQ(s.Tray().BalloonText(), "The system detect Lumeno-KV580 Pro.");
    mouse.ClearTraffic();
    s.QueuedCommands().Apply(ApplyGroup::Sensitivity);
    ASSERT_TRUE(Settle());
    EXPECT_FALSE(mouse.Traffic().empty()) << "the mouse hears the program again";
}

TEST_F(MainWindowTest, ExitDuringAFlowCancelsItAndWaitsForItsSave)
{
    auto& s = Start();
    std::filesystem::remove(dataDir / "config0.bin");
    ctx.image.axisSensitivityX = 7;
    pacer.Hold();
    s.QueuedCommands().Apply(ApplyGroup::ButtonsAndMacros);
    ASSERT_TRUE(WaitFor([&] { return pacer.SomeoneWaits(); }));
    const size_t reportsBefore = mouse.Traffic().size();

    // The held pause ends once the exit has cancelled the flow; the exit
    // must not have waited for the rest of the flow's pauses.
    std::thread releaser([&] {
        while (!link.cancel.load())
            std::this_thread::yield();
        pacer.Release();
    });
    shell.reset();
    releaser.join();

    EXPECT_LE(mouse.Traffic().size(), reportsBefore + 1);
    const std::string file = test::ReadFileBytes(dataDir / "config0.bin");
    ASSERT_EQ(file.size(), 1893u);
    EXPECT_EQ(uint8_t(file[1 + offsetof(ConfigImage, axisSensitivityX)]), 7);
}

TEST_F(MainWindowTest, StartUpTellsTheCompanionWindow)
{
    windows.windows["Lumeno-KV580 Pro ACCE"] = 42;
    Start();
    ASSERT_EQ(windows.posted.size(), 1u);
    EXPECT_EQ(windows.posted[0].window, 42u);
    EXPECT_EQ(windows.posted[0].message, 0x313u);
    EXPECT_EQ(windows.posted[0].wParam, 1);
    EXPECT_EQ(windows.posted[0].lParam, 1);
}

TEST(SplashWindow, IgnoresClicksAndKeysAndClosesWhenItsTimeIsUp)
{
    test::TempDir folder;
    test::CapturingDebugOutput debug;
    SkinImages skin(folder.path());
    CDlgSplash splash(skin, debug, nullptr, 300);
    EXPECT_EQ(splash.size(), QSize(537, 423));
    splash.show();
    QTest::keyClick(&splash, Qt::Key_Escape);
    QTest::keyClick(&splash, Qt::Key_F4, Qt::AltModifier);
    QTest::mouseClick(&splash, Qt::LeftButton);
    QTest::mouseClick(&splash, Qt::RightButton);
    splash.close();
    EXPECT_TRUE(splash.isVisible());
    EXPECT_TRUE(WaitFor([&] { return !splash.isVisible(); }));
    EXPECT_TRUE(debug.Contains("Splash window closed\n"));
}

} // namespace
} // namespace lumeno
