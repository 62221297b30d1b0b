// The lighting panes as widgets, offscreen: what a click, a drag and a
// double click do to the image and the requests, and what is painted.
#include "lighting/DlgLighting.h"

#include "support/TestContext.h"
#include "ui/DMarker.h"
#include "ui/SkinImages.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

namespace lumeno::test {
namespace {

const QColor kBackground(30, 30, 30);
const QColor kRadioOn(255, 0, 0);
const QColor kRadioOff(0, 0, 255);
const QColor kMultiColour(0, 128, 0);

class RecordingCommands final : public ConfigCommands {
public:
    void Apply(ApplyGroup group) override { applied.push_back(group); }
    void ClearHighlight() override { ++highlightsCleared; }
    std::vector<ApplyGroup> applied;
    int highlightsCleared = 0;
};

struct ScriptedChooser {
    std::optional<QColor> operator()(QWidget*, const QString& title)
    {
        titles.push_back(title);
        return answer;
    }
    std::optional<QColor> answer;
    std::vector<QString> titles;
};

struct DlgLightingTest : ContextFixture, ::testing::Test {
    DlgLightingTest()
    {
        auto write = [&](const std::string& name, int w, int h, QColor colour) {
            const auto path = appFolder.path() / "Skins" / name;
            std::filesystem::create_directories(path.parent_path());
            QImage image(w, h, QImage::Format_ARGB32);
            image.fill(colour);
            image.save(QString::fromStdString(path.string()));
        };
        write("Lighting/BK_Lighting.png", 242, 192, kBackground);
        write("Lighting/BK_PADLighting.png", 242, 192, kBackground);
        write("Enable.png", 10, 10, kRadioOn);
        write("Disable.png", 10, 10, kRadioOff);
        write("MultiColor.png", 18, 17, kMultiColour);
        write("StageSlider/1.png", 129, 11, QColor(60, 60, 60));
        write("StageSlider/10.png", 129, 11, QColor(200, 200, 0));
        LoadFactoryDefaults(ctx.image);
        ctx.languageCode = "EN";
        FillUiText(text, "EN");
    }

    template <class Pane>
    std::unique_ptr<Pane> Make()
    {
        auto pane = std::make_unique<Pane>(context, nullptr);
        pane->SetColourChooser(std::ref(chooser));
        pane->resize(242, 192);
        return pane;
    }
    static QPoint Centre(const LightingRect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }
    static QColor Pixel(QWidget& w, int x, int y) { return w.grab().toImage().pixelColor(x, y); }

