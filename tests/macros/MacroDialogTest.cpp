// The macro picker's window: what it opens with, the order in which a click
// is tested, the keys that never end it, and the chooser the assignment
// menu calls.
#include "macros/MacroDialog.h"

#include "MacroTestSupport.h"
#include "macros/QtMacroChooser.h"
#include "support/TestContext.h"
#include "ui/BitmapBtn.h"
#include "ui/ListBoxPro.h"
#include "ui/SkinImages.h"
#include "ui/UiTestApp.h"

#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>

namespace lumeno {
namespace {

using test::kTwoMacros;

class PickerWindowTest : public ::testing::Test, protected test::UiAppUser {
protected:
    void Open(MacroChoice preset, std::string language = "EN")
    {
        model = std::make_unique<MacroPickerModel>(library, preset);
        dialog = std::make_unique<CMacroDialog>(*model, language, skin);
        dialog->show();
        QApplication::processEvents();
    }
    void ClickAt(QPoint at)
    {
        QWidget* target = dialog->childAt(at);
        if (!target)
            target = dialog.get();
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(dialog.get(), at));
        QApplication::processEvents();
    }
    static QPoint Centre(const PickerRect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }
    QRgb PixelAt(QPoint at) { return dialog->grab().toImage().pixel(at); }

    test::TempDir tmp;
    std::filesystem::path file = tmp.path() / "record.ini";
    ProfileIni ini{test::TestFiles()};
    MacroLibraryFile library{ini, file};
    SkinImages skin{std::filesystem::path(LUMENO_SKIN_DIR).parent_path()};
    std::unique_ptr<MacroPickerModel> model;
    std::unique_ptr<CMacroDialog> dialog;
};

using L = MacroPickerLayout;

TEST_F(PickerWindowTest, OpensWithThePresetNameAndPlayMode)
{
    test::WriteFileBytes(file, kTwoMacros);
    Open({"Macro_2", 1, 1});
    EXPECT_EQ(dialog->size(), QSize(392, 288));
    EXPECT_EQ(dialog->DropDownButton()->Caption(), "Macro_2");
    EXPECT_EQ(dialog->DropDownButton()->geometry(), QRect(42, 128, 109, 16));
    EXPECT_FALSE(dialog->NameList()->isVisible());
    EXPECT_EQ(dialog->OkButton()->Caption(), "OK");
    // The second box shows the chosen image, the others the clear one.
    const QImage on = *skin.Load("macro-key-radio-on.png");
    const QImage off = *skin.Load("macro-key-radio-off.png");
    const QPoint inBox(8, 8);
    for (int mode = 0; mode < kPlayModeCount; ++mode) {
        const QPoint at = QPoint(L::kModeBoxes[mode].left, L::kModeBoxes[mode].top) + inBox;
        EXPECT_EQ(PixelAt(at), (mode == 1 ? on : off).pixel(inBox)) << mode;
    }
}

TEST_F(PickerWindowTest, ClicksChooseAMacroAndAModeThenOk)
{
    test::WriteFileBytes(file, kTwoMacros);
    Open({});
    ClickAt(Centre(L::kDropDown));
    ASSERT_TRUE(dialog->NameList()->isVisible());
    EXPECT_EQ(dialog->NameList()->geometry(), QRect(42, 146, 109, 140));
    ASSERT_EQ(dialog->NameList()->count(), 2);
    EXPECT_EQ(dialog->NameList()->item(1)->text(), "Macro_2");

    auto* list = dialog->NameList();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->ItemRect(1).center());
    QApplication::processEvents();
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(dialog->DropDownButton()->Caption(), "Macro_2");

    ClickAt(Centre(L::kModeBoxes[2]));
    EXPECT_EQ(model->Choice().playMode, 2);
    ClickAt(Centre(L::kOk));
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(model->Choice().name, "Macro_2");
    EXPECT_EQ(model->Choice().position, 1);
    EXPECT_EQ(model->Choice().playMode, 2);
}

