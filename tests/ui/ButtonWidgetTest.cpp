#include "ui/BitmapBtn.h"
#include "ui/UiTestApp.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace lumeno {
namespace {

QImage Solid(QColor c)
{
    QImage i(40, 20, QImage::Format_ARGB32_Premultiplied);
    i.fill(c);
    return i;
}

class ButtonWidgetTest : public ::testing::Test, protected test::UiAppUser {
protected:
    void SetUp() override
    {
        test::UiApp();
        parent.resize(200, 100);
        button = new CBitmapBtn(&parent);
        button->setGeometry(10, 10, 40, 20);
        button->SetIdentifier(77);
        button->SetBitmaps(0, 0, 40, 20, Solid(Qt::red), Solid(Qt::green), Solid(Qt::blue), Solid(Qt::gray));
        parent.show();
    }
    QRgb Shown() { return button->grab().toImage().pixel(1, 1); }

    QWidget parent;
    CBitmapBtn* button = nullptr;
};

TEST_F(ButtonWidgetTest, ShowsNormalHoverPressedAndDisabledLooks)
{
    EXPECT_EQ(Shown(), QColor(Qt::red).rgb());
    QTest::mouseMove(button, QPoint(5, 5));
    EXPECT_TRUE(button->IsHovered());
    EXPECT_EQ(Shown(), QColor(Qt::green).rgb());
    button->setDown(true);
    EXPECT_EQ(Shown(), QColor(Qt::blue).rgb());
    button->setDown(false);
    button->setEnabled(false);
    EXPECT_FALSE(button->IsHovered());
    EXPECT_EQ(Shown(), QColor(Qt::gray).rgb());
}

TEST_F(ButtonWidgetTest, DisabledButtonIgnoresHover)
{
    button->setEnabled(false);
    QTest::mouseMove(button, QPoint(5, 5));
    QEnterEvent enter(QPointF(5, 5), QPointF(15, 15), QPointF(15, 15));
    QApplication::sendEvent(button, &enter);
    QMouseEvent move(QEvent::MouseMove, QPointF(6, 6), QPointF(16, 16), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(button, &move);
    EXPECT_FALSE(button->IsHovered());
    EXPECT_EQ(button->CurrentLook(), ButtonLook::Disabled);
}

TEST_F(ButtonWidgetTest, HoverStartsAtTheHoverColumnAndEndsOnLeave)
{
    button->SetHoverStartColumn(20);
    QTest::mouseMove(button, QPoint(10, 5));
    EXPECT_FALSE(button->IsHovered());
    QTest::mouseMove(button, QPoint(25, 5));
    EXPECT_TRUE(button->IsHovered());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(button, &leave);
    EXPECT_FALSE(button->IsHovered());
}

TEST_F(ButtonWidgetTest, ClickForwardsMovesAndReleasesToTheParent)
{
    QSignalSpy clicked(button, &QAbstractButton::clicked);
    QSignalSpy moved(button, &CBitmapBtn::mouseMovedOver);
    QSignalSpy released(button, &CBitmapBtn::leftButtonReleased);
    QSignalSpy toggled(button, &CBitmapBtn::toggleCommand);
    QTest::mouseMove(button, QPoint(5, 5));
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_EQ(released.count(), 1);
    EXPECT_EQ(toggled.count(), 0);
    ASSERT_GE(moved.count(), 1);
    EXPECT_EQ(moved[0][0].toPoint(), button->mapToGlobal(QPoint(5, 5)));
}

TEST_F(ButtonWidgetTest, ToggleModeFlipsOnReleaseAndSendsItsIdentifier)
{
    button->SetToggleMode(true);
    QSignalSpy clicked(button, &QAbstractButton::clicked);
    QSignalSpy toggled(button, &CBitmapBtn::toggleCommand);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(button->IsToggleChecked());
    ASSERT_EQ(toggled.count(), 1);
    EXPECT_EQ(toggled[0][0].toInt(), 77);
    EXPECT_EQ(clicked.count(), 0);
    EXPECT_EQ(Shown(), QColor(Qt::blue).rgb()); // checked shows the pressed image, hover or not
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(button->IsToggleChecked());
    EXPECT_EQ(toggled.count(), 2);
}

TEST_F(ButtonWidgetTest, CaptionIsDrawnInTheColourOfTheState)
{
    button->setGeometry(10, 10, 40, 20);
    button->SetCaption(QStringLiteral("WWWWWWWW"));
    button->SetCaptionColours(Qt::white, Qt::yellow, Qt::black, Qt::cyan);
    const QImage shot = button->grab().toImage();
    bool white = false;
    for (int x = 5; x < 40 && !white; ++x)
        for (int y = 0; y < 20 && !white; ++y)
            white = shot.pixel(x, y) == qRgb(255, 255, 255);
    EXPECT_TRUE(white);
    for (int y = 0; y < 20; ++y)
        EXPECT_EQ(shot.pixel(2, y), QColor(Qt::red).rgb()); // inset 5 px from the left
}

} // namespace
} // namespace lumeno
