// The key capture dialog with a scripted keyboard hook: what it shows for
// each key event, how it ends, and that the hook is held only while it is
// on screen.
#include "buttons/SingleDialog.h"

#include "support/EventLoopQuiet.h"
#include "support/TestContext.h"
#include "ui/SkinImages.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace lumeno::test {
namespace {

// The hook as tests drive it: Start hands back a callback the test calls.
class ScriptedHook final : public KeyboardHook {
public:
    bool Start(Callback callback, KeyboardHookFailure& failure) override
    {
        ++starts;
        if (refuse) {
            failure = {1, "another program holds the keyboard grab"};
            return false;
        }
        callback_ = std::move(callback);
        return true;
    }
    void Stop() override
    {
        if (callback_)
            ++stops;
        callback_ = nullptr;
    }
    bool Active() const override { return bool(callback_); }
    void Key(uint32_t vk, uint32_t scan, uint32_t flags)
    {
        if (callback_)
            callback_({vk, scan, flags});
    }
    int starts = 0;
    int stops = 0;
    bool refuse = false;

private:
    Callback callback_;
};

struct Told {
    QString caption;
    QString text;
};

struct KeyCaptureDialogTest : ::testing::Test {
    KeyCaptureDialogTest()
    {
        auto write = [&](const std::string& name, int w, int h) {
            const auto path = folder.path() / "Skins" / name;
            std::filesystem::create_directories(path.parent_path());
            QImage image(w, h, QImage::Format_ARGB32);
            image.fill(QColor(30, 30, 30));
            image.save(QString::fromStdString(path.string()));
        };
        write("single-key.png", 392, 288);
        write("button-close-normal.png", 15, 15);
        write("MacroManagement/button-cancel-normal.png", 64, 25);
    }
    std::unique_ptr<CSingleDialog> Make(const std::string& preset = {}, const std::string& language = "EN")
    {
        auto dialog = std::make_unique<CSingleDialog>(
            skin, debug, &hook, language, preset,
            [this](const QString& caption, const QString& text) {
                told.push_back({caption, text});
            },
            nullptr);
        return dialog;
    }
    // Shows the dialog and lets it take the hook.
    void Show(CSingleDialog& dialog)
    {
        const int before = hook.starts;
        dialog.show();
        EXPECT_TRUE(test::WaitFor([&] { return hook.starts != before; }));
    }

    TempDir folder;
    SkinImages skin{folder.path()};
    CapturingDebugOutput debug;
    ScriptedHook hook;
    std::vector<Told> told;
};

TEST_F(KeyCaptureDialogTest, TakesTheHookOnceShownAndShowsTheLastKeyEvent)
{
    auto dialog = Make("F5");
    EXPECT_EQ(dialog->KeyName(), "F5");
    EXPECT_EQ(dialog->size(), QSize(392, 288));
    EXPECT_EQ(hook.starts, 0) << "no hook before the dialog is on screen";
    Show(*dialog);
    ASSERT_TRUE(hook.Active());
    hook.Key(0x5B, 0x5B, kKeyFlagExtended);
    EXPECT_EQ(dialog->KeyName(), "Left Windows");
    EXPECT_TRUE(debug.Contains("vk code=5b,scan code=5b,key flag=1\n"));
    hook.Key(0x0D, 0x1C, kKeyFlagExtended);
    EXPECT_EQ(dialog->KeyName(), "Num Enter");
    hook.Key(0x0D, 0x1C, 0);
    EXPECT_EQ(dialog->KeyName(), "Enter");
    // Shift, A, release A, release Shift: the last event names the key.
    hook.Key(0xA0, 0x2A, 0);
    hook.Key(0x41, 0x1E, 0);
    hook.Key(0x41, 0x1E, kKeyFlagUp);
    hook.Key(0xA0, 0x2A, kKeyFlagUp);
    EXPECT_EQ(dialog->KeyName(), "Shift");
    hook.Key(0x1B, 0x01, 0);
    EXPECT_EQ(dialog->KeyName(), "Esc");
    EXPECT_TRUE(dialog->isVisible()) << "Esc does not end it";
    hook.Key(0xE2, 0x56, 0);
    EXPECT_EQ(dialog->KeyName(), "") << "a key without a name empties the box";
}

TEST_F(KeyCaptureDialogTest, OnlyOkCancelAndCloseEndItAndEachReleasesTheHook)
{
    struct Case {
        QPoint at;
        int result;
    };
    for (const Case c : {Case{{250, 260}, QDialog::Accepted}, Case{{320, 260}, QDialog::Rejected},
                         Case{{360, 10}, QDialog::Rejected}}) {
        auto dialog = Make();
        Show(*dialog);
        hook.Key(0x41, 0x1E, 0);
        // Keys reaching the window itself end nothing.
        for (int key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space, Qt::Key_F1})
            QTest::keyClick(dialog.get(), Qt::Key(key));
        ASSERT_TRUE(dialog->isVisible());
        EXPECT_EQ(dialog->KeyName(), "A");
        QTest::mouseClick(dialog.get(), Qt::LeftButton, {}, QPoint(100, 200)); // background: a drag, no end
        ASSERT_TRUE(dialog->isVisible());
        const int stopsBefore = hook.stops;
        QTest::mouseClick(dialog.get(), Qt::LeftButton, {}, c.at);
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(dialog->result(), c.result) << c.at.x();
        EXPECT_FALSE(hook.Active());
        EXPECT_EQ(hook.stops, stopsBefore + 1);
    }
}

