#pragma once
// A UI thread for tests whose flows run on other threads: tasks posted from
// any thread wait until the test thread pumps them.
#include "platform/UiThread.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

namespace lumeno::test {

class PumpedUiThread final : public UiThread {
public:
    void Post(std::function<void()> task) override
    {
        std::lock_guard lock(mutex_);
        tasks_.push_back(std::move(task));
        changed_.notify_all();
    }
    // Waits (five seconds at most) for one posted task and runs it here.
    bool RunOne()
    {
        std::unique_lock lock(mutex_);
        if (!changed_.wait_for(lock, std::chrono::seconds(5), [this] { return !tasks_.empty(); }))
            return false;
        auto task = std::move(tasks_.front());
        tasks_.pop_front();
        lock.unlock();
        task();
        return true;
    }
    // Runs posted tasks until done() holds; false after five idle seconds.
    bool PumpUntil(const std::function<bool()>& done)
    {
        while (!done())
            if (!RunOne())
                return false;
        return true;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::function<void()>> tasks_;
};

} // namespace lumeno::test
