// The lighting panes in the real main window over the in-process virtual
// mouse: opening the window sends the lighting, a person's changes reach the
// mouse, and the pad pane sends nothing.
#include "app/MainWindowFixture.h"

#include "app/SettingsPanes.h"
#include "config/ConfigFiles.h"
#include "device/CommandSet.h"
#include "lighting/DlgLighting.h"
#include "ui/BitmapBtn.h"
#include "ui/DMarker.h"

#include "emulator/LightingWords.h"

#include <QTest>

#include <gtest/gtest.h>

namespace lumeno {
namespace {

using test::MainWindowFixture;
using test::WaitFor;

constexpr int kLightingItem = 1;
constexpr int kPadItem = 2;

struct LightingWindowTest : MainWindowFixture, ::testing::Test {
    int EffectFrames() const
    {
        int n = 0;
        for (const auto& r : mouse.Traffic())
            n += r.kind == TrafficKind::SetFeature && r.bytes.size() > 1 && r.bytes[1] == kSetLightingEffect;
        return n;
    }
    std::vector<uint8_t> Codes() const
    {
        std::vector<uint8_t> codes;
        for (const auto& r : mouse.Traffic())
            if (r.kind == TrafficKind::SetFeature && r.collection == MouseCollection::Commands)
                codes.push_back(r.bytes[1]);
        return codes;
    }
    std::string Shown() const { return LightingShown(mouse.State()); }
    static QPoint Centre(const LightingRect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }
};

TEST_F(LightingWindowTest, StartingAndRestoringSendTheLighting)
{
    auto& s = Start();
    ASSERT_TRUE(Settle());
    // Nothing else is written at start-up.
    EXPECT_EQ(Codes(), (std::vector<uint8_t>{kGetLightingBlock, kSetLightingBlock, kSetLightingEffect}));
    EXPECT_EQ(Shown(), "stream, all colours, speed 5 of 5"); // the factory lighting

    mouse.ClearTraffic();
    s.RestoreFromTray();
    ASSERT_TRUE(WaitFor([&] { return s.Window().isVisible(); }));
    ASSERT_TRUE(Settle());
    EXPECT_EQ(EffectFrames(), 1);
}

TEST_F(LightingWindowTest, APersonsChoicesReachTheMouse)
{
    auto& s = Start();
    ASSERT_TRUE(Settle());
    s.RestoreFromTray();
    ASSERT_TRUE(WaitFor([&] { return s.Window().isVisible(); }));
    ASSERT_TRUE(Settle());
    CDlgadvance* column = s.Window().SettingsColumn();
    column->Toggle(kLightingItem);
    auto* pane = dynamic_cast<CDlgLighting*>(column->Pane(kLightingItem));
    ASSERT_NE(pane, nullptr);
    ASSERT_TRUE(pane->isVisible());

    QTest::mouseClick(pane, Qt::LeftButton, {}, Centre(LightingRadioRect(1))); // "Respiration"
    ASSERT_TRUE(Settle());
    CDMarker* slider = pane->Slider(1);
    slider->SetPos(1);
    QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(3, 4));
    QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(slider->width() + 20, 4));
    ASSERT_TRUE(Settle());
    QTest::mouseClick(pane, Qt::LeftButton, {}, Centre(LightingSwatchRect(3)));
    ASSERT_TRUE(Settle());

    EXPECT_EQ(Shown(), "breathing, cyan (#00ffff), speed 5 of 5");
    // Saved with the profile.
    const std::string file = test::ReadFileBytes(dataDir / "config0.bin");
    ASSERT_EQ(file.size(), kConfigFileSize);
    EXPECT_EQ(uint8_t(file[1 + 63]), 2);
    EXPECT_EQ(uint8_t(file[1 + 65]), 6);
    EXPECT_EQ(uint8_t(file[1 + 112]), 3);
}

TEST_F(LightingWindowTest, ThePadPaneIsHiddenAndSendsNothing)
{
    auto& s = Start();
    ASSERT_TRUE(Settle());
    CDlgadvance* column = s.Window().SettingsColumn();
    EXPECT_FALSE(column->Header(kPadItem)->isVisible());
    auto* pad = dynamic_cast<CDlgLightingPad*>(column->Pane(kPadItem));
    ASSERT_NE(pad, nullptr);

    mouse.ClearTraffic();
    QTest::mouseClick(pad, Qt::LeftButton, {}, Centre(LightingRadioRect(0)));
    QTest::mouseClick(pad, Qt::LeftButton, {}, Centre(LightingSwatchRect(2)));
    QTest::mousePress(pad->Slider(0), Qt::LeftButton, {}, QPoint(3, 4));
    QTest::mouseRelease(pad->Slider(0), Qt::LeftButton, {}, QPoint(60, 4));
    column->RefreshPanes();
    ASSERT_TRUE(Settle());
    EXPECT_EQ(ctx.image.padLightingMode, 1);
    EXPECT_EQ(ctx.image.padColorIndex, 2);
    // The refresh re-sends the mouse lighting; the pad adds nothing.
    EXPECT_EQ(Codes(), (std::vector<uint8_t>{kGetLightingBlock, kSetLightingBlock, kSetLightingEffect}));
}

} // namespace
} // namespace lumeno
