#include "ui/MenuModel.h"

#include <gtest/gtest.h>

namespace lumeno {
namespace {

TEST(MenuModel, ItemHeights)
{
    const struct {
        int id, height;
    } cases[] = {{kMenuSeparatorId, 5}, {kMenuHiddenId, 0}, {2001, 20}, {0, 20}, {1002, 20}};
    for (const auto& c : cases)
        EXPECT_EQ(MenuItemHeight(MenuItem{c.id, "x"}), c.height) << c.id;
}

TEST(MenuModel, WidthRuleCountsCharactersNotBytes)
{
    std::vector<MenuItem> items = {{2001, "Click"}, {kMenuSeparatorId, ""}, {2013, "Deactivated"}};
    EXPECT_EQ(MenuWidth(items), kMenuWidthMargins + 8 * 11);
    items.push_back({2050, "\xE5\xA4\x9A\xE5\xAA\x92\xE4\xBD\x93 +"}); // four characters and " +" in UTF-8
    EXPECT_EQ(CountCharacters(items.back().text), 5);
    EXPECT_EQ(MenuWidth(items), kMenuWidthMargins + 8 * 11);
    EXPECT_EQ(MenuWidth(items, 130), 130); // the caller's width wins
    EXPECT_EQ(MenuWidth({}), 0);
}

TEST(MenuModel, ColoursOfTheMenuAndItsBorder)
{
    EXPECT_EQ(kMenuBackground, (MenuRgb{111, 41, 41}));
    EXPECT_EQ(kMenuSelectedBackground, (MenuRgb{143, 32, 32}));
    EXPECT_EQ(kMenuAlternateText, (MenuRgb{143, 32, 32}));
    EXPECT_EQ(kMenuOuterFrame, (MenuRgb{143, 32, 32}));
    EXPECT_EQ(kMenuInnerFrame, (MenuRgb{111, 41, 41}));
    EXPECT_EQ(kMenuFrameWidth, 3);
}

} // namespace
} // namespace lumeno
