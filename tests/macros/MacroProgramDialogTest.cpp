// The macro manager's window over a temporary "record.ini": its controls,
// the context menu, the in-place editors, the key filter, and recording
// through a scripted desktop keyboard hook on a virtual clock.
#include "macros/MacroProgramDialog.h"

#include "MacroTestSupport.h"
#include "buttons/KeyTables.h"
#include "support/FakeKeyboardHook.h"
#include "ui/BitmapBtn.h"
#include "ui/ExMenu.h"
#include "ui/LBEditorWnd.h"
#include "ui/ListBoxPro.h"
#include "ui/SkinImages.h"
#include "ui/UiTestApp.h"

#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace lumeno {
namespace {

using Lines = std::vector<std::string>;
using test::kTwoMacros;

constexpr uint32_t kVkA = 0x41;
constexpr uint32_t kVkB = 0x42;

struct ShownMenu {
    std::vector<MenuItem> items;
    int width = 0;
};

class ManagerWindowTest : public ::testing::Test, protected test::UiAppUser {
protected:
    void Open(std::string language = "EN", KeyboardHook* keyboard = nullptr)
    {
        dialog = std::make_unique<CMacroProgramDialog>(
            MacroManagerServices{ini, file, pacer, keyboard ? keyboard : &keys, language, skin}, nullptr);
        dialog->SetMessageSink([this](const QString& caption, const QString& text) {
            messages.push_back((caption + "|" + text).toStdString());
        });
        dialog->SetMenuRunner([this](CExMenu& menu, const QPoint&) {
            menus.push_back({menu.Items(), menu.ItemWidth()});
            return menuAnswer;
        });
        dialog->Open(captions, &image);
        dialog->show();
        QApplication::processEvents();
    }
    void WriteLibrary(const std::string& text) { test::WriteFileBytes(file, text); }
    StoredMacro Stored(const std::string& name)
    {
        MacroLibraryFile library(ini, file);
        return library.LoadMacro(name);
    }
    std::vector<std::string> StoredNames()
    {
        MacroLibraryFile library(ini, file);
        return library.LoadNames();
    }
    static Lines Shown(const QListWidget* list)
    {
        Lines lines;
        for (int i = 0; i < list->count(); ++i)
            lines.push_back(list->item(i)->text().toStdString());
        return lines;
    }
    void ClickLine(QListWidget* list, int row, Qt::MouseButton button = Qt::LeftButton)
    {
        auto* box = static_cast<CListBoxPro*>(list);
        QTest::mouseClick(list->viewport(), button, {}, box->ItemRect(row).center());
        QApplication::processEvents();
    }
    // As the desktop delivers one: press, release, double click, release.
    void DoubleClickLine(CListBoxPro* list, int row)
    {
        const QPoint at = list->ItemRect(row).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
        QApplication::processEvents();
    }
    void RightPressOnSequence(int row)
    {
        auto* list = dialog->SequenceList();
        const QPoint at = row < 0 ? QPoint(20, list->viewport()->height() - 5) : list->ItemRect(row).center();
        QTest::mousePress(list->viewport(), Qt::RightButton, {}, at);
        QTest::mouseRelease(list->viewport(), Qt::RightButton, {}, at);
        QApplication::processEvents();
    }
    void Click(QWidget* w)
    {
        QTest::mouseClick(w, Qt::LeftButton);
        QApplication::processEvents();
    }
    // A key event on the desktop, `after` ms after the previous one.
    void Key(uint32_t vk, bool up, int after = 0, bool extended = false)
    {
        pacer.Pause(std::chrono::milliseconds(after));
        keys.Type(vk, up, extended);
        QApplication::processEvents();
    }
    void StartRecordingMacro2()
    {
        ClickLine(dialog->NameList(), 1);
        Click(dialog->RecordButton());
        ASSERT_TRUE(keys.Active());
        Key(kVkA, false);
        Key(kVkA, true, 80);
        ASSERT_EQ(Shown(dialog->SequenceList()), (Lines{"A   Dn", "A   Up"}));
    }

