#pragma once
// The read loop of the HID handles that sit on a file descriptor (hidraw
// nodes, virtual-device sockets): wait until the descriptor is readable, a
// cancel comes or the time-out passes, then take one report.
#include "platform/HidSystem.h"
#include "platform/linux/CancelableWait.h"

#include <chrono>
#include <functional>
#include <optional>

namespace lumeno {

// One attempt to take a report without blocking: the read's outcome (Ok with
// the bytes stored, or Failed), or nullopt when nothing usable is there yet.
using TakeReport = std::function<std::optional<HidReadResult>()>;

// HidHandle::Read over fd: a cancel pending on wait (latched or arriving
// during the wait) wins over data and is consumed; take runs before the first
// wait and after each wake-up, until it gives an outcome or the time-out
// (kHidWaitForever: none; zero: only what is there now) passes. A descriptor
// that hangs up or cannot be waited on gives Failed.
HidReadResult DeadlineRead(int fd, CancelableWait& wait, std::chrono::milliseconds timeout, const TakeReport& take);

} // namespace lumeno
