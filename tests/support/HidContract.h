#pragma once
// What every HID backend keeps of platform/HidSystem.h, as one typed test
// suite: enumerate, open, feature and output reports, Read with its time-out,
// cancel and unplug rules, arrival and removal notices. Each backend's test
// binary runs it against a VirtualMouse served by that backend.
//
// A backend is a trait class, and a test file runs the suite with
//   INSTANTIATE_TYPED_TEST_SUITE_P(Some, HidContract, SomeBackend);
//
//   struct SomeBackend {
//       std::string Start();      // serves the plugged-in mouse; "" or why not
//       HidSystem& System();
//       VirtualMouse& Mouse();
//       void Unplug();            // returns once the old device's handles fail
//       void Plug();              // returns once the mouse is served again
//   };
#include "device/DeviceChange.h"
#include "emulator/VirtualMouse.h"
#include "platform/HidSystem.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace lumeno::test {

// Waits in these tests only end early; they fail only when something hangs.
inline constexpr std::chrono::seconds kHangLimit{10};

// Notices as they arrive, any thread.
class NoticeLog {
public:
    HidNoticeCallback Callback()
    {
        return [this](HidNoticeKind kind, const std::string& name) {
            std::lock_guard lock(mutex_);
            notices_.emplace_back(kind, name);
            changed_.notify_all();
        };
    }
    // Waits (bounded) until count notices of kind have come; returns their
    // names and forgets every notice so far.
    std::vector<std::string> Take(HidNoticeKind kind, std::size_t count)
    {
        std::unique_lock lock(mutex_);
        auto matching = [&] {
            std::vector<std::string> names;
            for (const auto& [k, n] : notices_)
                if (k == kind)
                    names.push_back(n);
            return names;
        };
        changed_.wait_for(lock, kHangLimit, [&] { return matching().size() >= count; });
        auto names = matching();
        notices_.clear();
        return names;
    }
    std::size_t Size()
    {
        std::lock_guard lock(mutex_);
        return notices_.size();
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::pair<HidNoticeKind, std::string>> notices_;
};

// The lines a virtual-mouse server reports ("plugged", "unplugged", traffic).
class ServerLines {
public:
    std::function<void(const std::string&)> Sink()
    {
        return [this](const std::string& line) {
            std::lock_guard lock(mutex_);
            lines_.push_back(line);
            changed_.notify_all();
        };
    }
    std::size_t Count(const std::string& line)
    {
        std::lock_guard lock(mutex_);
        return static_cast<std::size_t>(std::count(lines_.begin(), lines_.end(), line));
    }
    // Waits (bounded) until line has been reported count times in all.
    bool WaitFor(const std::string& line, std::size_t count)
    {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, kHangLimit, [&] {
            return static_cast<std::size_t>(std::count(lines_.begin(), lines_.end(), line)) >= count;
        });
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::string> lines_;
};

// Calls action from Unplug or Plug and waits until the server reports line.
template <class Action>
void ActAndWaitForLine(ServerLines& lines, const std::string& line, Action action)
{
    const std::size_t before = lines.Count(line);
    action();
    ASSERT_TRUE(lines.WaitFor(line, before + 1)) << "the server never reported " << line;
}

// A command frame report: id 0, the seven bytes given (zeros after), the checksum.
inline std::vector<uint8_t> FrameReport(std::initializer_list<uint8_t> head)
{
    std::vector<uint8_t> report(9, 0);
    std::size_t i = 1;
    for (uint8_t b : head)
        report[i++] = b;
    unsigned sum = 0;
    for (std::size_t k = 1; k < 8; ++k)
        sum += report[k];
    report[8] = static_cast<uint8_t>(0xFF - (sum & 0xFF));
    return report;
}

// One Read on a thread of its own, so that a read that never ends fails the
// test instead of hanging it.
class ReadOnThread {
public:
    ReadOnThread(HidHandle& handle, std::chrono::milliseconds timeout) : handle_(handle)
    {
        auto done = std::make_shared<std::promise<HidReadResult>>();
        result_ = done->get_future();
        thread_ = std::thread([this, done, timeout] { done->set_value(handle_.Read(buffer_, timeout)); });
    }
    ~ReadOnThread()
    {
        // A read still waiting is cut short, so that the thread can be joined.
        while (result_.valid() && result_.wait_for(std::chrono::milliseconds(50)) != std::future_status::ready)
            handle_.CancelRead();
        thread_.join();
    }
    // The read's result, or nullopt when it has not ended within kHangLimit.
    std::optional<HidReadResult> Result()
    {
        if (result_.wait_for(kHangLimit) != std::future_status::ready)
            return std::nullopt;
        return result_.get();
    }

private:
    HidHandle& handle_;
    std::array<uint8_t, 80> buffer_{};
    std::future<HidReadResult> result_;
    std::thread thread_;
};

inline std::optional<HidReadStatus> StatusOf(const std::optional<HidReadResult>& result)
{
    return result ? std::optional(result->status) : std::nullopt;
}

inline std::string Upper(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::toupper(c)); });
    return s;
}

