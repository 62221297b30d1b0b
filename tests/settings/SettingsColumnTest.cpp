// The settings column and its panes, offscreen: the real main window over a
// virtual mouse for what reaches the mouse, and the column on its own with
// recorded requests for what it asks of the window.
#include "app/MainWindowFixture.h"

#include "app/SettingsPanes.h"
#include "flows/PointerSettings.h"
#include "settings/DlgAngleSnap.h"
#include "settings/DlgDPISetting.h"
#include "settings/DlgUSBReportRate.h"
#include "settings/ReportRateDial.h"
#include "ui/BitmapBtn.h"
#include "ui/DMarker.h"
#include "ui/SkinScrollBar.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QStyleHints>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <algorithm>

namespace lumeno {
namespace {

using Bytes = std::vector<uint8_t>;

enum Item { kDpi, kLighting, kPad, kPolling, kSpeed, kDoubleClick, kScroll, kAngle };

const QColor kEnabledColour{0, 200, 0};
const QColor kDisabledColour{200, 0, 0};

// The column's images at the default skin's sizes, as plain colour blocks.
void WriteColumnSkin(const std::filesystem::path& appFolder)
{
    auto write = [&](const std::string& name, int w, int h, QColor colour) {
        const auto path = appFolder / "Skins" / name;
        std::filesystem::create_directories(path.parent_path());
        QImage image(w, h, QImage::Format_ARGB32);
        image.fill(colour);
        image.save(QString::fromStdString(path.string()));
    };
    const QColor panel(28, 30, 35);
    write("BK_MainRight.png", 260, 563, QColor(18, 19, 22));
    write("ItemBK.png", 242, 20, QColor(38, 41, 48));
    write("ScrollBar.png", 126, 42, QColor(90, 90, 90));
    write("Enable.png", 10, 10, kEnabledColour);
    write("Disable.png", 10, 10, kDisabledColour);
    write("DPISetting/BK_DPISetting.png", 242, 232, panel);
    write("DPISetting/BK-DPIValue.png", 25, 11, QColor(0, 0, 0));
    write("DPISetting/DPIStage/0.png", 7, 169, QColor(60, 60, 60));
    write("DPISetting/DPIStage/82.png", 7, 169, QColor(255, 237, 0));
    write("Lighting/BK_Lighting.png", 242, 192, panel);
    write("Lighting/BK_PADLighting.png", 242, 192, panel);
    write("USBReportRate/BK_USBReportRate.png", 242, 138, panel);
    write("USBReportRate/1000HZ.png", 128, 123, QColor(10, 0, 0));
    write("USBReportRate/500HZ.png", 128, 123, QColor(20, 0, 0));
    write("USBReportRate/250HZ.png", 128, 123, QColor(30, 0, 0));
    write("USBReportRate/125HZ.png", 128, 123, QColor(40, 0, 0));
    write("MouseAttribute/BK_MouseAttribute.png", 242, 115, panel);
    write("MouseAttribute/BK_ScrollSpeed.png", 242, 72, panel);
    write("AngleSnap/BK_AngleSnap.png", 242, 60, panel);
}

class RecordingCommands final : public ConfigCommands {
public:
    void Apply(ApplyGroup group) override { applied.push_back(group); }
    void ClearHighlight() override { ++highlightsCleared; }
    std::vector<ApplyGroup> applied;
    int highlightsCleared = 0;
};

class FakePointerSettings final : public PointerSettingsApplier {
public:
    void Apply(AppContext&) override {}
    bool WheelSettingApplied() const override { return applied; }
    bool applied = true;
};

struct SettingsColumnTest : test::MainWindowFixture, ::testing::Test {
    SettingsColumnTest() { WriteColumnSkin(appFolder.path()); }

    // The main window shown, its flows settled and the mouse's record cleared.
    CMouseConfigurationDlg& Shown()
    {
        auto& s = Start();
        s.RestoreFromTray();
        EXPECT_TRUE(Settle());
        mouse.ClearTraffic();
        return s.Window();
    }
    CDlgadvance& Column() { return *shell->Window().SettingsColumn(); }
    CDlgDPISetting& DpiPane() { return *dynamic_cast<CDlgDPISetting*>(Column().Pane(kDpi)); }
    void Open(int item)
    {
        ASSERT_FALSE(Column().Layout().Open(item));
        QTest::mouseClick(Column().Header(item), Qt::LeftButton);
        ASSERT_TRUE(Column().Layout().Open(item));
    }

