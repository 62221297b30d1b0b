// The three pointer panes offscreen, over the generated default skin: clicks
// set the image and ask for the pointer group; typing does not.
#include "app/SettingsPanes.h"
#include "settings/DlgDoubleClick.h"
#include "settings/DlgMouseSpeed.h"
#include "settings/DlgMouseWheelSpeed.h"
#include "settings/PointerDial.h"
#include "support/TestContext.h"
#include "ui/SkinImages.h"

#include "ui/UiTestApp.h"

#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace lumeno {
namespace {

class RecordingCommands final : public ConfigCommands {
public:
    void Apply(ApplyGroup group) override { applied.push_back(group); }
    void ClearHighlight() override {}
    std::vector<ApplyGroup> applied;
};

struct PointerPanesTest : test::UiAppUser, ::testing::Test {
    PointerPanesTest()
    {
        LoadFactoryDefaults(f.ctx.image);
        f.ctx.languageCode = "EN";
        FillUiText(text, "EN");
    }
    template <typename Pane>
    std::unique_ptr<Pane> Make(int height)
    {
        auto pane = std::make_unique<Pane>(context, nullptr);
        pane->setFixedSize(242, height);
        pane->show();
        return pane;
    }

    test::ContextFixture f;
    RecordingCommands commands;
    UiText text;
    SkinImages skin{std::filesystem::path(LUMENO_SKIN_DIR).parent_path()};
    PaneContext context{f.ctx, commands, text, skin};
};

TEST_F(PointerPanesTest, SpeedDialClickAtTheRightEndSetsElevenAndAsksToApply)
{
    auto pane = Make<CDlgMouseSpeed>(115);
    const QImage before = pane->grab().toImage();
    QTest::mouseClick(pane.get(), Qt::LeftButton, {}, QPoint(kDialCentreX + 60, kDialCentreY - 2));
    EXPECT_EQ(f.ctx.image.pointerSpeedLevel, 11);
    EXPECT_EQ(commands.applied, std::vector<ApplyGroup>{ApplyGroup::Pointer});
    EXPECT_NE(pane->grab().toImage(), before); // the dial shows the new level
}

TEST_F(PointerPanesTest, SpeedDialIgnoresClicksBelowItsCentre)
{
    auto pane = Make<CDlgMouseSpeed>(115);
    QTest::mouseClick(pane.get(), Qt::LeftButton, {}, QPoint(kDialCentreX + 60, kDialCentreY + 5));
    EXPECT_EQ(f.ctx.image.pointerSpeedLevel, 6);
    EXPECT_TRUE(commands.applied.empty());
}

TEST_F(PointerPanesTest, DoubleClickDialWritesItsAngle)
{
    auto pane = Make<CDlgDoubleClick>(115);
    QTest::mouseClick(pane.get(), Qt::LeftButton, {}, QPoint(kDialCentreX, kDialCentreY - 57));
    EXPECT_EQ(f.ctx.image.doubleClickLevel, 7);
    EXPECT_EQ(f.ctx.image.pointerSpeedLevel, 6);
    EXPECT_TRUE(f.debug.Contains("angle/18:angle=90.000000,angle/18=5\n"));
    EXPECT_EQ(commands.applied, std::vector<ApplyGroup>{ApplyGroup::Pointer});
}

TEST_F(PointerPanesTest, WheelPaneRadiosArrowsAndBox)
{
    auto pane = Make<CDlgMouseWheelSpeed>(72);
    QLineEdit* box = pane->LinesBox();
    EXPECT_EQ(box->text(), "3");

    QTest::mouseClick(pane.get(), Qt::LeftButton, {}, QPoint(195, 17)); // up
    EXPECT_EQ(f.ctx.image.wheelLines, 4);
    EXPECT_EQ(box->text(), "4");

    QTest::mouseClick(pane.get(), Qt::LeftButton, {}, QPoint(10, 55)); // one screen
    EXPECT_EQ(f.ctx.image.wheelPageMode, 1);
    EXPECT_EQ(box->text(), "0");
    EXPECT_FALSE(box->isEnabled());
    EXPECT_EQ(f.ctx.image.wheelLines, 4); // the "0" shown is not stored

    QTest::mouseClick(pane.get(), Qt::LeftButton, {}, QPoint(120, 45)); // nothing: still asks
    EXPECT_EQ(commands.applied.size(), 3u);

    QTest::mouseClick(pane.get(), Qt::LeftButton, {}, QPoint(10, 22)); // lines
    EXPECT_TRUE(box->isEnabled());
    EXPECT_EQ(box->text(), "4");
}

TEST_F(PointerPanesTest, TypingCorrectsOutOfRangeAndMakesNoRequest)
{
    auto pane = Make<CDlgMouseWheelSpeed>(72);
    QLineEdit* box = pane->LinesBox();
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, "12");
    EXPECT_EQ(f.ctx.image.wheelLines, 12);
    box->selectAll();
    QTest::keyClicks(box, "0");
    EXPECT_EQ(box->text(), "1");
    EXPECT_EQ(f.ctx.image.wheelLines, 1);
    QTest::keyClick(box, Qt::Key_Backspace);
    EXPECT_EQ(box->text(), "1");
    box->selectAll();
    QTest::keyClicks(box, "101");
    EXPECT_EQ(box->text(), "1");
    QTest::keyClicks(box, "x"); // digits only
    EXPECT_EQ(box->text(), "1");
    EXPECT_TRUE(commands.applied.empty());
}

TEST_F(PointerPanesTest, RefreshResetsTheBoxFromTheImage)
{
    auto pane = Make<CDlgMouseWheelSpeed>(72);
    f.ctx.image.wheelLines = 9;
    pane->RefreshFromImage();
    EXPECT_EQ(pane->LinesBox()->text(), "9");
    f.ctx.image.wheelPageMode = 1;
    pane->RefreshFromImage();
    EXPECT_EQ(pane->LinesBox()->text(), "0");
    EXPECT_FALSE(pane->LinesBox()->isEnabled());
}

TEST_F(PointerPanesTest, TheSettingsColumnMakesThePointerPanes)
{
    const auto& rows = SettingsPaneRows();
    CSettingsPaneHost host(context, rows, nullptr);
    EXPECT_NE(dynamic_cast<CDlgMouseSpeed*>(host.Pane(4)), nullptr);
    EXPECT_NE(dynamic_cast<CDlgDoubleClick*>(host.Pane(5)), nullptr);
    EXPECT_NE(dynamic_cast<CDlgMouseWheelSpeed*>(host.Pane(6)), nullptr);
}

} // namespace
} // namespace lumeno
