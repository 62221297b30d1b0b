#pragma once
// The device-change notification: its event codes and the names of the
// interfaces the program acts on.
#include <cstdint>
#include <string_view>

namespace lumeno {

inline constexpr uint32_t kDeviceArrival = 0x8000;
inline constexpr uint32_t kDeviceRemoveComplete = 0x8004;
inline constexpr uint32_t kDeviceTypeInterface = 5;

// True when an interface name names the mouse (or its receiver) in one of
// the two spellings the system uses: "VID_7A1F&PID_2C41" or
// "Vid_7a1f&Pid_2c41", and the same with product id 2C33.
bool PassesDeviceNameFilter(std::string_view interfaceName);

} // namespace lumeno