    test::TempDir tmp;
    std::filesystem::path file = tmp.path() / "record.ini";
    ProfileIni ini{test::TestFiles()};
    VirtualPacer pacer;
    test::FakeKeyboardHook keys;
    SkinImages skin{std::filesystem::path(LUMENO_SKIN_DIR).parent_path()};
    ConfigImage image{};
    std::array<std::string, kButtonCount> captions{"Click", "Menu", "Scroll", "Fn", "Snipe", "DPI +", "DPI -"};
    std::unique_ptr<CMacroProgramDialog> dialog;
    std::vector<std::string> messages;
    std::vector<ShownMenu> menus;
    int menuAnswer = 0;
};

TEST_F(ManagerWindowTest, ShowsTheLibraryWithEveryControlAtItsPlace)
{
    WriteLibrary(kTwoMacros);
    Open();
    EXPECT_EQ(dialog->size(), QSize(495, 440));
    EXPECT_EQ(dialog->windowTitle(), "Macro Manager");
    EXPECT_EQ(dialog->NameList()->geometry(), QRect(21, 82, 109, 271));
    EXPECT_EQ(dialog->SequenceList()->geometry(), QRect(153, 82, 109, 271));
    EXPECT_EQ(dialog->RecordButton()->geometry(), QRect(295, 87, 89, 24));
    EXPECT_EQ(dialog->DelayBox()->geometry(), QRect(370, 144, 14, 14));
    EXPECT_EQ(dialog->LoopBox()->geometry(), QRect(296, 314, 14, 14));
    EXPECT_EQ(dialog->LoopField()->geometry(), QRect(298, 333, 81, 12));
    EXPECT_EQ(dialog->NewButton()->geometry(), QRect(17, 367, 58, 25));
    EXPECT_EQ(dialog->DeleteButton()->geometry(), QRect(77, 367, 58, 25));
    EXPECT_EQ(dialog->OkButton()->geometry(), QRect(298, 394, 54, 28));
    EXPECT_EQ(dialog->CancelButton()->geometry(), QRect(354, 394, 54, 28));
    EXPECT_EQ(dialog->CloseButton()->geometry(), QRect(427, 17, 51, 24));

    EXPECT_EQ(Shown(dialog->NameList()), (Lines{"Macro_1", "Macro_2"}));
    EXPECT_EQ(dialog->NameList()->currentRow(), 0);
    EXPECT_EQ(Shown(dialog->SequenceList()), (Lines{"A   Dn", "120 ms", "A   Up"}));
    EXPECT_EQ(dialog->RecordButton()->Caption(), "Start Recording");
    EXPECT_TRUE(dialog->DelayBox()->IsToggleChecked());
    EXPECT_TRUE(dialog->LoopBox()->IsToggleChecked());
    EXPECT_EQ(dialog->LoopField()->text(), "3");
    EXPECT_TRUE(dialog->LoopField()->isEnabled());
    EXPECT_TRUE(messages.empty());

    ClickLine(dialog->NameList(), 1);
    EXPECT_EQ(Shown(dialog->SequenceList()), (Lines{"L-Button   Dn", "L-Button   Up"}));
    EXPECT_FALSE(dialog->DelayBox()->IsToggleChecked());
    EXPECT_FALSE(dialog->LoopField()->isEnabled());
}

TEST_F(ManagerWindowTest, TextsFollowTheLanguage)
{
    WriteLibrary(kTwoMacros);
    Open("DE");
    EXPECT_EQ(dialog->RecordButton()->Caption(), "Aufzeichnung starten");
    EXPECT_EQ(dialog->NewButton()->Caption(), "Neu");
    EXPECT_EQ(dialog->CancelButton()->Caption(), "Abbrechen");
    ClickLine(dialog->SequenceList(), 0);
    RightPressOnSequence(0);
    ASSERT_EQ(menus.size(), 1u);
    EXPECT_EQ(menus[0].items[0].text, "Löschen");
    EXPECT_EQ(menus[0].items[4].text, "Verzögerung einfügen");
    // A new macro takes the German word.
    Click(dialog->NewButton());
    EXPECT_EQ(Shown(dialog->NameList()).back(), "Makro_3");
}

TEST_F(ManagerWindowTest, ContextMenuOpensOnlyWhileALineIsSelected)
{
    WriteLibrary(kTwoMacros);
    Open();
    RightPressOnSequence(-1);
    EXPECT_TRUE(menus.empty());
    RightPressOnSequence(1); // a right press selects nothing
    EXPECT_TRUE(menus.empty());
    EXPECT_EQ(dialog->SequenceList()->currentRow(), -1);

    ClickLine(dialog->SequenceList(), 1);
    RightPressOnSequence(1);
    ASSERT_EQ(menus.size(), 1u);
    EXPECT_EQ(menus[0].width, 140);
    std::vector<std::pair<int, std::string>> items;
    for (const MenuItem& item : menus[0].items)
        items.emplace_back(item.id, item.text);
    EXPECT_EQ(items, (std::vector<std::pair<int, std::string>>{{32771, "Delete"},
                                                               {32772, "Insert Left Button"},
                                                               {32773, "Insert Middle Button"},
                                                               {32774, "Insert Right Button"},
                                                               {32786, "Insert Delay"}}));
}

struct MenuCase {
    const char* what;
    int macro;
    int line;
    int command;
    Lines lines;
    int selected;
};

TEST_F(ManagerWindowTest, ContextMenuCommandsChangeTheSequenceAndTheFileAtOnce)
{
    const MenuCase cases[] = {
        {"delete a line", 0, 1, 32771, {"A   Dn", "A   Up"}, -1},
        {"left click after a key line",
         0,
         0,
         32772,
         {"A   Dn", "L-Button   Dn", "L-Button   Up", "120 ms", "A   Up"},
         2},
        {"middle click after a delay",
         0,
         1,
         32773,
         {"A   Dn", "120 ms", "M-Button   Dn", "M-Button   Up", "A   Up"},
         2},
        {"right click at the end", 0, 2, 32774, {"A   Dn", "120 ms", "A   Up", "R-Button   Dn", "R-Button   Up"}, 4},
        {"delay before a key line", 1, 1, 32786, {"L-Button   Dn", "50 ms", "L-Button   Up"}, 2},
        {"no delay on the first line", 1, 0, 32786, {"L-Button   Dn", "L-Button   Up"}, 0},
        {"no delay below a delay", 0, 2, 32786, {"A   Dn", "120 ms", "A   Up"}, 2},
        {"menu closed without a choice", 0, 0, 0, {"A   Dn", "120 ms", "A   Up"}, 0},
    };
    for (const MenuCase& c : cases) {
        WriteLibrary(kTwoMacros);
        menus.clear();
        menuAnswer = c.command;
        Open();
        ClickLine(dialog->NameList(), c.macro);
        ClickLine(dialog->SequenceList(), c.line);
        RightPressOnSequence(c.line);
        ASSERT_EQ(menus.size(), 1u) << c.what;
        EXPECT_EQ(Shown(dialog->SequenceList()), c.lines) << c.what;
        EXPECT_EQ(dialog->SequenceList()->currentRow(), c.selected) << c.what;
        EXPECT_EQ(Stored(c.macro == 0 ? "Macro_1" : "Macro_2").lines, c.lines) << c.what;
    }
}

TEST_F(ManagerWindowTest, SecondClickOnADelayOpensTheNumericEditorWhichEnterAndEscapeNeverReach)
{
    WriteLibrary(kTwoMacros);
    Open();
    ClickLine(dialog->SequenceList(), 1);
    EXPECT_EQ(dialog->OpenEditor(), nullptr);
    ClickLine(dialog->SequenceList(), 1);
    CLBEditorWnd* editor = dialog->OpenEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->EditMode(), CLBEditorWnd::Mode::Numeric);
    EXPECT_EQ(editor->text(), "120 ms");