    // Command codes the mouse received, in order.
    Bytes Codes() const
    {
        Bytes codes;
        for (const auto& r : mouse.Traffic())
            if (r.kind == TrafficKind::SetFeature && r.collection == MouseCollection::Commands)
                codes.push_back(r.bytes[1]);
        return codes;
    }
    Bytes Frame(uint8_t code) const
    {
        for (const auto& r : mouse.Traffic())
            if (r.kind == TrafficKind::SetFeature && r.bytes[1] == code)
                return Bytes(r.bytes.begin() + 1, r.bytes.begin() + 9);
        ADD_FAILURE() << "no frame " << int(code);
        return Bytes(8, 0);
    }
    void ExpectMouseHasTheImagesStages()
    {
        const VirtualMouseState state = mouse.State();
        uint8_t mask = 0x80;
        for (int k = 0; k < kStageCount; ++k) {
            EXPECT_EQ(state.stageDpi[size_t(k)], ctx.image.dpiCode100[k] - 1) << k;
            EXPECT_EQ(state.stageColors[size_t(3 * k)], ctx.image.stageColor[k].red) << k;
            EXPECT_EQ(state.stageColors[size_t(3 * k + 1)], ctx.image.stageColor[k].green) << k;
            EXPECT_EQ(state.stageColors[size_t(3 * k + 2)], ctx.image.stageColor[k].blue) << k;
            if (ctx.image.stageEnabled[k])
                mask |= uint8_t(1 << k);
        }
        EXPECT_EQ(state.stageEnableMask, mask);
    }

    // Clicks at a point of a pane, in the pane's pixels.
    static void ClickPane(QWidget* pane, int x, int y) { QTest::mouseClick(pane, Qt::LeftButton, {}, QPoint(x, y)); }
    static QPoint Centre(const PaneRect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }
};

const Bytes kDpiCodes{0x0A, 0x87, 0x08, 0x07};

TEST_F(SettingsColumnTest, TheColumnSitsRightWithItsHeadersCollapsedAndTheHiddenOnesOut)
{
    auto& w = Shown();
    CSkinScrollWnd* frame = Column().Frame();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->parentWidget(), &w);
    EXPECT_EQ(frame->geometry(), QRect(735, 32, 260, 561));
    EXPECT_EQ(Column().viewport()->height(), 561);
    const int tops[] = {2, 27, -1, 52, 77, 102, 127, -1};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(Column().Header(i)->isVisible(), tops[i] >= 0) << i;
        if (tops[i] >= 0) {
            EXPECT_EQ(Column().Header(i)->geometry(), QRect(0, tops[i], 242, 20)) << i;
        }
        EXPECT_FALSE(Column().Pane(i)->isVisible()) << i;
    }
    EXPECT_EQ(Column().Header(kDpi)->Caption(), "DPI Setting");
    EXPECT_FALSE(frame->VerticalBar()->isVisible()) << "nothing to scroll";
}

TEST_F(SettingsColumnTest, OpeningDpiSettingPushesTheLaterHeadersDownByThePaneHeight)
{
    Shown();
    Open(kDpi);
    EXPECT_TRUE(Column().Pane(kDpi)->isVisible());
    EXPECT_EQ(Column().Pane(kDpi)->geometry(), QRect(0, 22, 242, 232));
    EXPECT_EQ(Column().Header(kLighting)->y(), 259);
    EXPECT_EQ(Column().Header(kScroll)->y(), 127 + 232);
    QTest::mouseClick(Column().Header(kDpi), Qt::LeftButton);
    EXPECT_EQ(Column().Header(kLighting)->y(), 27);
    EXPECT_TRUE(Codes().empty()) << "opening an item sends nothing";
}

TEST_F(SettingsColumnTest, TheMouseFoundAtStartUpPutsTheDpiPaneInHundredSteps)
{
    Shown();
    EXPECT_TRUE(DpiPane().Editor().HundredStepMode());
    for (int k = 0; k < kStageCount; ++k) {
        EXPECT_EQ(DpiPane().Slider(k)->Model().Maximum(), 120) << k;
        EXPECT_EQ(DpiPane().Slider(k)->GetPos(), ctx.image.dpiCode100[k]) << k;
    }
}

TEST_F(SettingsColumnTest, ASliderReleaseWritesTheDpiGroupWithTheImagesBytes)
{
    Shown();
    Open(kDpi);
    CDMarkerV* slider = DpiPane().Slider(2);
    ctx.image.stageEnabled[2] = 0;
    QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(3, 85));
    QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(3, 85));
    const int position = slider->GetPos();
    EXPECT_EQ(position, 1 + 119 * (173 - 88) / 170);
    ASSERT_TRUE(Settle());
    EXPECT_EQ(ctx.image.dpiCode100[2], position);
    EXPECT_EQ(ctx.image.stageEnabled[2], 1) << "moving a slider switches its stage on";
    EXPECT_EQ(Codes(), kDpiCodes);
    ExpectMouseHasTheImagesStages();
    EXPECT_EQ(ctx.snapshot.dpiCode100[2], position);
}

