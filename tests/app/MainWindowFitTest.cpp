// The main window's controls against what they show: the axis sliders take
// the level of the scale label under the click, and no caption is cut off.
#include "MainWindowFixture.h"

#include "ui/BitmapBtn.h"
#include "ui/DMarker.h"

#include <QFontMetrics>
#include <QGlyphRun>
#include <QRawFont>
#include <QTest>
#include <QTextLayout>

#include <gtest/gtest.h>

#include <vector>

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

struct MainWindowCaptionTest : MainWindowFixture, ::testing::TestWithParam<const char*> {};

TEST_P(MainWindowCaptionTest, NoCaptionIsCutAndTheViewTabsShareOneFont)
{
    SeedProfile(GetParam());
    auto& w = Start().Window();
    const auto tab = [&w](const Rect& r) {
        return qobject_cast<CBitmapBtn*>(w.childAt(r.left + r.Width() / 2, r.top + r.Height() / 2));
    };
    CBitmapBtn* topTab = tab(kTopViewTabRect);
    CBitmapBtn* sideTab = tab(kSideViewTabRect);
    ASSERT_TRUE(topTab && sideTab);
    EXPECT_EQ(topTab->CaptionFont().toString().toStdString(), sideTab->CaptionFont().toString().toStdString());

    std::vector<CBitmapBtn*> buttons{
        w.AssignmentHeaderButton(), w.MacroHeaderButton(), w.AxisHeaderButton(), topTab, sideTab,
        w.ProfileButton(),          w.ResetButton()};
    for (int i = 0; i < kButtonCount; ++i)
        buttons.push_back(w.AssignmentBox(i));
    for (CBitmapBtn* button : buttons) {
        const QString caption = button->Caption();
        SCOPED_TRACE(caption.toStdString());
        // The captions are drawn in the fonts the platform finds for the
        // window's face (DejaVu Sans for "Arial"; WenQuanYi Micro Hei for the
        // Chinese characters): every glyph is there, so widths are real.
        QTextLayout layout(caption, button->CaptionFont());
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        for (const QGlyphRun& run : layout.glyphRuns())
            for (const quint32 glyph : run.glyphIndexes())
                EXPECT_NE(glyph, 0u) << "a glyph missing in " << run.rawFont().familyName().toStdString();

        const QFontMetrics metrics(button->CaptionFont(), button);
        const int area = button->CaptionRect().width();
        EXPECT_LE(metrics.horizontalAdvance(caption), area) << button->CaptionFont().pixelSize() << " px";
        EXPECT_EQ(metrics.elidedText(caption, Qt::ElideRight, area).toStdString(), caption.toStdString());
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, MainWindowCaptionTest, ::testing::Values("EN", "DE", "CHS", "CHT"));

} // namespace
} // namespace lumeno
