#pragma once
// Everything the program needs to talk to the mouse, in one place: the
// connection, the transport over it, the device-side state and the busy
// indicator the flows show.
#include "device/DeviceConnection.h"
#include "device/DeviceState.h"
#include "device/Transport.h"

namespace lumeno {

class BusyIndicator;
class DebugOutput;
class HidSystem;
class Pacer;

class DeviceLink {
public:
    DeviceLink(HidSystem& hid, Pacer& pacer, DebugOutput& debug, BusyIndicator* busy = nullptr)
        : connection(hid, debug), transport(connection, pacer, debug), debug(debug), busy(busy)
    {
    }
    DeviceLink(const DeviceLink&) = delete;
    DeviceLink& operator=(const DeviceLink&) = delete;

    DeviceConnection connection;
    Transport transport;
    DeviceState state;
    DebugOutput& debug;
    BusyIndicator* busy; // may be null: no feedback
};

} // namespace lumeno
