#pragma once
// Waits on the UI thread until the program has nothing left to do: every
// event posted so far delivered (queued calls, zero-time timers, deferred
// deletes), and the caller's own work (a device worker's flows) done. One
// round posts a marker behind everything already queued and runs the loop
// until the marker arrives; the program is quiet after two rounds in a row
// in which nothing but the marker was delivered and no work was pending, so
// a chain of queued calls that ends in a flow is waited for to its end.
#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QMetaEnum>
#include <QObject>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <map>
#include <string>

namespace lumeno::test {

inline constexpr std::chrono::milliseconds kQuietLimit{30000};

// What is still pending: empty when nothing is.
using PendingWork = std::function<std::string()>;

namespace detail {

class LoopActivity final : public QObject {
public:
    static constexpr QEvent::Type kMarker = QEvent::Type(QEvent::User + 731);

    LoopActivity() { QCoreApplication::instance()->installEventFilter(this); }
    ~LoopActivity() override { QCoreApplication::instance()->removeEventFilter(this); }

    // Delivers everything posted before this call; false when the marker
    // did not come back within the limit.
    bool RunOneRound(const QElapsedTimer& clock)
    {
        delivered_.clear();
        markerSeen_ = false;
        QCoreApplication::postEvent(this, new QEvent(kMarker), Qt::LowEventPriority);
        while (!markerSeen_) {
            if (clock.elapsed() > kQuietLimit.count())
                return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        // Objects deleted later outside a running event loop go only when asked for.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return true;
    }
    bool NothingDelivered() const { return delivered_.empty(); }
    std::string Delivered() const
    {
        std::string out;
        for (const auto& [type, count] : delivered_) {
            const char* name = QMetaEnum::fromType<QEvent::Type>().valueToKey(type);
            out += (out.empty() ? "" : ", ") + std::to_string(count) + " " + (name ? name : std::to_string(type));
        }
        return out;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == kMarker && watched == this) {
            markerSeen_ = true;
            return true;
        }
        if (!IsRepeatingTimer(event))
            ++delivered_[int(event->type())];
        return false;
    }

private:
    // A timer with an interval ticks on while the program is idle (a search
    // every few seconds); a zero-time timer is work still to do.
    static bool IsRepeatingTimer(QEvent* event)
    {
        if (event->type() != QEvent::Timer)
            return false;
        auto* dispatcher = QAbstractEventDispatcher::instance();
        const int id = static_cast<QTimerEvent*>(event)->timerId();
        return dispatcher && dispatcher->remainingTime(id) != 0;
    }

    std::map<int, int> delivered_;
    bool markerSeen_ = false;
};

// Sleeps in the event loop until the next event: another thread's work
// posts its result back and wakes it at once; a tick bounds the sleep for
// state that changes without an event (a flow held at its pause).
inline void AwaitNextEvent()
{
    QTimer tick;
    tick.start(10);
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

} // namespace detail

// Runs the UI thread's event loop until it is quiet and pending() reports
// nothing, twice in a row; fails after kQuietLimit naming what was pending.
inline ::testing::AssertionResult WaitUntilQuiet(const PendingWork& pending = {})
{
    detail::LoopActivity activity;
    QElapsedTimer clock;
    clock.start();
    int quietRounds = 0;
    std::string work;
    while (quietRounds < 2) {
        if (!activity.RunOneRound(clock))
            return ::testing::AssertionFailure()
                   << "the event loop did not come back within " << kQuietLimit.count() << " ms";
        work = pending ? pending() : std::string();
        quietRounds = activity.NothingDelivered() && work.empty() ? quietRounds + 1 : 0;
        if (quietRounds < 2 && clock.elapsed() > kQuietLimit.count())
            return ::testing::AssertionFailure()
                   << "not quiet after " << kQuietLimit.count()
                   << " ms; still pending: " << (work.empty() ? std::string("nothing") : work)
                   << "; last round delivered: "
                   << (activity.NothingDelivered() ? std::string("nothing") : activity.Delivered());
        if (!work.empty())
            detail::AwaitNextEvent();
    }
    return ::testing::AssertionSuccess();
}

// Runs the event loop until done() holds; fails after kQuietLimit.
inline ::testing::AssertionResult WaitFor(const std::function<bool()>& done)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > kQuietLimit.count())
            return ::testing::AssertionFailure()
                   << "the condition still did not hold after " << kQuietLimit.count() << " ms";
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        if (!done())
            detail::AwaitNextEvent();
    }
    return ::testing::AssertionSuccess();
}

} // namespace lumeno::test
