#pragma once
// A program side wired to one virtual mouse on a virtual clock: the context
// (temporary data folder), the device link, and helpers that read back what
// the mouse received.
#include "emulator/EmulatedHidSystem.h"
#include "emulator/VirtualMouse.h"
#include "support/TestContext.h"

#include "config/ConfigFiles.h"
#include "device/DeviceChange.h"
#include "device/DeviceLink.h"
#include "flows/DeviceSession.h"
#include "platform/DeviceNoticeSink.h"
#include "platform/Pacer.h"
#include "platform/UiThread.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <vector>

namespace lumeno::test {

using Bytes = std::vector<uint8_t>;

// Records notices; hands the `handled` callbacks back when asked, or at once.
class RecordingNoticeSink final : public DeviceNoticeSink {
public:
    struct Notice {
        DeviceNoticeKind kind;
        int param;
    };
    void PostNotice(DeviceNoticeKind kind, int param, std::function<void()> handled) override
    {
        std::lock_guard lock(mutex);
        notices.push_back({kind, param});
        if (handled) {
            if (autoHandle)
                handled();
            else
                pending.push_back(std::move(handled));
        }
        changed.notify_all();
    }
    // Waits (real time, bounded) until count notices have arrived.
    bool WaitFor(size_t count, std::chrono::milliseconds limit = std::chrono::seconds(5))
    {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, limit, [&] { return notices.size() >= count; });
    }
    std::vector<Notice> Snapshot()
    {
        std::lock_guard lock(mutex);
        return notices;
    }

    std::mutex mutex;
    std::condition_variable changed;
    std::vector<Notice> notices;
    std::vector<std::function<void()>> pending;
    bool autoHandle = true;
};

// Runs every task at once, on the thread that posts it.
class InlineUiThread final : public UiThread {
public:
    void Post(std::function<void()> task) override { task(); }
};

// What a device session reports: "arrived", "arrived quietly", "gone",
// "gone quietly", "dpi <n>", in order. Any thread.
class RecordingListener final : public DeviceSessionListener {
public:
    void MouseArrived(bool announced) override { Add(announced ? "arrived" : "arrived quietly"); }
    void MouseGone(bool announced) override { Add(announced ? "gone" : "gone quietly"); }
    void DpiStageChanged(int stage) override { Add("dpi " + std::to_string(stage)); }

    // Waits (real time, bounded) until count reports have arrived.
    bool WaitFor(size_t count, std::chrono::milliseconds limit = std::chrono::seconds(5))
    {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, limit, [&] { return calls.size() >= count; });
    }
    std::vector<std::string> Snapshot()
    {
        std::lock_guard lock(mutex);
        return calls;
    }
    void Clear()
    {
        std::lock_guard lock(mutex);
        calls.clear();
    }

private:
    void Add(std::string call)
    {
        std::lock_guard lock(mutex);
        calls.push_back(std::move(call));
        changed.notify_all();
    }
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::string> calls;
};

// The rig on its own, for tests that build one (or several) themselves.
struct DeviceRig : ContextFixture {
    explicit DeviceRig(VirtualMouseOptions options = {}) : mouse(std::move(options), &pacer)
    {
        hid.AddMouse(mouse);
        ctx.device = &link;
        EnsureDataDirectory(ctx);
    }
    ~DeviceRig() { hid.RemoveMouse(mouse); }

    void Connect()
    {
        ASSERT_TRUE(link.connection.CheckConnection());
        link.state.Clear();
        mouse.ClearTraffic();
        debug.lines.clear();
    }

    std::vector<TrafficRecord> TrafficOf(TrafficKind kind) const
    {
        std::vector<TrafficRecord> out;
        for (auto& r : mouse.Traffic())
            if (r.kind == kind && r.collection == MouseCollection::Commands)
                out.push_back(r);
        return out;
    }
    // Every command frame the mouse received (report bytes 1..8), in order.
    std::vector<Bytes> Frames() const
    {
        std::vector<Bytes> out;
        for (auto& r : TrafficOf(TrafficKind::SetFeature))
            out.emplace_back(r.bytes.begin() + 1, r.bytes.begin() + 9);
        return out;
    }
    // The command codes in order.
    Bytes Codes() const
    {
        Bytes out;
        for (auto& f : Frames())
            out.push_back(f[0]);
        return out;
    }
    // The data of every chunk the mouse received (report bytes 1..64).
    std::vector<Bytes> Chunks() const
    {
        std::vector<Bytes> out;
        for (auto& r : TrafficOf(TrafficKind::Output))
            out.emplace_back(r.bytes.begin() + 1, r.bytes.begin() + 65);
        return out;
    }
    // The first frame with the given code; fails the test when none came.
    Bytes FrameWithCode(uint8_t code) const
    {
        for (auto& f : Frames())
            if (f[0] == code)
                return f;
        ADD_FAILURE() << "no frame with code " << int(code);
        return Bytes(8, 0);
    }

    VirtualPacer pacer;
    VirtualMouse mouse;
    EmulatedHidSystem hid{&pacer};
    DeviceLink link{hid, pacer, debug};
};

struct DeviceFixture : ::testing::Test, DeviceRig {};

// A frame with its checksum, for readable expectations: F({0x07, 1, 0xFF, ...}).
inline Bytes F(std::initializer_list<int> head)
{
    Bytes frame(8, 0);
    size_t i = 0;
    for (int b : head)
        frame[i++] = uint8_t(b);
    unsigned sum = 0;
    for (size_t k = 0; k < 7; ++k)
        sum += frame[k];
    frame[7] = uint8_t(0xFF - (sum & 0xFF));
    return frame;
}

// An image that exercises every part of WriteAll: factory defaults and a
// distinct first byte in each macro slot.
inline void PrepareWriteAllImage(AppContext& c)
{
    LoadFactoryDefaults(c.image);
    c.languageCode = "EN";
    for (int k = 0; k < kMacroSlotCount; ++k)
        c.image.macroMemory[k][0] = uint8_t(k + 1);
}

// The same reports, in the same order, on the same collections; with
// compareTimes also at the same moments of the pacer's clock.
inline void ExpectSameTraffic(const std::vector<TrafficRecord>& actual, const std::vector<TrafficRecord>& expected,
                              bool compareTimes)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(actual[i].kind, expected[i].kind);
        EXPECT_EQ(actual[i].collection, expected[i].collection);
        EXPECT_EQ(actual[i].bytes, expected[i].bytes);
        if (compareTimes) {
            EXPECT_EQ(actual[i].time, expected[i].time);
        }
    }
}

} // namespace lumeno::test