    // What the platform delivers for a double click: press, release, press,
    // double click, release, quickly and in one place.
    void DoubleClick(QWidget* w, QPoint at)
    {
        clock += 10000;
        const auto send = [&](QEvent::Type type, quint64 time) {
            const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
            QMouseEvent event(type, at, w->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
            event.setTimestamp(time);
            QApplication::sendEvent(w, &event);
        };
        send(QEvent::MouseButtonPress, clock);
        send(QEvent::MouseButtonRelease, clock + 40);
        send(QEvent::MouseButtonPress, clock + 120);
        send(QEvent::MouseButtonDblClick, clock + 120);
        send(QEvent::MouseButtonRelease, clock + 160);
    }

    TempDir appFolder;
    UiText text;
    SkinImages skin{appFolder.path()};
    RecordingCommands commands;
    PaneContext context{ctx, commands, text, skin};
    ScriptedChooser chooser;
    quint64 clock = 0;
};

using Groups = std::vector<ApplyGroup>;

TEST_F(DlgLightingTest, CreationRunsTheStoredEffectAndAsksForTheLighting)
{
    ctx.image.lightingMode = 2;
    ctx.image.lightingParam[1] = 3;
    ctx.image.lightingParam[9] = 0x44;
    auto pane = Make<CDlgLighting>();
    EXPECT_EQ(commands.applied, Groups{ApplyGroup::Lighting});
    EXPECT_EQ(ctx.image.lightingParam[9], 0);
    for (int row = 0; row < 5; ++row)
        EXPECT_EQ(pane->Slider(row)->isEnabled(), row == 1) << row;
    EXPECT_EQ(pane->Slider(1)->GetPos(), 3);
    EXPECT_EQ(pane->Slider(1)->Identifier(), 2038);
    EXPECT_EQ(pane->Slider(3)->Identifier(), 2045); // stream
    EXPECT_EQ(pane->Slider(4)->Identifier(), 2040); // finger tapping
    EXPECT_EQ(pane->Slider(0)->geometry(), QRect(100, 20, 128, 8));

    // A refresh runs it again, from what the image holds now.
    ctx.image.lightingMode = 9;
    pane->RefreshFromImage();
    EXPECT_EQ(commands.applied.size(), 2u);
    EXPECT_TRUE(pane->Slider(3)->isEnabled());
    EXPECT_FALSE(pane->Slider(1)->isEnabled());
}

TEST_F(DlgLightingTest, ARadioADragAndASwatch)
{
    auto pane = Make<CDlgLighting>();
    commands.applied.clear();

    QTest::mouseClick(pane.get(), Qt::LeftButton, {}, Centre(LightingRadioRect(1))); // "Respiration"
    EXPECT_EQ(ctx.image.lightingMode, 2);
    EXPECT_TRUE(pane->Slider(1)->isEnabled());
    EXPECT_FALSE(pane->Slider(3)->isEnabled());

    // The slider's far right end gives level 6.
    CDMarker* slider = pane->Slider(1);
    QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(2, 4));
    QTest::mouseMove(slider, QPoint(100, 4));
    QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(slider->width(), 4));
    EXPECT_EQ(ctx.image.lightingParam[1], 6);

    QTest::mouseClick(pane.get(), Qt::LeftButton, {}, Centre(LightingSwatchRect(3)));
    EXPECT_EQ(ctx.image.lightingColorIndex, 3);
    EXPECT_EQ(commands.applied, (Groups{ApplyGroup::Lighting, ApplyGroup::Lighting, ApplyGroup::Lighting}));