    QTest::keyClicks(editor, "25x0");
    EXPECT_EQ(editor->text(), "250");
    for (int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape, Qt::Key_Space, Qt::Key_F1})
        QTest::keyClick(editor, Qt::Key(key));
    QApplication::processEvents();
    ASSERT_EQ(dialog->OpenEditor(), editor) << "a filtered key ended the edit";
    EXPECT_EQ(editor->text(), "250");
    EXPECT_TRUE(dialog->isVisible());

    QTest::keyClick(editor, Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_EQ(dialog->OpenEditor(), nullptr);
    EXPECT_EQ(Shown(dialog->SequenceList()), (Lines{"A   Dn", "250 ms", "A   Up"}));
    EXPECT_EQ(Stored("Macro_1").lines, (Lines{"A   Dn", "250 ms", "A   Up"}));

    // A key line never opens the editor, however often it is clicked.
    ClickLine(dialog->SequenceList(), 0);
    ClickLine(dialog->SequenceList(), 0);
    EXPECT_EQ(dialog->OpenEditor(), nullptr);
}

TEST_F(ManagerWindowTest, ClosingKeysNeverCloseTheManagerNorReachAControl)
{
    WriteLibrary(kTwoMacros);
    Open();
    for (QWidget* target : {static_cast<QWidget*>(dialog.get()), static_cast<QWidget*>(dialog->NameList()),
                            static_cast<QWidget*>(dialog->OkButton())}) {
        target->setFocus();
        for (int key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space, Qt::Key_F1, Qt::Key_Super_L})
            QTest::keyClick(target, Qt::Key(key));
    }
    QApplication::processEvents();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), 0);

    // The name editor: Escape does not cancel, Space types nothing.
    DoubleClickLine(dialog->NameList(), 0);
    CLBEditorWnd* editor = dialog->OpenEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->EditMode(), CLBEditorWnd::Mode::Text);
    QTest::keyClicks(editor, "Fire");
    QTest::keyClick(editor, Qt::Key_Space);
    QTest::keyClick(editor, Qt::Key_Escape);
    ASSERT_EQ(dialog->OpenEditor(), editor);
    EXPECT_EQ(editor->text(), "Fire");
    // Ended by a click elsewhere: accepted.
    QTest::mouseClick(dialog.get(), Qt::LeftButton, {}, QPoint(450, 300));
    QApplication::processEvents();
    EXPECT_EQ(Shown(dialog->NameList()), (Lines{"Fire", "Macro_2"}));
    EXPECT_EQ(StoredNames(), (Lines{"Fire", "Macro_2"}));
    EXPECT_EQ(Stored("Fire").lines, (Lines{"A   Dn", "120 ms", "A   Up"}));
    EXPECT_TRUE(Stored("Macro_1").lines.empty());
}