TEST_F(SettingsColumnTest, ATypedValueCommitsOnEnterAndReachesTheMouse)
{
    Shown();
    Open(kDpi);
    CDlgDPISetting& pane = DpiPane();
    ClickPane(&pane, Centre(DpiStageRect(kDpiValueRect, 4)).x(), Centre(DpiStageRect(kDpiValueRect, 4)).y());
    QLineEdit* box = pane.EntryBox(4);
    ASSERT_TRUE(box->isVisible());
    EXPECT_EQ(box->text(), "5400");
    EXPECT_TRUE(Codes().empty());
    box->clear();
    QTest::keyClicks(box, "7300");
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_FALSE(box->isVisible());
    EXPECT_EQ(box->text(), "7300");
    EXPECT_EQ(pane.Slider(4)->GetPos(), 73);
    ASSERT_TRUE(Settle());
    EXPECT_EQ(ctx.image.dpiCode100[4], 73);
    EXPECT_EQ(mouse.State().stageDpi[4], 72);
    EXPECT_EQ(Codes(), kDpiCodes);

    // The next click tries the same text again and finds it unchanged.
    mouse.ClearTraffic();
    ClickPane(&pane, 5, 5);
    ASSERT_TRUE(Settle());
    EXPECT_TRUE(Codes().empty());
    EXPECT_TRUE(shell->Window().isVisible()) << "Enter never closes the window";
}

TEST_F(SettingsColumnTest, AClickElsewhereCommitsTheOpenBox)
{
    Shown();
    Open(kDpi);
    CDlgDPISetting& pane = DpiPane();
    const QPoint value = Centre(DpiStageRect(kDpiValueRect, 0));
    ClickPane(&pane, value.x(), value.y());
    pane.EntryBox(0)->setText("150");
    ClickPane(&pane, 230, 100);
    EXPECT_FALSE(pane.EntryBox(0)->isVisible());
    ASSERT_TRUE(Settle());
    EXPECT_EQ(ctx.image.dpiCode100[0], 1);
    EXPECT_EQ(mouse.State().stageDpi[0], 0);
}

TEST_F(SettingsColumnTest, AnOpenBoxDroppedByARefreshIsNeverCommittedOverTheNewValues)
{
    Shown();
    Open(kDpi);
    CDlgDPISetting& pane = DpiPane();
    const QPoint value = Centre(DpiStageRect(kDpiValueRect, 0));
    ClickPane(&pane, value.x(), value.y());
    pane.EntryBox(0)->setText("9000");
    ctx.image.dpiCode100[0] = 16; // a profile switch loaded another image
    Column().RefreshPanes();
    EXPECT_FALSE(pane.EntryBox(0)->isVisible());
    ASSERT_TRUE(Settle());
    mouse.ClearTraffic(); // the lighting every refresh sends
    ClickPane(&pane, 230, 100);
    ASSERT_TRUE(Settle());
    EXPECT_EQ(ctx.image.dpiCode100[0], 16);
    EXPECT_TRUE(Codes().empty());
}

TEST_F(SettingsColumnTest, AllSevenStagesOffSendTheBareEnableMask)
{
    Shown();
    Open(kDpi);
    for (int k = 0; k < kStageCount; ++k) {
        const QPoint toggle = Centre(DpiStageRect(kDpiToggleRect, k));
        ClickPane(&DpiPane(), toggle.x(), toggle.y());
    }
    ASSERT_TRUE(Settle());
    for (int k = 0; k < kStageCount; ++k)
        EXPECT_EQ(ctx.image.stageEnabled[k], 0) << k;
    EXPECT_EQ(Frame(0x07)[2], 0x80);
    EXPECT_EQ(mouse.State().stageEnableMask, 0x80);
    // Painted with the off mark.
    const QImage painted = DpiPane().grab().toImage();
    EXPECT_EQ(painted.pixelColor(Centre(DpiStageRect(kDpiToggleRect, 6))), kDisabledColour);
}

