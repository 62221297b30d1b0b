#pragma once
// The device worker: one thread that runs the flows, one at a time, in the
// order they were asked for, so the UI thread stays free to paint while the
// mouse is paced. Work for the UI thread that must not overlap a flow (a
// device notice, a restore that reloads the profile) waits behind the flows
// asked for before it and runs in order with them.
//
// Every member is called on the UI thread, except those marked "any thread".
#include "flows/WriteFlows.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <variant>

namespace lumeno {

class DeviceLink;
class UiThread;

// Told on the UI thread when the worker starts and ends a run of flows.
class FlowObserver {
public:
    virtual ~FlowObserver() = default;
    // A flow started; planned is the pause it will pay in all.
    virtual void FlowStarted(std::chrono::milliseconds planned) = 0;
    // No flow runs any more and none is waiting.
    virtual void FlowsIdle() = 0;
};

class DeviceWorker {
public:
    struct Job {
        std::function<FlowResult()> run; // on the worker thread
        // Its pauses, worked out on the UI thread as it starts (no other flow
        // touches the AppContext then); empty: none.
        std::function<std::chrono::milliseconds()> plan;
        std::function<void(FlowResult)> finished; // on the UI thread, may be empty
        bool quiet = false;                       // background work the observer is not told of (no busy window)
    };

    // link: whose pauses measure progress and whose cancel flag stops a flow;
    // may be null (no progress, nothing to cancel).
    DeviceWorker(UiThread& ui, DeviceLink* link, FlowObserver* observer = nullptr);
    // Cancels the running flow, waits until it has finished (it still saves)
    // and ends the thread. Queued work is dropped.
    ~DeviceWorker();
    DeviceWorker(const DeviceWorker&) = delete;
    DeviceWorker& operator=(const DeviceWorker&) = delete;

    // Queues a flow; it starts at once when nothing runs or waits.
    void Submit(Job job);
    // Runs task now when nothing runs or waits; otherwise after the work
    // queued before it.
    void AfterFlows(std::function<void()> task);

    bool Busy() const { return running_; }
    // Work waiting behind the running flow.
    std::size_t Queued() const { return queue_.size(); }
    // The running flow's pauses paid so far, against its plan: 0..1. Any thread.
    double Progress() const;
    // Stops the running flow at its next pause or transfer. Any thread.
    void CancelRunning();

private:
    using Item = std::variant<Job, std::function<void()>>;
    void Pump();
    void ThreadMain();

    UiThread& ui_;
    DeviceLink* link_;
    FlowObserver* observer_;
    std::deque<Item> queue_; // UI thread only
    bool running_ = false;   // UI thread only
    bool busyShown_ = false; // the observer was told of a start and not yet of idle

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::optional<Job> handed_; // the job the thread is to run
    bool stop_ = false;
    std::chrono::milliseconds planned_{};
    std::chrono::milliseconds pausedAtStart_{};
    std::thread thread_;
};

} // namespace lumeno
