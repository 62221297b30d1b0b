// The device worker: flows one at a time in the order asked, UI work queued
// behind them in the same order, and the observer's start and idle calls.
#include "flows/DeviceWorker.h"

#include "PumpedUiThread.h"

#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <vector>

namespace lumeno {
namespace {

using test::PumpedUiThread;

struct RecordingObserver final : FlowObserver {
    void FlowStarted(std::chrono::milliseconds planned) override
    {
        calls.push_back("started " + std::to_string(planned.count()));
    }
    void FlowsIdle() override { calls.push_back("idle"); }
    std::vector<std::string> calls;
};

TEST(DeviceWorker, RunsFlowsInOrderWithUiWorkWaitingBehindThem)
{
    PumpedUiThread ui;
    RecordingObserver observer;
    std::vector<std::string> order; // written on the UI thread only
    std::mutex flowMutex;
    std::vector<std::string> flows; // written on the worker
    {
        DeviceWorker worker(ui, nullptr, &observer);
        auto flow = [&](const char* name) {
            return DeviceWorker::Job{[&flows, &flowMutex, name] {
                                         std::lock_guard lock(flowMutex);
                                         flows.push_back(name);
                                         return FlowResult{};
                                     },
                                     [] { return std::chrono::milliseconds(100); },
                                     [&order, name](FlowResult) { order.push_back(std::string(name) + " done"); }};
        };
        worker.Submit(flow("A"));
        worker.AfterFlows([&] { order.push_back("notice"); });
        worker.Submit(flow("B"));
        EXPECT_TRUE(worker.Busy());
        EXPECT_TRUE(order.empty()) << "the notice waits for flow A";

        ASSERT_TRUE(ui.RunOne()); // A finished: the notice runs, then B starts
        EXPECT_EQ(order, (std::vector<std::string>{"A done", "notice"}));
        EXPECT_TRUE(worker.Busy());
        ASSERT_TRUE(ui.RunOne());
        EXPECT_FALSE(worker.Busy());

        worker.AfterFlows([&] { order.push_back("now"); }); // nothing runs: at once
    }
    EXPECT_EQ(flows, (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(order, (std::vector<std::string>{"A done", "notice", "B done", "now"}));
    EXPECT_EQ(observer.calls, (std::vector<std::string>{"started 100", "started 100", "idle"}));
}

} // namespace
} // namespace lumeno
