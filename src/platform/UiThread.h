#pragma once
// The thread that owns the windows and, between flows, the AppContext.
#include <functional>

namespace lumeno {

class UiThread {
public:
    virtual ~UiThread() = default;

    // Queues task to run on the UI thread after the handler running now, in
    // the order tasks were posted; any thread. A receiver that is shutting
    // down may drop tasks.
    virtual void Post(std::function<void()> task) = 0;
};

} // namespace lumeno
