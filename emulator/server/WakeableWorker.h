#pragma once
// A server's worker thread that sleeps in poll() and is woken through an
// eventfd: by a plug change, by a stop, or by anything else that wants the
// loop to look at its state again. The body polls WakeFd() among its own
// descriptors, calls ConsumeWake() when it is readable and returns once
// Stopping() is true.
#include <atomic>
#include <functional>
#include <thread>

namespace lumeno {

class WakeableWorker {
public:
    WakeableWorker() = default;
    ~WakeableWorker();
    WakeableWorker(const WakeableWorker&) = delete;
    WakeableWorker& operator=(const WakeableWorker&) = delete;

    // Creates the eventfd, so that Wake() works before the thread starts.
    // False with errno set on failure.
    bool Open();
    // Starts the thread running body; Open() must have succeeded.
    void Start(std::function<void()> body);
    // True from Start() until Stop().
    bool Started() const { return thread_.joinable(); }

    // Makes the body's poll() return. Callable from any thread.
    void Wake();
    int WakeFd() const { return wakeFd_; }
    // Resets the eventfd after poll() reported it readable.
    void ConsumeWake();
    bool Stopping() const { return stopping_; }

    // Asks the body to return, wakes and joins it, then closes the eventfd.
    // Also closes an eventfd opened without a thread. Idempotent.
    void Stop();

private:
    std::atomic<bool> stopping_{false};
    int wakeFd_ = -1;
    std::thread thread_;
};

} // namespace lumeno
