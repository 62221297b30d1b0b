#pragma once
// A real lumeno-virtual-mouse stopped (SIGSTOP) while the program talks to
// it, then continued (SIGCONT): after the unanswered flow the session takes
// the mouse as removed, a search finds nothing while it is stopped, and once
// it answers it is found again and hears the next flow. The same on every
// path to the mouse (socket, hidraw).
#include "ChildProcess.h"
#include "device/DeviceFixture.h"

#include "flows/DeviceSession.h"
#include "flows/WriteFlows.h"

#include <gtest/gtest.h>

#include <chrono>
#include <iostream>
#include <thread>

namespace lumeno::test {

inline std::chrono::milliseconds Since(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
}

// The session is started and connected to mouse. lineWait bounds the wait
// for the frame line of the last flow; unansweredLimit, when not zero, the
// unanswered flow.
inline void ExpectLostThenFoundAgain(ChildProcess& mouse, AppContext& ctx, DeviceLink& link, DeviceSession& session,
                                     RecordingListener& listener, std::chrono::seconds lineWait,
                                     std::chrono::milliseconds unansweredLimit = {})
{
    using namespace std::chrono_literals;
    ASSERT_TRUE(mouse.Stop());
    ctx.image.axisSensitivityX = 1;
    ctx.image.axisSensitivityY = 1;
    auto start = std::chrono::steady_clock::now();
    RunFlow(Flow::Sensitivity, ctx);
    std::cout << "unanswered flow: " << Since(start).count() << " ms\n";
    if (unansweredLimit.count() > 0) {
        EXPECT_LT(Since(start), unansweredLimit) << "the reply timed out";
    }
    session.AfterFlow();
    EXPECT_TRUE(session.Lost());
    EXPECT_FALSE(link.connection.MouseConnected());
    EXPECT_EQ(link.connection.CommandHandle(), nullptr) << "handles closed as for a removal";
    EXPECT_EQ(listener.Snapshot(), (std::vector<std::string>{"gone"}));

    start = std::chrono::steady_clock::now();
    EXPECT_FALSE(session.SearchAnswering()) << "still stopped";
    std::cout << "search while stopped: " << Since(start).count() << " ms\n";
    EXPECT_FALSE(link.connection.MouseConnected());

    mouse.Signal(SIGCONT);
    bool answering = false;
    for (int attempt = 0; attempt < 10 && !answering; ++attempt) {
        answering = session.SearchAnswering();
        if (!answering)
            std::this_thread::sleep_for(200ms);
    }
    ASSERT_TRUE(answering);
    session.FoundAgain();
    EXPECT_FALSE(session.Lost());
    EXPECT_TRUE(link.connection.MouseConnected());
    EXPECT_EQ(listener.Snapshot(), (std::vector<std::string>{"gone", "arrived"}));

    // Values the first flow did not send: 3 x 20 and 7 x 20.
    ctx.image.axisSensitivityX = 3;
    ctx.image.axisSensitivityY = 7;
    RunFlow(Flow::Sensitivity, ctx);
    session.AfterFlow();
    EXPECT_FALSE(session.Lost());
    const auto line = mouse.WaitForLine("frame SetAxisSensitivity x=60", lineWait);
    ASSERT_TRUE(line) << "the mouse hears the program again";
    EXPECT_NE(line->find("[0b 3c 8c 00 00 00 00"), std::string::npos) << *line;
}

} // namespace lumeno::test