TEST_F(ManagerWindowTest, RenameToAnotherMacrosNameKeepsTheOldName)
{
    WriteLibrary(kTwoMacros);
    Open();
    DoubleClickLine(dialog->NameList(), 0);
    CLBEditorWnd* editor = dialog->OpenEditor();
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, "Macro_2");
    QTest::keyClick(editor, Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_EQ(Shown(dialog->NameList()), (Lines{"Macro_1", "Macro_2"}));
    EXPECT_EQ(Stored("Macro_1").lines, (Lines{"A   Dn", "120 ms", "A   Up"}));
    EXPECT_EQ(Stored("Macro_2").lines, (Lines{"L-Button   Dn", "L-Button   Up"}));
}

TEST_F(ManagerWindowTest, LoopFieldFollowsTheLoopOptionAndKeepsItsCount)
{
    WriteLibrary(kTwoMacros);
    Open();
    ASSERT_TRUE(dialog->LoopField()->isEnabled());
    Click(dialog->LoopBox());
    EXPECT_FALSE(dialog->LoopBox()->IsToggleChecked());
    EXPECT_FALSE(dialog->LoopField()->isEnabled());
    EXPECT_EQ(dialog->LoopField()->text(), "3");
    EXPECT_EQ(Stored("Macro_1").loopTimes, "3");
    Click(dialog->LoopBox());
    EXPECT_TRUE(dialog->LoopField()->isEnabled());

    // Typed counts are written at once; one out of range becomes 1.
    dialog->LoopField()->selectAll();
    QTest::keyClicks(dialog->LoopField(), "12");
    EXPECT_EQ(Stored("Macro_1").loopTimes, "12");
    QTest::keyClicks(dialog->LoopField(), "0000");
    EXPECT_EQ(dialog->LoopField()->text(), "1");
    EXPECT_EQ(Stored("Macro_1").loopTimes, "1");
}

