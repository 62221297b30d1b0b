#pragma once
// A column of collapsible items: each a header with a pane that opens below
// it. Every shown item's header stands a fixed gap below the element above
// it (the previous header, or its pane when that item is open); hidden items
// take no place. The left column of the main window and the settings column
// are both such columns.
#include <cstddef>
#include <vector>

namespace lumeno {

struct AccordionItem {
    int headerHeight = 0;
    int paneHeight = 0;
    bool shown = true;
};

class AccordionModel {
public:
    AccordionModel(int top, int gap, std::vector<AccordionItem> items);

    int Count() const { return int(items_.size()); }
    const AccordionItem& Item(int i) const { return items_[std::size_t(i)]; }
    bool Open(int i) const { return open_[std::size_t(i)]; }

    // Opens a closed item or closes an open one; hidden items stay closed.
    void Toggle(int i);
    void SetOpen(int i, bool open);
    void SetPaneHeight(int i, int height);
    void SetShown(int i, bool shown);
    void CollapseAll();

    int HeaderTop(int i) const;
    int HeaderBottom(int i) const { return HeaderTop(i) + items_[std::size_t(i)].headerHeight; }
    // An open pane lies directly under its header.
    int PaneTop(int i) const { return HeaderBottom(i); }
    // The bottom of the last shown element, header or open pane.
    int Bottom() const;

private:
    int ElementBottom(int i) const;

    int top_;
    int gap_;
    std::vector<AccordionItem> items_;
    std::vector<bool> open_;
};

} // namespace lumeno
