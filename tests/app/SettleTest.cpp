// The window tests' wait for a quiet program: it must not return while a
// chain of queued calls is still on its way to a flow, nor before the flow's
// result is back on the UI thread.
#include "MainWindowFixture.h"

#include <QMetaObject>
#include <QPointer>

#include <gtest/gtest.h>

namespace lumeno {
namespace {

struct SettleTest : test::MainWindowFixture, ::testing::Test {};

// Runs task on the UI thread after `hops` more trips through the event queue.
void AfterHops(int hops, std::function<void()> task)
{
    QMetaObject::invokeMethod(
        qApp,
        [hops, task = std::move(task)]() mutable {
            if (hops == 0)
                task();
            else
                AfterHops(hops - 1, std::move(task));
        },
        Qt::QueuedConnection);
}

TEST_F(SettleTest, WaitsForQueuedCallsThatEndInAFlowAndForDeferredDeletes)
{
    auto& s = Start();
    ASSERT_TRUE(Settle());

    bool applied = false;
    auto* doomed = new QObject;
    QPointer<QObject> watch(doomed);
    AfterHops(2, [&] {
        doomed->deleteLater();
        s.Worker().Submit({[] { return FlowResult{}; }, {}, [&](FlowResult) { applied = true; }});
    });
    ASSERT_TRUE(Settle());
    EXPECT_TRUE(applied) << "returned before the flow's result was applied";
    EXPECT_TRUE(watch.isNull()) << "returned before the deferred delete";
}

} // namespace
} // namespace lumeno