// The two notices of one plug or unplug: one per interface of the mouse,
// each named the Windows way, as the program's name filter expects.
inline void ExpectNoticesNameBothInterfaces(const std::vector<std::string>& names)
{
    ASSERT_EQ(names.size(), 2u);
    EXPECT_NE(names[0], names[1]);
    for (const std::string& name : names) {
        EXPECT_TRUE(PassesDeviceNameFilter(name)) << name;
        const std::string upper = Upper(name);
        EXPECT_EQ(upper.rfind("\\\\?\\HID#", 0), 0u) << name;
        EXPECT_NE(upper.find("VID_7A1F&PID_2C41"), std::string::npos) << name;
    }
}

template <class Backend>
class HidContract : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string error = backend.Start();
        ASSERT_EQ(error, "");
        System().SetNoticeCallback(notices.Callback());
    }
    void TearDown() override { System().SetNoticeCallback({}); }

    HidSystem& System() { return backend.System(); }
    VirtualMouse& Mouse() { return backend.Mouse(); }
    // The mouse sends report on its event collection; it is queued for
    // the program side when this returns.
    void SendInput(const std::vector<uint8_t>& report) { Mouse().SendEventReport(report); }

    // The mouse's interfaces as listed now, by usage page.
    struct Ours {
        std::vector<HidInterfaceInfo> all;
        std::optional<HidInterfaceInfo> commands, events;
    };
    Ours Listed()
    {
        Ours ours;
        const auto list = System().Enumerate();
        EXPECT_TRUE(list);
        for (const auto& info : list.value_or(std::vector<HidInterfaceInfo>{})) {
            if (info.vendorId != VirtualMouse::kVendorId || info.productId != VirtualMouse::kProductId)
                continue;
            ours.all.push_back(info);
            if (info.usagePage == 0xFF01)
                ours.commands = info;
            else if (info.usagePage == 0xFF02)
                ours.events = info;
        }
        return ours;
    }
    std::unique_ptr<HidHandle> Open(bool commands)
    {
        const Ours ours = Listed();
        const auto& info = commands ? ours.commands : ours.events;
        if (!info) {
            ADD_FAILURE() << "the " << (commands ? "command" : "event") << " collection is not listed";
            return nullptr;
        }
        HidError error = HidError::Failed;
        auto handle = System().Open(info->path, commands ? HidOpenMode::Commands : HidOpenMode::Events, &error);
        EXPECT_EQ(error, HidError::None);
        EXPECT_TRUE(handle) << info->path;
        return handle;
    }
    // Waits (bounded) until the mouse has recorded traffic of kind with bytes.
    bool MouseReceived(TrafficKind kind, const std::vector<uint8_t>& bytes)
    {
        const auto limit = std::chrono::steady_clock::now() + kHangLimit;
        do {
            for (const auto& record : Mouse().Traffic())
                if (record.kind == kind && record.bytes == bytes)
                    return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        } while (std::chrono::steady_clock::now() < limit);
        return false;
    }

    Backend backend;
    NoticeLog notices;     // receives the notices from SetUp on
    NoticeLog replacement; // for tests that replace the callback
};

// The input report the tests send: the DPI-stage event of stage n.
inline std::vector<uint8_t> EventReport(uint8_t stage) { return {4, 1, 0, stage, 0, 0, 0, 0}; }

TYPED_TEST_SUITE_P(HidContract);

TYPED_TEST_P(HidContract, EnumerateListsBothVendorCollectionsWithTheirReportLengths)
{
    const auto ours = this->Listed();
    ASSERT_EQ(ours.all.size(), 2u);
    ASSERT_TRUE(ours.commands && ours.events);
    struct Expected {
        const HidInterfaceInfo& info;
        uint16_t feature, input, output;
    };
    for (const Expected& e : {Expected{*ours.commands, 9, 65, 65}, Expected{*ours.events, 0, 8, 0}}) {
        SCOPED_TRACE(e.info.path);
        EXPECT_TRUE(e.info.capabilitiesKnown);
        EXPECT_EQ(e.info.usage, 1);
        EXPECT_EQ(e.info.featureReportLength, e.feature);
        EXPECT_EQ(e.info.inputReportLength, e.input);
        EXPECT_EQ(e.info.outputReportLength, e.output);
        EXPECT_EQ(this->System().Probe(e.info.path), HidError::None);
    }
    // The order is stable.
    const auto again = this->Listed();
    ASSERT_EQ(again.all.size(), 2u);
    EXPECT_EQ(again.all[0].path, ours.all[0].path);
    EXPECT_EQ(again.all[1].path, ours.all[1].path);
}

