#pragma once
// Device notices: what the device link tells the main window (a DPI stage
// switched on the mouse, the mouse found, the mouse gone).
#include <functional>

namespace lumeno {

enum class DeviceNoticeKind : int {
    DpiStageChanged = 1, // param: the stage index 0..7 the mouse reported
    MouseFound = 14,     // param 0
    MouseGone = 15,      // param 0
};

class DeviceNoticeSink {
public:
    virtual ~DeviceNoticeSink() = default;

    // Queues a notice for the UI thread and returns at once; notices are
    // handled in the order they were posted, after the handler that is
    // running now. May be called from any thread.
    //
    // handled, when given, is called on the UI thread once the notice has
    // been handled. The receiver may drop a notice without calling it (for
    // example while the program shuts down); a sender that waits for it must
    // therefore also be able to stop waiting.
    virtual void PostNotice(DeviceNoticeKind kind, int param, std::function<void()> handled = {}) = 0;
};

} // namespace lumeno
