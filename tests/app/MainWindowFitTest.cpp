// The main window's controls against what they show: the axis sliders take
// the level of the scale label under the click.
#include "MainWindowFixture.h"

#include "ui/BitmapBtn.h"
#include "ui/DMarker.h"

#include <QTest>

#include <gtest/gtest.h>

namespace lumeno {
namespace {

using test::MainWindowFixture;

struct MainWindowFitTest : MainWindowFixture, ::testing::Test {};

TEST_F(MainWindowFitTest, AClickOnTheTrackAboveAScaleLabelSetsThatLevel)
{
    auto& s = Start();
    auto& w = s.Window();
    s.RestoreFromTray();
    QTest::mouseClick(w.AxisHeaderButton(), Qt::LeftButton);
    for (const bool assignmentOpen : {false, true}) {
        if (w.Layout().AssignmentExpanded() != assignmentOpen)
            QTest::mouseClick(w.AssignmentHeaderButton(), Qt::LeftButton);
        const struct {
            CDMarker* slider;
            Rect place;
            uint8_t VirtualMouseState::*sent; // the level times 20
        } axes[] = {{w.XSlider(), w.Layout().XSlider(), &VirtualMouseState::sensitivityX},
                    {w.YSlider(), w.Layout().YSlider(), &VirtualMouseState::sensitivityY}};
        for (const auto& axis : axes) {
            for (int n = 1; n <= 10; ++n) {
                SCOPED_TRACE(testing::Message() << "label " << n << " under the slider at y " << axis.place.top
                                                << (assignmentOpen ? ", button assignment open" : ""));
                const QPoint click(w.Layout().ScaleLabel(n, axis.place.top).x, axis.place.top + kSliderHeight / 2);
                QWidget* hit = w.childAt(click);
                ASSERT_EQ(hit, axis.slider);
                QTest::mouseClick(hit, Qt::LeftButton, {}, hit->mapFrom(&w, click));
                ASSERT_TRUE(Settle());
                EXPECT_EQ(axis.slider->GetPos(), n);
                EXPECT_EQ(mouse.State().*axis.sent, 20 * n);
            }
        }
    }
}

} // namespace
} // namespace lumeno
