#pragma once
// The program's model side in one process, for benchmarks and the gallery:
// a temporary data folder, a quiet diagnostic channel, the AppContext on
// them, and a virtual mouse behind an in-process HID system.
#include "device/DeviceLink.h"
#include "platform/Pacer.h"
#include "support/TestContext.h"
#include "ui/UiText.h"

#include "EmulatedHidSystem.h"
#include "VirtualMouse.h"

namespace lumeno::test {

struct ProgramWorld {
    TempDir tmp;
    NullDebugOutput debug;
    FixedPlatformPaths platform{tmp.path()};
    PosixFileStore files;
    AppContext ctx{debug, platform, files};
    VirtualPacer pacer;
    VirtualMouse mouse{{}, &pacer};
    EmulatedHidSystem hid{&pacer};
    DeviceLink link{hid, pacer, debug};
    UiText text;
};

} // namespace lumeno::test
