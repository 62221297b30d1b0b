#include "settings/SettingsAccordion.h"

#include <gtest/gtest.h>

namespace lumeno {
namespace {

// The column's items with the default skin's pane heights: DPI, lighting,
// pad lighting (hidden), polling rate, mouse speed, double click, scroll
// speed, angle snapping (hidden).
enum Item { kDpi, kLighting, kPad, kPolling, kSpeed, kDoubleClick, kScroll, kAngle };
constexpr int kPaneHeights[] = {232, 192, 192, 138, 115, 115, 72, 60};

SettingsAccordion Column()
{
    std::vector<AccordionItem> items;
    for (int i = 0; i < 8; ++i)
        items.push_back({kSettingsHeaderHeight, kPaneHeights[i], i != kPad && i != kAngle});
    return SettingsAccordion(std::move(items));
}

std::vector<int> ShownHeaderTops(const SettingsAccordion& column)
{
    std::vector<int> tops;
    for (int i = 0; i < column.Count(); ++i)
        if (column.Layout().Item(i).shown)
            tops.push_back(column.Layout().HeaderTop(i));
    return tops;
}

TEST(SettingsAccordion, CollapsedHeadersStepByTwentyFiveFromTheTop)
{
    const auto column = Column();
    EXPECT_EQ(ShownHeaderTops(column), (std::vector<int>{2, 27, 52, 77, 102, 127}));
    EXPECT_EQ(column.ContentHeight(), 120);
    EXPECT_EQ(column.ViewHeight(), 563);
    EXPECT_EQ(column.ScrollMaximum(kSettingsVisibleHeight), 0);
}

TEST(SettingsAccordion, OpeningTheDpiItemMovesTheLaterHeadersDownByItsPaneHeight)
{
    auto column = Column();
    column.Toggle(kDpi);
    EXPECT_EQ(column.Layout().PaneTop(kDpi), 22);
    // The header moves by the pane's height: each later header keeps its
    // 5 px gap below the element above it.
    EXPECT_EQ(column.Layout().HeaderTop(kLighting), 259);
    EXPECT_EQ(ShownHeaderTops(column), (std::vector<int>{2, 27 + 232, 52 + 232, 77 + 232, 102 + 232, 127 + 232}));
    EXPECT_EQ(column.ContentHeight(), 120 + 232 + 10);
    EXPECT_EQ(column.ViewHeight(), 563);
}

TEST(SettingsAccordion, AllOpenScrollsAndAllClosedReturnsTo563)
{
    auto column = Column();
    for (int i = 0; i < column.Count(); ++i)
        column.Toggle(i);
    for (int i : {kPad, kAngle})
        EXPECT_FALSE(column.Open(i)) << "a hidden item never opens";
    const int panes = 232 + 192 + 138 + 115 + 115 + 72;
    EXPECT_EQ(column.ContentHeight(), 120 + panes + 6 * 10);
    EXPECT_GT(column.ViewHeight(), 563);
    EXPECT_EQ(column.ScrollMaximum(kSettingsVisibleHeight), column.ViewHeight() - kSettingsVisibleHeight);
    EXPECT_EQ(column.Layout().HeaderTop(kScroll), 127 + panes - 72);

    column.CollapseAll();
    EXPECT_EQ(column.ContentHeight(), 120);
    EXPECT_EQ(column.ViewHeight(), 563);
    EXPECT_EQ(column.ScrollMaximum(kSettingsVisibleHeight), 0);
    EXPECT_EQ(ShownHeaderTops(column), (std::vector<int>{2, 27, 52, 77, 102, 127}));
}

TEST(SettingsAccordion, TheLastHeaderIsAlwaysReachable)
{
    // DPI and lighting open: the running content height (564) stops short of
    // the last header's bottom (571); the column scrolls to the bottom.
    auto column = Column();
    column.Toggle(kDpi);
    column.Toggle(kLighting);
    EXPECT_EQ(column.ContentHeight(), 564);
    EXPECT_EQ(column.Layout().Bottom(), 571);
    EXPECT_EQ(column.ScrollMaximum(kSettingsVisibleHeight), 571 - kSettingsVisibleHeight);
}

TEST(SettingsAccordion, ClosingAnItemTakesBackWhatOpeningItAdded)
{
    auto column = Column();
    column.Toggle(kPolling);
    column.Toggle(kScroll);
    column.Toggle(kPolling);
    EXPECT_EQ(column.ContentHeight(), 120 + 72 + 10);
    EXPECT_EQ(column.Layout().HeaderTop(kScroll), 127);
    column.Toggle(kAngle);
    EXPECT_EQ(column.ContentHeight(), 120 + 72 + 10);
}

struct WheelCase {
    const char* what;
    int delta;
    WheelSetting setting;
    int pixels;
};

TEST(SettingsWheel, ScrollAmountsFollowTheWheelSetting)
{
    const WheelCase cases[] = {
        {"3 lines, a notch down", -120, {false, 3}, 60},
        {"3 lines, a notch up", 120, {false, 3}, -60},
        {"6 lines", -120, {false, 6}, 120},
        {"5 lines: still one line", -120, {false, 5}, 60},
        {"10 lines: three lines", -120, {false, 10}, 180},
        {"3 lines, two notches at once", -240, {false, 3}, 120},
        {"1 line", -120, {false, 1}, 60},
        {"page mode down", -120, {true, 3}, 561},
        {"page mode up", 120, {true, 3}, -561},
        {"page mode, two notches: one page", -240, {true, 3}, 561},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WheelScrollPixels(c.delta, c.setting, kSettingsVisibleHeight), c.pixels) << c.what;
}

TEST(SettingsWheel, PartsOfANotchAddUpAndATurnDropsThem)
{
    int rest = 0;
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(TakeWholeNotches(rest, -15), 0) << i;
    EXPECT_EQ(TakeWholeNotches(rest, -15), -120);
    EXPECT_EQ(rest, 0);
    EXPECT_EQ(TakeWholeNotches(rest, 90), 0);
    EXPECT_EQ(TakeWholeNotches(rest, -60), 0) << "turning drops the 90 up";
    EXPECT_EQ(TakeWholeNotches(rest, -60), -120);
    EXPECT_EQ(TakeWholeNotches(rest, 250), 240);
    EXPECT_EQ(rest, 10);
}

} // namespace
} // namespace lumeno
