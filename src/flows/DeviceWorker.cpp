#include "flows/DeviceWorker.h"

#include "device/DeviceLink.h"
#include "platform/UiThread.h"

#include <algorithm>

namespace lumeno {

DeviceWorker::DeviceWorker(UiThread& ui, DeviceLink* link, FlowObserver* observer)
    : ui_(ui), link_(link), observer_(observer), thread_(&DeviceWorker::ThreadMain, this)
{
}

DeviceWorker::~DeviceWorker()
{
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    CancelRunning();
    wake_.notify_all();
    thread_.join();
}

void DeviceWorker::Submit(Job job)
{
    queue_.emplace_back(std::move(job));
    Pump();
}

void DeviceWorker::AfterFlows(std::function<void()> task)
{
    queue_.emplace_back(std::move(task));
    Pump();
}

void DeviceWorker::Pump()
{
    while (!running_ && !queue_.empty()) {
        Item item = std::move(queue_.front());
        queue_.pop_front();
        if (auto* task = std::get_if<std::function<void()>>(&item)) {
            (*task)();
            continue;
        }
        Job& job = std::get<Job>(item);
        const bool quiet = job.quiet;
        const std::chrono::milliseconds planned = job.plan ? job.plan() : std::chrono::milliseconds(0);
        running_ = true;
        {
            std::lock_guard lock(mutex_);
            planned_ = planned;
            if (link_) {
                link_->cancel.store(false);
                // Background work (the search) has no plan and is bounded by
                // its own answer limits.
                link_->transport.BeginFlow(planned.count() > 0 ? std::optional(FlowBound(planned)) : std::nullopt);
                pausedAtStart_ = link_->transport.Paused();
            }
            handed_ = std::move(job);
        }
        wake_.notify_all();
        if (!quiet) {
            busyShown_ = true;
            if (observer_)
                observer_->FlowStarted(planned_);
        }
    }
    if (!running_ && busyShown_) {
        busyShown_ = false;
        if (observer_)
            observer_->FlowsIdle();
    }
}

void DeviceWorker::ThreadMain()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stop_ || handed_.has_value(); });
        if (!handed_)
            return; // stopping with nothing to finish
        Job job = std::move(*handed_);
        handed_.reset();
        lock.unlock();
        const FlowResult result = job.run();
        ui_.Post([this, finished = std::move(job.finished), result] {
            running_ = false;
            if (finished)
                finished(result);
            Pump();
        });
        lock.lock();
        if (stop_)
            return;
    }
}

double DeviceWorker::Progress() const
{
    if (!link_)
        return 0.0;
    std::lock_guard lock(mutex_);
    if (planned_.count() <= 0)
        return 1.0;
    const auto paid = link_->transport.Paused() - pausedAtStart_;
    return std::clamp(double(paid.count()) / double(planned_.count()), 0.0, 1.0);
}

void DeviceWorker::CancelRunning()
{
    if (link_)
        link_->cancel.store(true);
}

} // namespace lumeno