TEST_F(SettingsColumnTest, AnEnabledSwatchTakesTheChosenColourADisabledOneIgnoresClicks)
{
    Shown();
    Open(kDpi);
    CDlgDPISetting& pane = DpiPane();
    int asked = 0;
    std::optional<QColor> answer = QColor(12, 34, 56);
    pane.SetColourChooser([&](QWidget*, const QString& title) {
        ++asked;
        EXPECT_EQ(title, "DPI Stage Colour");
        return answer;
    });
    const QPoint swatch = Centre(DpiStageRect(kDpiSwatchRect, 1));
    ClickPane(&pane, swatch.x(), swatch.y());
    ASSERT_TRUE(Settle());
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(ctx.image.stageColor[1].red, 12);
    EXPECT_EQ(ctx.image.stageColor[1].blue, 56);
    EXPECT_EQ(Codes(), kDpiCodes);
    ExpectMouseHasTheImagesStages();
    EXPECT_EQ(pane.grab().toImage().pixelColor(swatch), QColor(12, 34, 56));

    mouse.ClearTraffic();
    answer.reset(); // cancelled
    ClickPane(&pane, swatch.x(), swatch.y());
    ASSERT_TRUE(Settle());
    EXPECT_EQ(asked, 2);
    EXPECT_TRUE(Codes().empty());

    ctx.image.stageEnabled[3] = 0;
    const QPoint disabled = Centre(DpiStageRect(kDpiSwatchRect, 3));
    ClickPane(&pane, disabled.x(), disabled.y());
    EXPECT_EQ(asked, 2);
}

TEST_F(SettingsColumnTest, ADialClickOnTheRingSendsTheNewRate)
{
    Shown();
    Open(kPolling);
    QWidget* pane = Column().Pane(kPolling);
    ClickPane(pane, kRateDialCentreX - 30, kRateDialCentreY - 30); // upper left: 125 Hz
    ASSERT_TRUE(Settle());
    EXPECT_EQ(ctx.image.reportRateCode, kRate125Hz);
    EXPECT_EQ(Codes(), (Bytes{0x81, 0x01}));
    EXPECT_EQ(mouse.State().reportRate[0], kRate125Hz);
    EXPECT_EQ(pane->grab().toImage().pixelColor(kRateDialRect.left + 64, kRateDialRect.top + 2), QColor(40, 0, 0));

    mouse.ClearTraffic();
    ClickPane(pane, kRateDialCentreX, kRateDialCentreY - 50); // straight above: the same rate again
    ASSERT_TRUE(Settle());
    EXPECT_EQ(Codes(), (Bytes{0x81, 0x01}));
    EXPECT_EQ(ctx.image.reportRateCode, kRate125Hz);

    mouse.ClearTraffic();
    ClickPane(pane, kRateDialCentreX + 5, kRateDialCentreY + 5); // inside the ring
    ClickPane(pane, 2, 2);                                       // outside the dial
    ASSERT_TRUE(Settle());
    EXPECT_TRUE(Codes().empty());
}

TEST_F(SettingsColumnTest, AStoredRateOfZeroShowsFiveHundredAndBecomesTwo)
{
    Shown();
    ctx.image.reportRateCode = 0;
    Open(kPolling);
    const QImage painted = Column().Pane(kPolling)->grab().toImage();
    EXPECT_EQ(painted.pixelColor(kRateDialRect.left + 64, kRateDialRect.top + 2), QColor(20, 0, 0));
    EXPECT_EQ(ctx.image.reportRateCode, kRate500Hz);
}

TEST_F(SettingsColumnTest, AngleSnappingStoresAndRepaintsWithoutTraffic)
{
    Shown();
    EXPECT_FALSE(Column().Header(kAngle)->isVisible()) << "the header is created hidden";
    RecordingCommands commands;
    PaneContext context{ctx, commands, text, skin};
    CDlgAngleSnap pane(context, nullptr);
    pane.resize(242, 60);
    ClickPane(&pane, 30, 35);
    EXPECT_EQ(ctx.image.angleSnapEnabled, 1);
    QImage painted = pane.grab().toImage();
    EXPECT_EQ(painted.pixelColor(30, 35), kEnabledColour);
    EXPECT_EQ(painted.pixelColor(145, 35), kDisabledColour);
    ClickPane(&pane, 145, 35);
    EXPECT_EQ(ctx.image.angleSnapEnabled, 0);
    painted = pane.grab().toImage();
    EXPECT_EQ(painted.pixelColor(145, 35), kEnabledColour);
    EXPECT_TRUE(commands.applied.empty());
    ASSERT_TRUE(Settle());
    EXPECT_TRUE(Codes().empty());
}

