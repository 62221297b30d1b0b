#include "ui/MenuModel.h"

#include <algorithm>

namespace lumeno {

int MenuItemHeight(const MenuItem& item)
{
    if (item.IsSeparator())
        return kMenuSeparatorHeight;
    if (item.id == kMenuHiddenId)
        return 0;
    return kMenuItemBaseHeight + kMenuItemPadding;
}

int CountCharacters(const std::string& utf8)
{
    int count = 0;
    for (unsigned char c : utf8) {
        if ((c & 0xC0) != 0x80)
            ++count; // continuation bytes belong to the previous character
    }
    return count;
}

int MenuWidth(const std::vector<MenuItem>& items, int fixedWidth)
{
    if (fixedWidth > 0)
        return fixedWidth;
    int width = 0;
    for (const MenuItem& item : items) {
        if (item.IsSeparator())
            continue;
        width = std::max(width, kMenuWidthMargins + kMenuCharWidth * CountCharacters(item.text));
    }
    return width;
}

} // namespace lumeno