TEST_F(PickerWindowTest, ASecondDropDownClickOrAClickElsewhereClosesTheListKeepingTheChoice)
{
    test::WriteFileBytes(file, kTwoMacros);
    Open({"Macro_1", 0, 0});
    ClickAt(Centre(L::kDropDown));
    ASSERT_TRUE(dialog->NameList()->isVisible());
    EXPECT_EQ(dialog->NameList()->currentRow(), 0);
    ClickAt(Centre(L::kDropDown));
    EXPECT_FALSE(dialog->NameList()->isVisible());
    ClickAt(Centre(L::kDropDown));
    ClickAt({300, 230}); // plain background
    EXPECT_FALSE(dialog->NameList()->isVisible());
    // A mode box hides the list and still takes the click.
    ClickAt(Centre(L::kDropDown));
    ClickAt(Centre(L::kModeBoxes[1]));
    EXPECT_FALSE(dialog->NameList()->isVisible());
    EXPECT_EQ(model->Choice().playMode, 1);
    EXPECT_EQ(model->Choice().name, "Macro_1");
    EXPECT_EQ(model->Choice().position, 0);
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(PickerWindowTest, CancelAndCloseEndWithCancelAndKeysNeverEndIt)
{
    test::WriteFileBytes(file, kTwoMacros);
    for (const PickerRect& r : {L::kCancel, L::kClose}) {
        Open({});
        for (int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape, Qt::Key_Space, Qt::Key_F1}) {
            QTest::keyClick(dialog.get(), Qt::Key(key));
            QTest::keyClick(dialog->OkButton(), Qt::Key(key));
        }
        QApplication::processEvents();
        EXPECT_TRUE(dialog->isVisible());
        ClickAt(Centre(r));
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(dialog->result(), QDialog::Rejected);
    }
}

TEST_F(PickerWindowTest, TextsFollowTheLanguage)
{
    Open({}, "CHT");
    EXPECT_EQ(dialog->OkButton()->Caption(), "確定");
    EXPECT_EQ(dialog->Texts().prompt, "請先選擇巨集");
    Open({}, "XX");
    EXPECT_EQ(dialog->CancelButton()->Caption(), "Cancel");
}

// Answers the modal picker from inside its event loop.
void WhenPickerOpens(std::function<void(CMacroDialog&)> act)
{
    QTimer::singleShot(0, [act] {
        auto* picker = qobject_cast<CMacroDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(picker, nullptr);
        act(*picker);
    });
}

void ClickOn(CMacroDialog& picker, QPoint at)
{
    QWidget* target = picker.childAt(at);
    if (!target)
        target = &picker;
    QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(&picker, at));
}

struct ChooserTest : PickerWindowTest {
    test::NullDebugOutput debug;
    test::FixedPlatformPaths paths{tmp.path()};
    AppContext store{debug, paths, test::TestFiles()};
    QWidget parent;
    ChooserTest() { store.paths.macroLibrary = file; }
};

TEST_F(ChooserTest, HandsBackTheChoiceAfterOkAndNothingAfterCancel)
{
    test::WriteFileBytes(file, kTwoMacros);
    QtMacroChooser chooser(&parent, store, skin);
    MacroChoice choice{"untouched", 7, 2};

    WhenPickerOpens([](CMacroDialog& picker) {
        EXPECT_EQ(picker.DropDownButton()->Caption(), "Macro_1");
        ClickOn(picker, Centre(L::kDropDown));
        auto* list = picker.NameList();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->ItemRect(1).center());
        ClickOn(picker, Centre(L::kModeBoxes[1]));
        ClickOn(picker, Centre(L::kCancel));
    });
    EXPECT_FALSE(chooser.Choose({"Macro_1", 0, 0}, choice));
    EXPECT_EQ(choice.name, "untouched");

    WhenPickerOpens([](CMacroDialog& picker) {
        ClickOn(picker, Centre(L::kDropDown));
        auto* list = picker.NameList();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->ItemRect(1).center());
        ClickOn(picker, Centre(L::kModeBoxes[1]));
        ClickOn(picker, Centre(L::kOk));
    });
    ASSERT_TRUE(chooser.Choose({"Macro_1", 0, 0}, choice));
    EXPECT_EQ(choice.name, "Macro_2");
    EXPECT_EQ(choice.position, 1);
    EXPECT_EQ(choice.playMode, 1);
}

TEST_F(ChooserTest, AnEmptyLibraryGivesNoMacroAfterOk)
{
    QtMacroChooser chooser(&parent, store, skin);
    MacroChoice choice;
    WhenPickerOpens([](CMacroDialog& picker) {
        ClickOn(picker, Centre(L::kDropDown));
        EXPECT_EQ(picker.NameList()->count(), 0);
        ClickOn(picker, Centre(L::kModeBoxes[2]));
        ClickOn(picker, Centre(L::kOk));
    });
    ASSERT_TRUE(chooser.Choose({}, choice));
    EXPECT_EQ(choice.position, -1);
}

} // namespace
} // namespace lumeno