TEST_F(ManagerWindowTest, NewNamesMacrosAndRefusesTheThirteenth)
{
    Open();
    EXPECT_FALSE(dialog->LoopField()->isEnabled());
    Click(dialog->NewButton());
    EXPECT_EQ(Shown(dialog->NameList()), (Lines{"Macro_1"}));
    EXPECT_EQ(StoredNames(), (Lines{"Macro_1"}));
    EXPECT_EQ(dialog->LoopField()->text(), "1");
    for (int i = 2; i <= 12; ++i)
        Click(dialog->NewButton());
    EXPECT_TRUE(messages.empty());
    Click(dialog->NewButton());
    EXPECT_EQ(messages, (std::vector<std::string>{"ATTENTION!|Up to 12 Macros Possible."}));
    EXPECT_EQ(dialog->NameList()->count(), 12);
    EXPECT_EQ(dialog->NameList()->currentRow(), 11);
}

TEST_F(ManagerWindowTest, RecordsKeysWithTheirDelaysOnTheClock)
{
    WriteLibrary(kTwoMacros);
    Open();
    Click(dialog->RecordButton()); // Macro_1 records delays
    ASSERT_TRUE(keys.Active());
    EXPECT_EQ(dialog->RecordButton()->Caption(), "Stop Recording");
    EXPECT_TRUE(dialog->RecordButton()->IsToggleChecked());
    EXPECT_TRUE(Shown(dialog->SequenceList()).empty());

    Key(kVkA, false);
    for (int repeat = 0; repeat < 5; ++repeat)
        Key(kVkA, false, 30); // auto-repeats of the held key
    Key(kVkA, true, 50);
    Key(kVkEnter, false, 1000, true);
    Key(kVkEnter, true, 7, true);
    EXPECT_EQ(Shown(dialog->SequenceList()),
              (Lines{"A   Dn", "200 ms", "A   Up", "1000 ms", "Num Enter   Dn", "7 ms", "Num Enter   Up"}));
    EXPECT_EQ(dialog->SequenceList()->currentRow(), 6);

    Click(dialog->RecordButton());
    EXPECT_FALSE(keys.Active());
    EXPECT_EQ(dialog->RecordButton()->Caption(), "Start Recording");
    EXPECT_EQ(Stored("Macro_1").lines,
              (Lines{"A   Dn", "200 ms", "A   Up", "1000 ms", "Num Enter   Dn", "7 ms", "Num Enter   Up"}));
    EXPECT_EQ(Stored("Macro_1").delayStatus, "1");
}

TEST_F(ManagerWindowTest, TheSixtyThirdEventEndsTheRecording)
{
    WriteLibrary(kTwoMacros);
    Open();
    StartRecordingMacro2();
    for (int i = 0; i < 30; ++i) { // events 3..62
        Key(i % 2 ? kVkA : kVkB, false);
        Key(i % 2 ? kVkA : kVkB, true);
    }
    EXPECT_TRUE(keys.Active());
    Key(kVkA, false);
    EXPECT_FALSE(keys.Active());
    EXPECT_EQ(dialog->RecordButton()->Caption(), "Start Recording");
    EXPECT_EQ(Stored("Macro_2").lines.size(), 62u);
    EXPECT_EQ(dialog->SequenceList()->count(), 62);
}

struct EndCase {
    const char* what;
    std::function<void(ManagerWindowTest&)> end;
    bool keepsRecording; // the recorded lines are Macro_2's afterwards
};

