#include "settings/SettingsAccordion.h"

#include <algorithm>
#include <cstdlib>

namespace lumeno {

SettingsAccordion::SettingsAccordion(std::vector<AccordionItem> items)
    : layout_(kSettingsColumnTop, kSettingsHeaderGap, std::move(items))
{
}

void SettingsAccordion::Toggle(int item)
{
    if (!layout_.Item(item).shown)
        return;
    const int change = layout_.Item(item).paneHeight + kSettingsPaneMargin;
    content_ += layout_.Open(item) ? -change : change;
    layout_.Toggle(item);
}

void SettingsAccordion::CollapseAll()
{
    for (int i = Count() - 1; i >= 0; --i)
        if (layout_.Open(i))
            Toggle(i);
}

int SettingsAccordion::ViewHeight() const { return std::max(content_, kSettingsMinimumViewHeight); }

int SettingsAccordion::ScrollMaximum(int visibleHeight) const
{
    return std::max(0, std::max(content_, layout_.Bottom()) - visibleHeight);
}

int WheelScrollPixels(int delta, WheelSetting setting, int visibleHeight)
{
    if (delta == 0)
        return 0;
    const int direction = delta > 0 ? -1 : 1;
    if (setting.pageMode)
        return direction * visibleHeight;
    const int notches = std::max(setting.lines, 0) * std::abs(delta) / kWheelDeltaPerNotch;
    const int lines = notches < 6 ? 1 : notches / 3;
    return direction * lines * kSettingsLineStep;
}

int TakeWholeNotches(int& rest, int delta)
{
    if (rest != 0 && (rest > 0) != (delta > 0))
        rest = 0;
    rest += delta;
    const int whole = rest / kWheelDeltaPerNotch * kWheelDeltaPerNotch;
    rest -= whole;
    return whole;
}

} // namespace lumeno
