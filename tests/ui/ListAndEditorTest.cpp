#include "ui/LBEditorWnd.h"
#include "ui/ListBoxPro.h"
#include "ui/UiTestApp.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace lumeno {
namespace {

class ListTest : public ::testing::Test, protected test::UiAppUser {
protected:
    void SetUp() override
    {
        test::UiApp();
        window.resize(300, 300);
        list = new CListBoxPro(&window);
        list->setGeometry(10, 10, 150, 200);
        list->SetListId(151);
        other = new QWidget(&window);
        other->setGeometry(200, 10, 50, 50);
        window.show();
        window.activateWindow();
        QApplication::processEvents();
    }
    void Fill(std::initializer_list<const char*> items)
    {
        for (const char* t : items)
            list->addItem(QString::fromUtf8(t));
    }
    QPoint ItemCentre(int row) { return list->ItemRect(row).center(); }

    QWidget window;
    CListBoxPro* list = nullptr;
    QWidget* other = nullptr;
};

TEST_F(ListTest, HoverNoticeOnEveryChangeOfTheHoveredItemAndOnRightRelease)
{
    Fill({"Game", "Work", "Profile 3"});
    QSignalSpy notice(list, &CListBoxPro::hoverNotice);
    QTest::mouseMove(list->viewport(), ItemCentre(2));
    QTest::mouseMove(list->viewport(), ItemCentre(2) + QPoint(3, 0));
    QTest::mouseMove(list->viewport(), ItemCentre(0));
    ASSERT_EQ(notice.count(), 2);
    EXPECT_EQ(notice[0][0].toInt(), 2);
    EXPECT_EQ(notice[0][1].toInt(), 151);
    EXPECT_EQ(notice[1][0].toInt(), 0);
    QTest::mouseClick(list->viewport(), Qt::RightButton, {}, ItemCentre(1));
    ASSERT_GE(notice.count(), 3);
    EXPECT_EQ(notice.last()[0].toInt(), 1);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(list, &leave);
    EXPECT_EQ(list->HoverItem(), -1);
}

TEST_F(ListTest, HoveredAndSelectedItemsAreSignalYellowOthersGrey)
{
    Fill({"Game", "Work", "Profile 3"});
    list->setCurrentRow(0);
    QTest::mouseMove(list->viewport(), ItemCentre(2));
    const QImage shot = list->viewport()->grab().toImage();
    auto at = [&](int row) { return shot.pixel(list->ItemRect(row).right() - 3, list->ItemRect(row).center().y()); };
    EXPECT_EQ(at(0), kListHighlightColour);
    EXPECT_EQ(at(1), kListItemColour);
    EXPECT_EQ(at(2), kListHighlightColour);
}

TEST_F(ListTest, AmpersandAndParenthesisKeysAreSwallowed)
{
    Fill({"Alpha", "&Beta", "(Gamma"});
    list->setCurrentRow(0);
    list->setFocus();
    QTest::keyClick(list, '&');
    QTest::keyClick(list, '(');
    EXPECT_EQ(list->currentRow(), 0);
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(list->currentRow(), 1);
}

TEST_F(ListTest, NumericEditAcceptsDigitsOnTabAndRewritesTheDelay)
{
    Fill({"A   Dn", "50 ms", "A   Up"});
    QPointer<CLBEditorWnd> editor = CLBEditorWnd::Open(list, 1, CLBEditorWnd::Mode::Numeric, 1006);
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->text(), QStringLiteral("50 ms"));
    EXPECT_TRUE(editor->hasSelectedText());
    QSignalSpy ended(editor.data(), &CLBEditorWnd::editEnded);
    editor->clear();
    QTest::keyClicks(editor, QStringLiteral("2x5y0"));
    EXPECT_EQ(editor->text(), QStringLiteral("250"));
    QTest::keyClick(editor, Qt::Key_Tab);
    EXPECT_EQ(list->item(1)->text(), QStringLiteral("250 ms"));
    ASSERT_EQ(ended.count(), 1);
    EXPECT_EQ(ended[0][0].toInt(), 1006);
    EXPECT_EQ(ended[0][1].toInt(), 1);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(editor);
}

TEST_F(ListTest, TextEditRefusesDuplicatesAndEmptyText)
{
    Fill({"Game", "Work"});
    for (const QString& typed : {QStringLiteral("Game"), QString()}) {
        auto* editor = CLBEditorWnd::Open(list, 1, CLBEditorWnd::Mode::Text, 151);
        QSignalSpy ended(editor, &CLBEditorWnd::editEnded);
        editor->setText(typed);
        QTest::keyClick(editor, Qt::Key_Return);
        EXPECT_EQ(editor->Result(), CLBEditorWnd::Outcome::Refused) << typed.toStdString();
        EXPECT_EQ(ended.count(), 1);
        EXPECT_EQ(list->item(1)->text(), QStringLiteral("Work"));
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(ListTest, EscapeCancelsAndAClickOutsideAccepts)
{
    Fill({"Game", "Work"});
    auto* editor = CLBEditorWnd::Open(list, 0, CLBEditorWnd::Mode::Text, 151);
    QSignalSpy ended(editor, &CLBEditorWnd::editEnded);
    editor->setText(QStringLiteral("Office"));
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_EQ(editor->Result(), CLBEditorWnd::Outcome::Cancelled);
    EXPECT_EQ(ended.count(), 1);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("Game"));
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    auto* second = CLBEditorWnd::Open(list, 0, CLBEditorWnd::Mode::Text, 151);
    QSignalSpy ended2(second, &CLBEditorWnd::editEnded);
    second->setText(QStringLiteral("Office"));
    QTest::mouseClick(other, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(ended2.count(), 1);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("Office"));
    // A further click changes nothing: the editor has finished.
    QTest::mouseClick(other, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(ended2.count(), 1);
}

} // namespace
} // namespace lumeno
