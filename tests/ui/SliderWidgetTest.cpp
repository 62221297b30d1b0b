#include "ui/DMarker.h"
#include "ui/UiTestApp.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace lumeno {
namespace {

class SliderWidgetTest : public ::testing::Test, protected test::UiAppUser {
protected:
    void SetUp() override
    {
        test::UiApp();
        parent.resize(300, 200);
    }
    QWidget parent;
};

TEST_F(SliderWidgetTest, VerticalDragToTheTopAndReleaseBelowTheTrack)
{
    CDMarkerV slider(&parent);
    slider.Create(QRect(25, 3, 7, 170), 2027);
    slider.SetRange(1, 120);
    slider.SetPos(60);
    QSignalSpy released(&slider, &CDMarkerBase::sliderReleased);

    QTest::mousePress(&slider, Qt::LeftButton, {}, QPoint(3, 100));
    EXPECT_TRUE(slider.IsDragging());
    QTest::mouseMove(&slider, QPoint(3, 0));
    EXPECT_EQ(slider.GetPos(), 120);
    QTest::mouseRelease(&slider, Qt::LeftButton, {}, QPoint(3, 0));
    ASSERT_EQ(released.count(), 1);
    EXPECT_EQ(released[0][0].toInt(), 120);
    EXPECT_EQ(released[0][1].toInt(), 2027);

    QTest::mousePress(&slider, Qt::LeftButton, {}, QPoint(3, 50));
    QTest::mouseRelease(&slider, Qt::LeftButton, {}, QPoint(3, 250));
    ASSERT_EQ(released.count(), 2);
    EXPECT_EQ(released[1][0].toInt(), 1);
    EXPECT_FALSE(slider.IsDragging());
}

TEST_F(SliderWidgetTest, HorizontalReachesSixOnlyAtTheRightEdgeAndPaintsTheFilledPart)
{
    CDMarker slider(&parent);
    slider.Create(QRect(100, 20, 128, 8), 2037);
    slider.SetRange(1, 6);
    QImage empty(128, 8, QImage::Format_RGB32);
    empty.fill(Qt::black);
    QImage filled(128, 8, QImage::Format_RGB32);
    filled.fill(Qt::red);
    slider.SetTrackImages(empty, filled);
    QSignalSpy released(&slider, &CDMarkerBase::sliderReleased);

    QTest::mousePress(&slider, Qt::LeftButton, {}, QPoint(10, 4));
    QTest::mouseRelease(&slider, Qt::LeftButton, {}, QPoint(127, 4));
    ASSERT_EQ(released.count(), 1);
    EXPECT_EQ(released[0][0].toInt(), 5);
    QImage shot = slider.grab().toImage();
    EXPECT_EQ(shot.pixel(127, 4), qRgb(255, 0, 0)); // level 5 already fills the track

    QTest::mousePress(&slider, Qt::LeftButton, {}, QPoint(10, 4));
    QTest::mouseRelease(&slider, Qt::LeftButton, {}, QPoint(128, 4));
    EXPECT_EQ(released[1][0].toInt(), 6);

    slider.SetPos(2);
    shot = slider.grab().toImage();
    EXPECT_EQ(shot.pixel(31, 4), qRgb(255, 0, 0));
    EXPECT_EQ(shot.pixel(32, 4), qRgb(0, 0, 0));
}

TEST_F(SliderWidgetTest, DisabledSliderSendsNothing)
{
    CDMarker slider(&parent);
    slider.Create(QRect(100, 20, 128, 8), 2040);
    slider.SetRange(1, 6);
    slider.SetPos(3);
    slider.setEnabled(false);
    QSignalSpy released(&slider, &CDMarkerBase::sliderReleased);
    QTest::mousePress(&slider, Qt::LeftButton, {}, QPoint(10, 4));
    QTest::mouseRelease(&slider, Qt::LeftButton, {}, QPoint(128, 4));
    EXPECT_EQ(released.count(), 0);
    EXPECT_EQ(slider.GetPos(), 3);
}

} // namespace
} // namespace lumeno