TEST_F(ManagerWindowTest, EveryWayARecordingEndsGivesTheKeyboardBack)
{
    auto* self = this;
    const EndCase cases[] = {
        {"record button", [self](auto&) { self->Click(self->dialog->RecordButton()); }, true},
        {"OK", [self](auto&) { self->Click(self->dialog->OkButton()); }, true},
        {"Cancel", [self](auto&) { self->Click(self->dialog->CancelButton()); }, true},
        {"close button", [self](auto&) { self->Click(self->dialog->CloseButton()); }, true},
        {"window closed", [self](auto&) { self->dialog->close(); }, true},
        {"New", [self](auto&) { self->Click(self->dialog->NewButton()); }, true},
        {"Delete", [self](auto&) { self->Click(self->dialog->DeleteButton()); }, false},
        {"loop option", [self](auto&) { self->Click(self->dialog->LoopBox()); }, true},
        {"context menu", [self](auto&) { self->RightPressOnSequence(0); }, true},
        {"another macro", [self](auto&) { self->ClickLine(self->dialog->NameList(), 0); }, true},
        {"mouse gone", [self](auto&) { self->dialog->Destroy(); }, true},
        {"window destroyed", [self](auto&) { self->dialog.reset(); }, true},
    };
    for (const EndCase& c : cases) {
        WriteLibrary(kTwoMacros);
        Open();
        StartRecordingMacro2();
        c.end(*this);
        QApplication::processEvents();
        EXPECT_FALSE(keys.Active()) << c.what;
        EXPECT_FALSE(keys.Type(kVkB, false)) << c.what;
        if (dialog) {
            EXPECT_FALSE(dialog->Model().Recording()) << c.what;
        }
        if (c.keepsRecording) {
            EXPECT_EQ(Stored("Macro_2").lines, (Lines{"A   Dn", "A   Up"})) << c.what;
        } else {
            EXPECT_EQ(StoredNames(), (Lines{"Macro_1"})) << c.what;
        }
    }
}

TEST_F(ManagerWindowTest, AHookTheDesktopRefusesIsReportedAndRecordsNothing)
{
    WriteLibrary(kTwoMacros);
    keys.refuseWith = 16;
    Open();
    Click(dialog->RecordButton());
    EXPECT_EQ(messages, (std::vector<std::string>{"ATTENTION!|JournalRecordHook Install error code :16\n"}));
    EXPECT_FALSE(dialog->Model().Recording());
    EXPECT_EQ(dialog->RecordButton()->Caption(), "Start Recording");
    EXPECT_FALSE(dialog->RecordButton()->IsToggleChecked());
    EXPECT_EQ(Stored("Macro_1").lines, (Lines{"A   Dn", "120 ms", "A   Up"}));
}

TEST_F(ManagerWindowTest, WithoutAKeyboardHookRecordingCannotStart)
{
    WriteLibrary(kTwoMacros);
    dialog = std::make_unique<CMacroProgramDialog>(MacroManagerServices{ini, file, pacer, nullptr, "EN", skin});
    dialog->SetMessageSink([this](const QString& caption, const QString& text) {
        messages.push_back((caption + "|" + text).toStdString());
    });
    dialog->Open(captions, &image);
    Click(dialog->RecordButton());
    EXPECT_EQ(messages, (std::vector<std::string>{"ATTENTION!|JournalRecordHook Install error code :95\n"}));
    EXPECT_FALSE(dialog->Model().Recording());
}

TEST_F(ManagerWindowTest, DraggingTheBackgroundMovesTheWindow)
{
    WriteLibrary(kTwoMacros);
    Open();
    dialog->move(100, 100);
    const QPoint before = dialog->pos();
    QTest::mousePress(dialog.get(), Qt::LeftButton, {}, QPoint(450, 300));
    QMouseEvent move(QEvent::MouseMove, QPointF(470, 330), dialog->mapToGlobal(QPointF(470, 330)), Qt::NoButton,
                     Qt::LeftButton, {});
    QApplication::sendEvent(dialog.get(), &move);
    QTest::mouseRelease(dialog.get(), Qt::LeftButton, {}, QPoint(470, 330));
    EXPECT_EQ(dialog->pos(), before + QPoint(20, 30));
}

} // namespace
} // namespace lumeno
