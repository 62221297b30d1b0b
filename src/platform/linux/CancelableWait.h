#pragma once
// Waiting for a file descriptor to become readable in a way that another
// thread can cut short: poll on the descriptor and an eventfd. A cancel that
// arrives while nobody waits is kept for the next wait.
#include <chrono>

namespace lumeno {

class CancelableWait {
public:
    enum class Result { Readable, TimedOut, Cancelled, Hangup, Failed };

    CancelableWait();
    ~CancelableWait();
    CancelableWait(const CancelableWait&) = delete;
    CancelableWait& operator=(const CancelableWait&) = delete;

    bool Valid() const { return eventFd_ >= 0; }

    // Waits until fd is readable, the deadline passes (a negative timeout
    // waits forever, zero only looks) or Cancel() is called. A pending cancel
    // is consumed and wins over readable data.
    Result Wait(int fd, std::chrono::milliseconds timeout);

    // Any thread, any time.
    void Cancel();

    // Consumes a pending cancel without waiting; true when there was one.
    bool TakeCancel();

private:
    int eventFd_ = -1;
};

} // namespace lumeno