TEST_F(KeyCaptureDialogTest, HidingOrDestroyingItReleasesTheHook)
{
    auto dialog = Make();
    Show(*dialog);
    ASSERT_TRUE(hook.Active());
    dialog->hide();
    EXPECT_FALSE(hook.Active());

    auto second = Make();
    Show(*second);
    ASSERT_TRUE(hook.Active());
    second.reset();
    EXPECT_FALSE(hook.Active());
}

TEST_F(KeyCaptureDialogTest, WithoutItsBackgroundItSaysSoTakesNoHookAndStillEnds)
{
    std::filesystem::remove(folder.path() / "Skins" / "single-key.png");
    auto dialog = Make();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].caption, "Single Key Dialog Load background image failed!!!");
    EXPECT_EQ(told[0].text, "error");
    dialog->show();
    ASSERT_TRUE(test::WaitUntilQuiet());
    EXPECT_EQ(hook.starts, 0);
    EXPECT_EQ(dialog->size(), QSize(392, 288));
    QTest::mouseClick(dialog.get(), Qt::LeftButton, {}, QPoint(250, 260));
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

TEST_F(KeyCaptureDialogTest, AHookThatCannotStartIsReportedWithItsCode)
{
    hook.refuse = true;
    auto dialog = Make("Tab");
    Show(*dialog);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].text, "JournalRecordHook Install error code :1\n");
    EXPECT_TRUE(debug.Contains("Key capture hook not installed: another program holds the keyboard grab\n"));
    QTest::mouseClick(dialog.get(), Qt::LeftButton, {}, QPoint(250, 260));
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->KeyName(), "Tab") << "OK gives back the preset";
}

TEST_F(KeyCaptureDialogTest, TextsAndFontFollowTheLanguage)
{
    auto dialog = Make({}, "CHS");
    EXPECT_EQ(dialog->Texts().title, "请输入一个按键");
    EXPECT_EQ(dialog->TextFont().pixelSize(), 13);
    EXPECT_EQ(dialog->TextFont().weight(), QFont::Normal);
    auto german = Make({}, "DE");
    EXPECT_EQ(german->Texts().cancel, "Abbrechen");
    EXPECT_EQ(german->TextFont().family(), "Arial");
    EXPECT_EQ(german->TextFont().pixelSize(), 14);
}

TEST_F(KeyCaptureDialogTest, HoverDrawsOneElementOver)
{
    auto dialog = Make();
    Show(*dialog);
    QTest::mouseMove(dialog.get(), QPoint(250, 260));
    EXPECT_EQ(dialog->Hovered(), CSingleDialog::Element::Ok);
    QTest::mouseMove(dialog.get(), QPoint(320, 260));
    EXPECT_EQ(dialog->Hovered(), CSingleDialog::Element::Cancel);
    QTest::mouseMove(dialog.get(), QPoint(360, 10));
    EXPECT_EQ(dialog->Hovered(), CSingleDialog::Element::Close);
    QTest::mouseMove(dialog.get(), QPoint(100, 100));
    EXPECT_EQ(dialog->Hovered(), CSingleDialog::Element::None);
}

} // namespace
} // namespace lumeno::test
