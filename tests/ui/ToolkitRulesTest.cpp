#include "ui/ButtonLook.h"
#include "ui/ListEditRules.h"
#include "ui/ScrollBarModel.h"
#include "ui/SkinInventory.h"

#include <gtest/gtest.h>

#include <sstream>

namespace lumeno {
namespace {

TEST(ListEditRules, DelaysReadTheLeadingDigitsAndStopAt65535)
{
    const struct {
        const char* typed;
        const char* shown;
    } cases[] = {{"250", "250 ms"},     {"", "0 ms"},          {"0050", "50 ms"},
                 {"65535", "65535 ms"}, {"65536", "65535 ms"}, {"99999999999999999999", "65535 ms"},
                 {"12ab", "12 ms"},     {"x5", "0 ms"}};
    for (const auto& c : cases)
        EXPECT_EQ(AcceptedDelayText(c.typed), c.shown) << c.typed;
}

TEST(ListEditRules, NamesMustBeNonEmptyAndUniqueAmongTheOtherItems)
{
    const std::vector<std::string> items = {"Game", "Work", "Profile 3"};
    EXPECT_EQ(AcceptedNameText("Office", items, 1), std::optional<std::string>("Office"));
    EXPECT_EQ(AcceptedNameText("Work", items, 1), std::optional<std::string>("Work")); // its own name
    EXPECT_EQ(AcceptedNameText("Game", items, 1), std::nullopt);
    EXPECT_EQ(AcceptedNameText("", items, 1), std::nullopt);
    EXPECT_EQ(AcceptedNameText("game", items, 1), std::optional<std::string>("game")); // exact comparison
    EXPECT_TRUE(IsNumericEditCharacter(U'7'));
    EXPECT_FALSE(IsNumericEditCharacter(U'-'));
}

TEST(ButtonLook, StatePicksTheImage)
{
    auto look = [](ButtonLookState s) { return PickButtonLook(s); };
    ButtonLookState s;
    EXPECT_EQ(look(s), ButtonLook::Normal);
    s.hover = true;
    EXPECT_EQ(look(s), ButtonLook::Hover);
    s.down = true;
    EXPECT_EQ(look(s), ButtonLook::Pressed);
    s.enabled = false;
    EXPECT_EQ(look(s), ButtonLook::Disabled);
    ButtonLookState t;
    t.toggleMode = true;
    t.hover = true;
    EXPECT_EQ(look(t), ButtonLook::Normal);
    t.checked = true;
    EXPECT_EQ(look(t), ButtonLook::Pressed);
    ButtonLookState inactive;
    inactive.hover = true;
    inactive.keepHoverWhenInactive = false;
    inactive.parentActive = false;
    EXPECT_EQ(look(inactive), ButtonLook::Normal);
    inactive.keepHoverWhenInactive = true;
    EXPECT_EQ(look(inactive), ButtonLook::Hover);
}

TEST(ScrollBarModel, GridCellsPerPartOrientationAndLook)
{
    const ScrollSkinGrid grid = ScrollSkinGrid::ForBitmap(126, 42);
    EXPECT_EQ(grid.cellWidth, 14);
    EXPECT_EQ(grid.cellHeight, 14);
    EXPECT_EQ(grid.Cell(true, ScrollPart::FirstArrow, ScrollPartLook::Normal), (CellRect{0, 0, 14, 14}));
    EXPECT_EQ(grid.Cell(true, ScrollPart::TrackAfter, ScrollPartLook::Hover), (CellRect{42, 14, 14, 14}));
    EXPECT_EQ(grid.Cell(false, ScrollPart::SecondArrow, ScrollPartLook::Pressed), (CellRect{70, 28, 14, 14}));
    EXPECT_EQ(grid.Cell(false, ScrollPart::Thumb, ScrollPartLook::Normal), (CellRect{84, 0, 14, 14}));
    EXPECT_EQ(grid.Corner(), (CellRect{112, 0, 14, 14}));
}

TEST(ScrollBarModel, ThumbFollowsTheValueAndHitTestsFindEachPart)
{
    // 200 px bar, 14 px arrows, range 0..300 with a page of 100.
    const ScrollBarLayout top = ScrollBarLayout::Compute(200, 14, 0, 300, 100, 0);
    EXPECT_EQ(top.thumbLength, 172 * 100 / 400);
    EXPECT_EQ(top.thumbStart, 14);
    const ScrollBarLayout end = ScrollBarLayout::Compute(200, 14, 0, 300, 100, 300);
    EXPECT_EQ(end.thumbStart + end.thumbLength, 186);
    const ScrollBarLayout mid = ScrollBarLayout::Compute(200, 14, 0, 300, 100, 150);
    EXPECT_EQ(mid.HitTest(5), ScrollPart::FirstArrow);
    EXPECT_EQ(mid.HitTest(195), ScrollPart::SecondArrow);
    EXPECT_EQ(mid.HitTest(20), ScrollPart::TrackBefore);
    EXPECT_EQ(mid.HitTest(mid.thumbStart + 1), ScrollPart::Thumb);
    EXPECT_EQ(mid.HitTest(180), ScrollPart::TrackAfter);
    EXPECT_EQ(mid.HitTest(-1), ScrollPart::None);
    EXPECT_EQ(mid.ValueForThumbStart(14, 0, 300), 0);
    EXPECT_EQ(mid.ValueForThumbStart(mid.length - 14 - mid.thumbLength, 0, 300), 300);
    EXPECT_NEAR(mid.ValueForThumbStart(mid.thumbStart, 0, 300), 150, 2); // pixels are coarser than values
    const ScrollBarLayout none = ScrollBarLayout::Compute(200, 14, 0, 0, 100, 0);
    EXPECT_EQ(none.thumbLength, 0);
    EXPECT_EQ(none.HitTest(100), ScrollPart::None);
}

TEST(SkinInventory, ParsesRowsAndReportsMalformedLines)
{
    std::istringstream in("# comment\n\nmain.png\t1000\t650\tmain window\r\nbad line\nx.png\t0\t5\tzero\n"
                          "Icon/a.png\t16\t16\n");
    const SkinInventory inv = ParseSkinInventory(in);
    ASSERT_EQ(inv.entries.size(), 2u);
    EXPECT_EQ(inv.entries[0].name, "main.png");
    EXPECT_EQ(inv.entries[0].width, 1000);
    EXPECT_EQ(inv.entries[0].description, "main window");
    EXPECT_EQ(inv.entries[1].name, "Icon/a.png");
    ASSERT_EQ(inv.errors.size(), 2u);
    EXPECT_EQ(inv.errors[0].rfind("line 4:", 0), 0u);
}

} // namespace
} // namespace lumeno
