#include "ui/ExMenu.h"
#include "ui/SkinScrollBar.h"
#include "ui/UiTestApp.h"

#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace lumeno {
namespace {

TEST(ExMenuTest, ItemHeightsBorderAndSelectedColour)
{
    test::UiApp();
    CExMenu menu;
    menu.AppendItem(2001, QStringLiteral("Click"));
    menu.AppendItem(kMenuHiddenId, QStringLiteral("hidden"));
    menu.AppendItem(kMenuSeparatorId, QString());
    menu.AppendItem(2002, QStringLiteral("Menu"));
    menu.SetItemWidth(130);
    menu.popup(QPoint(0, 0));
    QApplication::processEvents();
    const QRect click = menu.actionGeometry(menu.ActionFor(2001));
    const QRect separator = menu.actionGeometry(menu.actions().at(2));
    const QRect item = menu.actionGeometry(menu.ActionFor(2002));
    EXPECT_EQ(click.height(), 20);
    EXPECT_EQ(click.width(), 130);
    EXPECT_FALSE(menu.ActionFor(kMenuHiddenId)->isVisible());
    EXPECT_EQ(separator.height(), 5);
    EXPECT_EQ(separator.top(), click.bottom() + 1); // the hidden item takes no room
    EXPECT_EQ(item.height(), 20);
    EXPECT_EQ(menu.height(), 20 + 5 + 20 + 2 * kMenuFrameWidth);

    menu.setActiveAction(menu.ActionFor(2002));
    const QImage shot = menu.grab().toImage();
    EXPECT_EQ(shot.pixel(0, 0), qRgb(143, 32, 32));
    EXPECT_EQ(shot.pixel(1, 1), qRgb(111, 41, 41));
    EXPECT_EQ(shot.pixel(2, 2), qRgb(111, 41, 41));
    EXPECT_EQ(shot.pixel(item.right() - 2, item.top() + 2), qRgb(143, 32, 32));
    EXPECT_EQ(shot.pixel(click.right() - 2, click.top() + 2), qRgb(111, 41, 41));
    EXPECT_EQ(shot.pixel(separator.left() + 10, separator.top() + 2), qRgb(111, 41, 41));
    menu.hide();
}

TEST(ExMenuTest, WidthRuleWhenTheCallerSetsNone)
{
    test::UiApp();
    CExMenu menu;
    menu.AppendItem(1001, QStringLiteral("Update"));
    menu.AppendItem(1003, QStringLiteral("Version:1.0"));
    EXPECT_EQ(menu.ItemWidth(), kMenuWidthMargins + 8 * 11);
    EXPECT_EQ(CExMenu::IdOf(menu.actions().at(1)), 1003);
}

class ScrollTest : public ::testing::Test, protected test::UiAppUser {
protected:
    void SetUp() override
    {
        test::UiApp();
        skin = QImage(126, 42, QImage::Format_ARGB32_Premultiplied);
        skin.fill(Qt::darkGray);
        model.setRange(0, 100);
        model.setPageStep(10);
        model.setSingleStep(1);
        model.setValue(50);
        bar = new CSkinScrollBar(Qt::Vertical, &host);
        bar->setGeometry(0, 0, 14, 200);
        bar->SetSkin(skin);
        bar->SetTarget(&model);
        host.resize(50, 220);
        host.show();
    }
    void Press(int y) { QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(7, y)); }
    void Release(int y) { QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(7, y)); }

    QImage skin;
    QScrollBar model{Qt::Vertical};
    QWidget host;
    CSkinScrollBar* bar = nullptr;
};

TEST_F(ScrollTest, ArrowsStepAndTheTrackPagesAtOnce)
{
    EXPECT_EQ(bar->Thickness(), 14);
    Press(5);
    EXPECT_EQ(model.value(), 49);
    Release(5);
    Press(195);
    EXPECT_EQ(model.value(), 50);
    Release(195);
    Press(bar->Layout().thumbStart + bar->Layout().thumbLength + 3);
    EXPECT_EQ(model.value(), 60);
    Release(150);
}

TEST_F(ScrollTest, HeldArrowRepeatsAfterTheDelayAndStopsOnRelease)
{
    std::chrono::milliseconds now{0};
    bar->SetClock([&now] { return now; });
    Press(195);
    EXPECT_EQ(model.value(), 51);
    const struct {
        int at;
        int value;
    } steps[] = {{100, 51}, {499, 51}, {500, 52}, {599, 52}, {600, 53}, {900, 56}};
    for (const auto& step : steps) {
        now = std::chrono::milliseconds(step.at);
        bar->RepeatTick();
        EXPECT_EQ(model.value(), step.value) << step.at << " ms";
    }
    // Off the arrow nothing repeats; released, nothing is due any more.
    QTest::mouseMove(bar, QPoint(7, 100));
    now = std::chrono::milliseconds(1000);
    bar->RepeatTick();
    EXPECT_EQ(model.value(), 56);
    Release(195);
    now = std::chrono::milliseconds(2000);
    bar->RepeatTick();
    EXPECT_EQ(model.value(), 56);
}

TEST_F(ScrollTest, DraggingTheThumbTracksAndSettlesThePosition)
{
    const ScrollBarLayout layout = bar->Layout();
    Press(layout.thumbStart + 2);
    QTest::mouseMove(bar, QPoint(7, 199));
    EXPECT_EQ(model.sliderPosition(), 100);
    EXPECT_TRUE(model.isSliderDown());
    Release(199);
    EXPECT_FALSE(model.isSliderDown());
    EXPECT_EQ(model.value(), 100);
}

TEST(SkinScrollWndTest, WrapsAListAndDrivesItsScrolling)
{
    test::UiApp();
    QWidget host;
    host.resize(300, 300);
    auto* list = new QListWidget(&host);
    list->setGeometry(10, 10, 150, 120);
    for (int i = 0; i < 60; ++i)
        list->addItem(QStringLiteral("Line %1").arg(i));
    QImage skin(126, 42, QImage::Format_ARGB32_Premultiplied);
    skin.fill(Qt::gray);
    CSkinScrollWnd* frame = CSkinScrollWnd::Wrap(list, skin);
    host.show();
    QApplication::processEvents();
    EXPECT_EQ(frame->objectName(), QStringLiteral("SkinScrollBarFrame"));
    EXPECT_EQ(frame->geometry(), QRect(10, 10, 150, 120));
    EXPECT_EQ(list->parentWidget()->objectName(), QStringLiteral("LIMIT"));
    EXPECT_EQ(list->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    ASSERT_TRUE(frame->VerticalBar()->isVisible());
    EXPECT_EQ(frame->VerticalBar()->Target(), list->verticalScrollBar());
    EXPECT_EQ(frame->VerticalBar()->geometry().right(), 149);
    const int before = list->verticalScrollBar()->value();
    CSkinScrollBar* v = frame->VerticalBar();
    QTest::mouseClick(v, Qt::LeftButton, {}, QPoint(7, v->height() - 3));
    EXPECT_GT(list->verticalScrollBar()->value(), before);
}

} // namespace
} // namespace lumeno
