#pragma once
// Everything the program needs to talk to the mouse, in one place: the
// connection, the transport over it, the device-side state and the cancel
// flag of the flow that is using it.
#include "device/DeviceConnection.h"
#include "device/DeviceState.h"
#include "device/Transport.h"

#include <atomic>

namespace lumeno {

class DebugOutput;
class HidSystem;
class Pacer;

class DeviceLink {
public:
    DeviceLink(HidSystem& hid, Pacer& pacer, DebugOutput& debug)
        : connection(hid, debug), transport(connection, pacer, debug, cancel), debug(debug)
    {
    }
    DeviceLink(const DeviceLink&) = delete;
    DeviceLink& operator=(const DeviceLink&) = delete;

    // Set when the mouse goes away or the program ends during a flow: from
    // then on the transport sends nothing and pauses no more. Any thread.
    std::atomic<bool> cancel{false};
    DeviceConnection connection;
    Transport transport;
    DeviceState state;
    DebugOutput& debug;
};

} // namespace lumeno