TYPED_TEST_P(HidContract, FeatureAndOutputReportsReachTheMouseAndTheReplyComesBack)
{
    auto commands = this->Open(true);
    ASSERT_TRUE(commands);
    const auto frame = FrameReport({0x81});
    ASSERT_TRUE(commands->SetFeature(frame));
    EXPECT_TRUE(this->MouseReceived(TrafficKind::SetFeature, frame));

    std::vector<uint8_t> reply(9, 0xEE);
    reply[0] = 0;
    ASSERT_TRUE(commands->GetFeature(reply));
    EXPECT_EQ(reply, FrameReport({0x81, 0x01, 0x5A, 0x3C, 0x0F}));

    std::vector<uint8_t> chunk(65);
    for (std::size_t i = 1; i < chunk.size(); ++i)
        chunk[i] = static_cast<uint8_t>(0xA0 + i);
    ASSERT_TRUE(commands->Write(chunk));
    EXPECT_TRUE(this->MouseReceived(TrafficKind::Output, chunk));
}

TYPED_TEST_P(HidContract, EventHandleTakesNoReportsAndARefusalLeavesItWorking)
{
    auto events = this->Open(false);
    ASSERT_TRUE(events);
    std::vector<uint8_t> report(9, 0);
    EXPECT_FALSE(events->SetFeature(report));
    EXPECT_FALSE(events->GetFeature(report));
    EXPECT_FALSE(events->Write(std::vector<uint8_t>(8, 0)));
    // Refused is not gone: the handle still reads.
    this->SendInput(EventReport(3));
    std::array<uint8_t, 8> buffer{};
    const auto got = events->Read(buffer, kHangLimit);
    ASSERT_EQ(got.status, HidReadStatus::Ok);
    EXPECT_EQ(std::vector<uint8_t>(buffer.begin(), buffer.end()), EventReport(3));
}

TYPED_TEST_P(HidContract, ReadReturnsQueuedReportsInOrderCutToTheBuffer)
{
    auto events = this->Open(false);
    ASSERT_TRUE(events);
    for (uint8_t stage : {1, 2, 5})
        this->SendInput(EventReport(stage));
    std::array<uint8_t, 80> buffer{};
    for (uint8_t stage : {1, 2}) {
        buffer.fill(0xEE);
        const auto got = events->Read(buffer, kHangLimit);
        ASSERT_EQ(got.status, HidReadStatus::Ok);
        ASSERT_EQ(got.length, 8u);
        EXPECT_EQ(std::vector<uint8_t>(buffer.begin(), buffer.begin() + 8), EventReport(stage));
    }
    std::array<uint8_t, 4> small{};
    const auto cut = events->Read(small, kHangLimit);
    ASSERT_EQ(cut.status, HidReadStatus::Ok);
    EXPECT_EQ(cut.length, 4u);
    EXPECT_EQ(small, (std::array<uint8_t, 4>{4, 1, 0, 5}));
    // The rest of a cut report is gone, not read as another report.
    EXPECT_EQ(events->Read(buffer, std::chrono::milliseconds(0)).status, HidReadStatus::TimedOut);
}

TYPED_TEST_P(HidContract, ReadTimesOutAfterItsTimeOutWhenNothingComes)
{
    auto events = this->Open(false);
    ASSERT_TRUE(events);
    std::array<uint8_t, 8> buffer{};
    EXPECT_EQ(events->Read(buffer, std::chrono::milliseconds(0)).status, HidReadStatus::TimedOut);
    const auto timeout = std::chrono::milliseconds(100);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(events->Read(buffer, timeout).status, HidReadStatus::TimedOut);
    EXPECT_GE(std::chrono::steady_clock::now() - start, timeout);
}

TYPED_TEST_P(HidContract, CancelBeforeAReadIsLatchedWinsOverAQueuedReportAndIsUsedOnce)
{
    auto events = this->Open(false);
    ASSERT_TRUE(events);
    this->SendInput(EventReport(6));
    events->CancelRead();
    {
        ReadOnThread read(*events, kHidWaitForever);
        EXPECT_EQ(StatusOf(read.Result()), HidReadStatus::Cancelled);
    }
    // The report is still there, and the cancel was used up.
    std::array<uint8_t, 8> buffer{};
    const auto got = events->Read(buffer, kHangLimit);
    ASSERT_EQ(got.status, HidReadStatus::Ok);
    EXPECT_EQ(buffer[3], 6);
    EXPECT_EQ(events->Read(buffer, std::chrono::milliseconds(0)).status, HidReadStatus::TimedOut);
}