    // Painted: the breathing radio on, the others off; swatch 3 in its
    // colour with a white frame just outside it; the multi-colour picture.
    const LightingRect s3 = LightingSwatchRect(3);
    EXPECT_EQ(Pixel(*pane, 12, 51), kRadioOn);
    EXPECT_EQ(Pixel(*pane, 12, 22), kRadioOff);
    EXPECT_EQ(Pixel(*pane, s3.left + 5, s3.top + 5), QColor(0, 255, 255));
    EXPECT_EQ(Pixel(*pane, s3.left - 1, s3.top + 5), QColor(Qt::white));
    EXPECT_EQ(Pixel(*pane, s3.right, s3.bottom), QColor(Qt::white));
    EXPECT_EQ(Pixel(*pane, s3.left - 2, s3.top + 5), kBackground);
    EXPECT_EQ(Pixel(*pane, LightingSwatchRect(5).left + 3, 170), kMultiColour);
}

TEST_F(DlgLightingTest, ADoubleClickRecoloursAndSelectsTheSwatch)
{
    ctx.image.lightingMode = 1;
    auto pane = Make<CDlgLighting>();
    commands.applied.clear();
    chooser.answer = QColor(10, 20, 30);

    DoubleClick(pane.get(), Centre(LightingSwatchRect(2)));
    ASSERT_EQ(chooser.titles.size(), 1u);
    EXPECT_EQ(chooser.titles[0], "Choose a colour");
    EXPECT_EQ(ctx.image.lightingColorIndex, 2);
    EXPECT_EQ(ctx.image.lightingPalette[2].red, 10);
    EXPECT_EQ(ctx.image.lightingPalette[2].green, 20);
    EXPECT_EQ(ctx.image.lightingPalette[2].blue, 30);
    EXPECT_EQ(commands.applied.size(), 2u); // one click, then the colour
    EXPECT_EQ(Pixel(*pane, LightingSwatchRect(2).left + 4, 172), QColor(10, 20, 30));

    // Cancelled: the palette stays.
    chooser.answer.reset();
    commands.applied.clear();
    DoubleClick(pane.get(), Centre(LightingSwatchRect(4)));
    EXPECT_EQ(chooser.titles.size(), 2u);
    EXPECT_EQ(ctx.image.lightingPalette[4].red, 255);
    EXPECT_EQ(ctx.image.lightingPalette[4].blue, 255);
    EXPECT_EQ(commands.applied.size(), 1u); // the click only

    // The multi-colour swatch and the neon effect never ask.
    DoubleClick(pane.get(), Centre(LightingSwatchRect(5)));
    QTest::mouseClick(pane.get(), Qt::LeftButton, {}, Centre(LightingRadioRect(2)));
    DoubleClick(pane.get(), Centre(LightingSwatchRect(0)));
    EXPECT_EQ(chooser.titles.size(), 2u);
}

TEST_F(DlgLightingTest, ADoubleClickOnARadioSelectsOnce)
{
    auto pane = Make<CDlgLighting>();
    commands.applied.clear();
    DoubleClick(pane.get(), Centre(LightingRadioRect(2)));
    EXPECT_EQ(ctx.image.lightingMode, 3);
    EXPECT_EQ(commands.applied, Groups{ApplyGroup::Lighting});
    EXPECT_TRUE(chooser.titles.empty());
}

TEST_F(DlgLightingTest, EffectEightShowsFingerTappingSelectedAndAllSlidersOff)
{
    ctx.image.lightingMode = 8;
    auto pane = Make<CDlgLighting>();
    for (int row = 0; row < 5; ++row)
        EXPECT_FALSE(pane->Slider(row)->isEnabled());
    EXPECT_EQ(Pixel(*pane, 12, 138), kRadioOn); // finger tapping, row 5
    EXPECT_EQ(Pixel(*pane, 12, 109), kRadioOff);
    // The frame is around the multi-colour swatch outside steady and breathing.
    EXPECT_EQ(Pixel(*pane, LightingSwatchRect(5).left - 1, 170), QColor(Qt::white));
}

TEST_F(DlgLightingTest, NoRadioIsDrawnForEffectZero)
{
    ctx.image.lightingMode = 0;
    auto pane = Make<CDlgLighting>();
    for (int row = 0; row < 5; ++row)
        EXPECT_EQ(Pixel(*pane, 12, 22 + 29 * row), kBackground) << row;
}

TEST_F(DlgLightingTest, ThePadPaneAsksForNothing)
{
    ctx.image.padLightingMode = 3;
    auto pane = Make<CDlgLightingPad>();
    EXPECT_EQ(pane->Model().Sliders().size(), 4u);
    EXPECT_TRUE(pane->Slider(2)->isEnabled());

    QTest::mouseClick(pane.get(), Qt::LeftButton, {}, Centre(LightingRadioRect(1)));
    EXPECT_EQ(ctx.image.padLightingMode, 2);
    EXPECT_EQ(ctx.image.lightingMode, 9);
    QTest::mouseClick(pane.get(), Qt::LeftButton, {}, Centre(LightingSwatchRect(5)));
    EXPECT_EQ(ctx.image.padColorIndex, 5);
    CDMarker* slider = pane->Slider(1);
    QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(2, 4));
    QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(slider->width(), 4));
    EXPECT_EQ(ctx.image.padLightingParam[1], 6);
    chooser.answer = QColor(1, 2, 3);
    DoubleClick(pane.get(), Centre(LightingSwatchRect(0)));
    EXPECT_EQ(ctx.image.padPalette[0].blue, 3);
    pane->RefreshFromImage();

    EXPECT_TRUE(commands.applied.empty());
    // The finger-tapping row is not there.
    EXPECT_EQ(Pixel(*pane, 12, 138), kBackground);
}

} // namespace
} // namespace lumeno::test
