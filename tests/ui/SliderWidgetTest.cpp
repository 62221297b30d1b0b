#include "ui/DMarker.h"
#include "ui/UiTestApp.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

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

TEST_F(SliderWidgetTest, MovedOrResizedAfterCreateTakesItsLevelWhereItIsShown)
{
    // Range 1..11: 1 + 10 * (x - left) / width, or 1 + 10 * (bottom - y) / height,
    // with the place the parent gave the control after Create.
    struct Case {
        SliderOrientation orientation;
        QRect created;
        QRect shown;
        QPoint click; // in the control
        int level;
        int filled; // pixels from the left or from the bottom
    };
    const Case cases[] = {
        {SliderOrientation::Horizontal, QRect(0, 0, 208, 9), QRect(37, 202, 208, 9), QPoint(94, 4), 5, 92},
        {SliderOrientation::Horizontal, QRect(0, 0, 100, 9), QRect(37, 202, 208, 9), QPoint(150, 4), 8, 161},
        {SliderOrientation::Vertical, QRect(0, 0, 7, 170), QRect(25, 30, 7, 170), QPoint(3, 102), 5, 75},
        {SliderOrientation::Vertical, QRect(25, 3, 7, 100), QRect(25, 3, 7, 200), QPoint(3, 120), 5, 88},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "shown at " << c.shown.x() << "," << c.shown.y() << " " << c.shown.width()
                                        << "x" << c.shown.height());
        std::unique_ptr<CDMarkerBase> slider;
        if (c.orientation == SliderOrientation::Horizontal)
            slider = std::make_unique<CDMarker>(&parent);
        else
            slider = std::make_unique<CDMarkerV>(&parent);
        slider->Create(c.created, 7);
        slider->SetRange(1, 11);
        slider->setGeometry(c.shown);
        QImage empty(c.shown.size(), QImage::Format_RGB32);
        empty.fill(Qt::black);
        QImage filled(c.shown.size(), QImage::Format_RGB32);
        filled.fill(Qt::red);
        slider->SetTrackImages(empty, filled);
        QSignalSpy released(slider.get(), &CDMarkerBase::sliderReleased);

        QTest::mouseClick(slider.get(), Qt::LeftButton, {}, c.click);
        ASSERT_EQ(released.count(), 1);
        EXPECT_EQ(released[0][0].toInt(), c.level);
        // The n-th pixel of the track from its start.
        const auto track = [&](int n) {
            return c.orientation == SliderOrientation::Horizontal
                       ? QPoint(n, c.shown.height() / 2)
                       : QPoint(c.shown.width() / 2, c.shown.height() - 1 - n);
        };
        const QImage shot = slider->grab().toImage();
        EXPECT_EQ(shot.pixel(track(c.filled - 1)), qRgb(255, 0, 0));
        EXPECT_EQ(shot.pixel(track(c.filled)), qRgb(0, 0, 0));
    }
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