TYPED_TEST_P(HidContract, CancelFromAnotherThreadEndsAWaitingRead)
{
    auto events = this->Open(false);
    ASSERT_TRUE(events);
    for (const auto timeout : {kHidWaitForever, std::chrono::milliseconds(kHangLimit) * 3}) {
        SCOPED_TRACE(timeout.count());
        ReadOnThread read(*events, timeout);
        std::this_thread::sleep_for(std::chrono::milliseconds(20)); // most often already waiting
        events->CancelRead();
        EXPECT_EQ(StatusOf(read.Result()), HidReadStatus::Cancelled);
    }
    std::array<uint8_t, 8> buffer{};
    EXPECT_EQ(events->Read(buffer, std::chrono::milliseconds(0)).status, HidReadStatus::TimedOut);
}

TYPED_TEST_P(HidContract, UnplugFailsEveryCallAtOnceAlsoAWaitingReadAndOldHandlesStayDead)
{
    auto commands = this->Open(true);
    auto events = this->Open(false);
    ASSERT_TRUE(commands && events);
    const std::string commandPath = this->Listed().commands->path;
    {
        ReadOnThread waiting(*events, kHidWaitForever);
        std::this_thread::sleep_for(std::chrono::milliseconds(20)); // most often already waiting
        this->backend.Unplug();
        EXPECT_EQ(StatusOf(waiting.Result()), HidReadStatus::Failed);
    }
    std::array<uint8_t, 65> buffer{};
    std::vector<uint8_t> feature(9, 0);
    EXPECT_EQ(events->Read(buffer, std::chrono::milliseconds(0)).status, HidReadStatus::Failed);
    EXPECT_EQ(commands->Read(buffer, kHangLimit * 3).status, HidReadStatus::Failed);
    {
        ReadOnThread forever(*events, kHidWaitForever);
        EXPECT_EQ(StatusOf(forever.Result()), HidReadStatus::Failed);
    }
    EXPECT_FALSE(commands->SetFeature(FrameReport({0x81})));
    EXPECT_FALSE(commands->GetFeature(feature));
    EXPECT_FALSE(commands->Write(std::vector<uint8_t>(65, 0)));
    EXPECT_TRUE(this->Listed().all.empty());
    EXPECT_EQ(this->System().Probe(commandPath), HidError::NotFound);

    this->backend.Plug();
    ASSERT_EQ(this->notices.Take(HidNoticeKind::Arrival, 2).size(), 2u);
    EXPECT_FALSE(commands->SetFeature(FrameReport({0x81})));
    EXPECT_EQ(events->Read(buffer, std::chrono::milliseconds(0)).status, HidReadStatus::Failed);
    auto fresh = this->Open(true);
    ASSERT_TRUE(fresh);
    EXPECT_TRUE(fresh->SetFeature(FrameReport({0x81})));
}

TYPED_TEST_P(HidContract, NoticesNameBothInterfacesAndGoToTheLatestCallbackOnly)
{
    this->backend.Unplug();
    ExpectNoticesNameBothInterfaces(this->notices.Take(HidNoticeKind::Removal, 2));

    this->backend.Plug();
    ExpectNoticesNameBothInterfaces(this->notices.Take(HidNoticeKind::Arrival, 2));
    // An arrival means the interfaces can be opened.
    const auto ours = this->Listed();
    ASSERT_EQ(ours.all.size(), 2u);
    for (const auto& info : ours.all)
        EXPECT_EQ(this->System().Probe(info.path), HidError::None) << info.path;
    EXPECT_TRUE(this->Open(true));
    EXPECT_TRUE(this->Open(false));

    // Once replaced, a callback is not called again.
    this->System().SetNoticeCallback(this->replacement.Callback());
    this->backend.Unplug();
    EXPECT_EQ(this->replacement.Take(HidNoticeKind::Removal, 2).size(), 2u);
    EXPECT_EQ(this->notices.Size(), 0u);
}

REGISTER_TYPED_TEST_SUITE_P(HidContract, EnumerateListsBothVendorCollectionsWithTheirReportLengths,
                            FeatureAndOutputReportsReachTheMouseAndTheReplyComesBack,
                            EventHandleTakesNoReportsAndARefusalLeavesItWorking,
                            ReadReturnsQueuedReportsInOrderCutToTheBuffer, ReadTimesOutAfterItsTimeOutWhenNothingComes,
                            CancelBeforeAReadIsLatchedWinsOverAQueuedReportAndIsUsedOnce,
                            CancelFromAnotherThreadEndsAWaitingRead,
                            UnplugFailsEveryCallAtOnceAlsoAWaitingReadAndOldHandlesStayDead,
                            NoticesNameBothInterfacesAndGoToTheLatestCallbackOnly);

} // namespace lumeno::test
