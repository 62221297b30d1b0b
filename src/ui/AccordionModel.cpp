#include "ui/AccordionModel.h"

namespace lumeno {

AccordionModel::AccordionModel(int top, int gap, std::vector<AccordionItem> items)
    : top_(top), gap_(gap), items_(std::move(items)), open_(items_.size(), false)
{
}

void AccordionModel::Toggle(int i) { SetOpen(i, !Open(i)); }

void AccordionModel::SetOpen(int i, bool open) { open_[std::size_t(i)] = open && items_[std::size_t(i)].shown; }

void AccordionModel::SetPaneHeight(int i, int height) { items_[std::size_t(i)].paneHeight = height; }

void AccordionModel::SetShown(int i, bool shown)
{
    items_[std::size_t(i)].shown = shown;
    if (!shown)
        open_[std::size_t(i)] = false;
}

void AccordionModel::CollapseAll() { open_.assign(items_.size(), false); }

int AccordionModel::ElementBottom(int i) const
{
    return HeaderBottom(i) + (Open(i) ? items_[std::size_t(i)].paneHeight : 0);
}

int AccordionModel::HeaderTop(int i) const
{
    for (int above = i - 1; above >= 0; --above)
        if (items_[std::size_t(above)].shown)
            return ElementBottom(above) + gap_;
    return top_;
}

int AccordionModel::Bottom() const
{
    for (int i = Count() - 1; i >= 0; --i)
        if (items_[std::size_t(i)].shown)
            return ElementBottom(i);
    return top_;
}

} // namespace lumeno
