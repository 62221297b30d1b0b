#pragma once
// The fixed pauses that pace the mouse. Flows call Pause; the emulator reads
// Now() to time-stamp what it receives, so tests see the pacing on a virtual
// clock while the real program sleeps.
#include <atomic>
#include <chrono>
#include <thread>

namespace lumeno {

class Pacer {
public:
    virtual ~Pacer() = default;

    // Lets duration pass before returning. Called on the thread that talks to
    // the mouse (the UI thread); a non-positive duration returns at once.
    virtual void Pause(std::chrono::milliseconds duration) = 0;

    // Time on this pacer's clock since it was made. Monotonic; any thread.
    virtual std::chrono::milliseconds Now() const = 0;
};

// The program's pacer: really sleeps, and reads a steady clock.
class SleepingPacer final : public Pacer {
public:
    void Pause(std::chrono::milliseconds duration) override
    {
        if (duration.count() > 0)
            std::this_thread::sleep_for(duration);
    }
    std::chrono::milliseconds Now() const override
    {
        return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start_);
    }

private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

// A clock that only moves when paused: every Pause adds its duration at once.
// Tests use it so that a four-second flow costs no wall time.
class VirtualPacer final : public Pacer {
public:
    void Pause(std::chrono::milliseconds duration) override
    {
        if (duration.count() > 0)
            now_.fetch_add(duration.count());
    }
    std::chrono::milliseconds Now() const override { return std::chrono::milliseconds(now_.load()); }

private:
    std::atomic<long long> now_{0};
};

} // namespace lumeno
