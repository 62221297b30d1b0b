#include "ui/ScrollBarModel.h"

#include <algorithm>

namespace lumeno {

CellRect ScrollSkinGrid::Cell(bool vertical, ScrollPart part, ScrollPartLook look) const
{
    int column = 0;
    switch (part) {
    case ScrollPart::FirstArrow:
        column = 0;
        break;
    case ScrollPart::SecondArrow:
        column = 1;
        break;
    case ScrollPart::Thumb:
        column = 2;
        break;
    default:
        column = 3;
        break; // track, before or after the thumb
    }
    if (!vertical)
        column += 4;
    return {column * cellWidth, static_cast<int>(look) * cellHeight, cellWidth, cellHeight};
}

ScrollBarLayout ScrollBarLayout::Compute(int length, int arrow, int minimum, int maximum, int page, int value)
{
    ScrollBarLayout layout;
    layout.length = std::max(0, length);
    layout.arrow = std::clamp(arrow, 0, layout.length / 2);
    const int track = layout.length - 2 * layout.arrow;
    const long long span = static_cast<long long>(maximum) - minimum;
    if (span <= 0 || track <= 0)
        return layout; // nothing to scroll: no thumb
    page = std::max(page, 0);
    const long long total = span + page;
    int thumb = static_cast<int>(total > 0 ? track * static_cast<long long>(page) / total : track);
    thumb = std::clamp(thumb, std::min(kScrollMinimumThumb, track), track);
    const int travel = track - thumb;
    const long long clamped = std::clamp<long long>(value, minimum, maximum);
    layout.thumbLength = thumb;
    layout.thumbStart = layout.arrow + static_cast<int>(travel * (clamped - minimum) / span);
    return layout;
}

ScrollPart ScrollBarLayout::HitTest(int offset) const
{
    if (offset < 0 || offset >= length)
        return ScrollPart::None;
    if (offset < arrow)
        return ScrollPart::FirstArrow;
    if (offset >= length - arrow)
        return ScrollPart::SecondArrow;
    if (thumbLength == 0)
        return ScrollPart::None;
    if (offset < thumbStart)
        return ScrollPart::TrackBefore;
    if (offset < thumbStart + thumbLength)
        return ScrollPart::Thumb;
    return ScrollPart::TrackAfter;
}

int ScrollBarLayout::ValueForThumbStart(int thumbStartOffset, int minimum, int maximum) const
{
    const int travel = length - 2 * arrow - thumbLength;
    if (travel <= 0 || maximum <= minimum)
        return minimum;
    const int moved = std::clamp(thumbStartOffset - arrow, 0, travel);
    return minimum + static_cast<int>((static_cast<long long>(maximum) - minimum) * moved / travel);
}

int ScrollRepeat::StepsDue(std::chrono::milliseconds now)
{
    if (!next_ || now < *next_)
        return 0;
    const std::chrono::milliseconds interval(kScrollRepeatIntervalMs);
    const int steps = 1 + static_cast<int>((now - *next_) / interval);
    *next_ += steps * interval;
    return steps;
}

} // namespace lumeno
