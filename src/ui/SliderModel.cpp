#include "ui/SliderModel.h"

#include <algorithm>
#include <utility>

namespace lumeno {

SliderModel::SliderModel(SliderOrientation orientation, SliderRect rect) : orientation_(orientation), rect_(rect) {}

void SliderModel::SetRange(int minimum, int maximum)
{
    if (minimum > maximum)
        std::swap(minimum, maximum);
    min_ = minimum;
    max_ = maximum;
    pos_ = Clamp(pos_);
}

int SliderModel::Clamp(int value) const { return std::clamp(value, min_, max_); }

void SliderModel::SetPos(int value) { pos_ = Clamp(value); }

void SliderModel::SetPosOrMinimum(int value) { pos_ = (value < min_ || value > max_) ? min_ : value; }

void SliderModel::SetEnabled(bool enabled)
{
    enabled_ = enabled;
    if (!enabled)
        dragging_ = false;
}

bool SliderModel::Press()
{
    if (!enabled_)
        return false;
    dragging_ = true;
    return true;
}

int SliderModel::Extent() const { return orientation_ == SliderOrientation::Vertical ? rect_.Height() : rect_.Width(); }

int SliderModel::PositionAt(int coordinate) const
{
    const int extent = Extent();
    if (extent <= 0)
        return min_; // a control without size has nowhere to drag
    long long offset;
    if (orientation_ == SliderOrientation::Vertical) {
        const int y = std::clamp(coordinate, rect_.top, rect_.bottom);
        offset = rect_.bottom - y;
    } else {
        const int x = std::clamp(coordinate, rect_.left, rect_.right);
        offset = x - rect_.left;
    }
    const long long value = min_ + static_cast<long long>(max_ - min_) * offset / extent;
    return Clamp(static_cast<int>(value));
}

bool SliderModel::Move(int coordinate)
{
    if (!dragging_)
        return false;
    const int before = pos_;
    pos_ = PositionAt(coordinate);
    return pos_ != before;
}

std::optional<int> SliderModel::Release(int coordinate)
{
    if (!dragging_)
        return std::nullopt;
    dragging_ = false;
    pos_ = PositionAt(coordinate);
    return pos_;
}

int SliderModel::FilledExtent() const
{
    const int extent = Extent();
    if (extent <= 0 || pos_ <= min_)
        return 0;
    const int divisor = max_ - min_ - 1;
    if (divisor <= 0)
        return extent; // two-value range: any step above the minimum fills the track
    const long long filled = static_cast<long long>(extent) * (pos_ - min_) / divisor;
    return static_cast<int>(std::min<long long>(filled, extent));
}

} // namespace lumeno