TEST_F(SettingsColumnTest, HeaderAndBackgroundClicksClearTheHighlightAndDialogKeysDoNothing)
{
    Shown();
    RecordingCommands commands;
    PaneContext context{ctx, commands, text, skin};
    CDlgadvance column(context, SettingsPaneRows(), nullptr);
    column.resize(260, 561);
    column.show();
    QTest::mouseClick(column.Header(kPolling), Qt::LeftButton);
    EXPECT_EQ(commands.highlightsCleared, 1);
    EXPECT_TRUE(column.Layout().Open(kPolling));
    QTest::mouseClick(column.Content(), Qt::LeftButton, {}, QPoint(100, 500));
    EXPECT_EQ(commands.highlightsCleared, 2);
    QTest::mouseClick(column.Content(), Qt::RightButton, {}, QPoint(100, 500));
    EXPECT_EQ(commands.highlightsCleared, 2);

    for (int key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape, Qt::Key_F1}) {
        QTest::keyClick(column.Header(kDpi), Qt::Key(key));
        QTest::keyClick(column.Pane(kPolling), Qt::Key(key));
        QTest::keyClick(&column, Qt::Key(key));
        EXPECT_FALSE(column.Layout().Open(kDpi)) << key;
        EXPECT_TRUE(column.isVisible()) << key;
    }
    // Only the lighting pane's request at its creation.
    EXPECT_EQ(std::count(commands.applied.begin(), commands.applied.end(), ApplyGroup::Lighting),
              std::ptrdiff_t(commands.applied.size()));
}

TEST_F(SettingsColumnTest, ScrollingByWheelArrowAndThumbWithTheWheelSettingInForce)
{
    Shown();
    FakePointerSettings pointer;
    ctx.pointerSettings = &pointer;
    CDlgadvance& column = Column();
    for (int i = 0; i < column.Layout().Count(); ++i)
        column.Toggle(i);
    CSkinScrollBar* bar = column.Frame()->VerticalBar();
    ASSERT_TRUE(bar->isVisible());
    QScrollBar* target = column.verticalScrollBar();
    EXPECT_EQ(target->maximum(), column.Accordion().ViewHeight() - 561);

    auto wheel = [&](int delta) {
        QWheelEvent event(QPointF(100, 100), column.viewport()->mapToGlobal(QPointF(100, 100)), QPoint(),
                          QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(column.viewport(), &event);
    };
    const struct {
        const char* what;
        bool applied;
        uint8_t pageMode, lines;
        int pixels;
    } cases[] = {
        {"3 lines", true, 0, 3, 60},
        {"6 lines", true, 0, 6, 120},
        {"page mode", true, 1, 3, 561},
        {"the desktop's own setting", false, 1, 12, 60 * QGuiApplication::styleHints()->wheelScrollLines() / 3},
    };
    for (const auto& c : cases) {
        if (!c.applied && QGuiApplication::styleHints()->wheelScrollLines() >= 6)
            continue;
        pointer.applied = c.applied;
        ctx.image.wheelPageMode = c.pageMode;
        ctx.image.wheelLines = c.lines;
        target->setValue(0);
        wheel(-120);
        EXPECT_EQ(target->value(), std::min(c.applied ? c.pixels : 60, target->maximum())) << c.what;
        EXPECT_EQ(column.Content()->y(), -target->value()) << c.what;
        wheel(120);
        EXPECT_EQ(target->value(), 0) << c.what;
    }

    // The skinned bar's second arrow steps a line, its track a page.
    target->setValue(0);
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, bar->height() - 3));
    EXPECT_EQ(target->value(), 60);
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, bar->height() - 30));
    EXPECT_EQ(target->value(), std::min(60 + 561, target->maximum()));

    column.CollapseAll();
    EXPECT_EQ(column.Accordion().ViewHeight(), 563);
    EXPECT_EQ(target->maximum(), 0);
    EXPECT_EQ(target->value(), 0);
    wheel(-120);
    EXPECT_EQ(target->value(), 0) << "nothing to scroll: the wheel is ignored";
    ctx.pointerSettings = nullptr;
}

TEST_F(SettingsColumnTest, AResetCollapsesTheColumnAndShowsTheImageAgain)
{
    auto& w = Shown();
    Open(kDpi);
    Open(kPolling);
    ctx.image.dpiCode100[6] = 30;
    w.ShowAfterReset();
    for (int i = 0; i < Column().Layout().Count(); ++i)
        EXPECT_FALSE(Column().Layout().Open(i)) << i;
    EXPECT_EQ(Column().Header(kLighting)->y(), 27);
    EXPECT_EQ(DpiPane().Slider(6)->GetPos(), 30);
}

} // namespace
} // namespace lumeno
