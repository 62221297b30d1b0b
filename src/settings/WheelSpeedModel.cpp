#include "settings/WheelSpeedModel.h"

#include "config/ConfigImage.h"

#include <algorithm>
#include <charconv>

namespace lumeno {

bool WheelSpeedModel::PageMode() const { return image_.wheelPageMode != 0; }

std::string WheelSpeedModel::BoxText() const { return PageMode() ? "0" : std::to_string(int(image_.wheelLines)); }

void WheelSpeedModel::Click(int x, int y)
{
    if (kWheelUpArrow.Contains(x, y) && !PageMode())
        image_.wheelLines = uint8_t(std::min(int(image_.wheelLines) + 1, kWheelMaxLines));
    if (kWheelDownArrow.Contains(x, y) && !PageMode())
        image_.wheelLines = uint8_t(std::max(int(image_.wheelLines) - 1, kWheelMinLines));
    if (kWheelLinesRadio.Contains(x, y))
        image_.wheelPageMode = 0;
    if (kWheelPageRadio.Contains(x, y))
        image_.wheelPageMode = 1;
}

std::string WheelSpeedModel::Typed(std::string_view text)
{
    long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    const bool whole = error == std::errc() && end == text.data() + text.size();
    if (!whole || value <= 0 || value > kWheelMaxLines) {
        image_.wheelLines = kWheelMinLines;
        return "1";
    }
    image_.wheelLines = uint8_t(value);
    return {};
}

} // namespace lumeno
