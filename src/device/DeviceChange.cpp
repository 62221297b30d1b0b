#include "device/DeviceChange.h"

#include <algorithm>
#include <array>

namespace lumeno {

namespace {

// Plain, case-sensitive substrings. The receiver's product id 2C33 triggers
// a search too; the search alone decides what is the mouse.
constexpr std::array<std::string_view, 4> kDeviceNameFilters{
    "Vid_7a1f&Pid_2c33",
    "VID_7A1F&PID_2C33",
    "Vid_7a1f&Pid_2c41",
    "VID_7A1F&PID_2C41",
};

} // namespace

bool PassesDeviceNameFilter(std::string_view name)
{
    return std::any_of(kDeviceNameFilters.begin(), kDeviceNameFilters.end(),
                       [name](std::string_view filter) { return name.find(filter) != std::string_view::npos; });
}

} // namespace lumeno
