#pragma once
// The owner-drawn popup menu (CExMenu): its items, how tall each one is,
// how wide the menu is and the colours it is painted in.
#include <cstdint>
#include <string>
#include <vector>

namespace lumeno {

struct MenuRgb {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    friend bool operator==(const MenuRgb&, const MenuRgb&) = default;
};

// Colours of the menu and of the frames round its window.
inline constexpr MenuRgb kMenuBackground{111, 41, 41};
inline constexpr MenuRgb kMenuSelectedBackground{143, 32, 32};
inline constexpr MenuRgb kMenuSeparatorLine{111, 41, 41};
inline constexpr MenuRgb kMenuText{255, 255, 255};
inline constexpr MenuRgb kMenuSelectedText{255, 255, 255};
inline constexpr MenuRgb kMenuAlternateText{143, 32, 32};
inline constexpr MenuRgb kMenuOuterFrame{143, 32, 32}; // 1 px, then two inner frames:
inline constexpr MenuRgb kMenuInnerFrame{111, 41, 41};
inline constexpr int kMenuFrameWidth = 3;

inline constexpr int kMenuSeparatorId = 2048; // appending this id appends a separator
inline constexpr int kMenuHiddenId = 1;       // an item with this id takes no height
inline constexpr int kMenuItemBaseHeight = 18;
inline constexpr int kMenuItemPadding = 2;
inline constexpr int kMenuSeparatorHeight = 5;
inline constexpr int kMenuTextLeft = 2;      // text inset from the item's left edge
inline constexpr int kMenuCharWidth = 8;     // width budget per character
inline constexpr int kMenuWidthMargins = 24; // text inset plus room for a submenu arrow
inline constexpr int kMenuTrademarkFontHeight = 8;

struct MenuItem {
    int id = 0;
    std::string text; // UTF-8
    bool hasSubmenu = false;
    bool alternateColour = false; // text in the accent red
    bool trademark = false;       // a small raised "TM" after the text

    bool IsSeparator() const { return id == kMenuSeparatorId; }
};

// 5 for a separator, 0 for the hidden id, 20 for every other item.
int MenuItemHeight(const MenuItem& item);

// The menu's item width: the caller's width when set (above 0), otherwise
// the largest margins + 8 px per character over the items.
int MenuWidth(const std::vector<MenuItem>& items, int fixedWidth = 0);

// Characters of a UTF-8 text (code points), as the width rule counts them.
int CountCharacters(const std::string& utf8);

} // namespace lumeno
