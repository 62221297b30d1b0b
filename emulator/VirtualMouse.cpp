#include "VirtualMouse.h"

#include "platform/Pacer.h"

#include <algorithm>
#include <numeric>

namespace lumeno {

namespace {

// The firmware's view of the command set (frame byte 0).
//
// Stage numbering, one rule for the whole model: the current stage is held
// as an index 0..7 (index 0 is stage 1), and the event report 04 01 00 <n>
// carries that index. The stage byte of SetDpiStagesLow (0x07, frame byte 1)
// and the reply of GetCurrentDpiStage (0x87, reply byte 1) count stages from
// 1, so the 1 of a factory reset is the first stage. A stage byte outside
// 1..8 (a failed GetCurrentDpiStage makes the program send 0) leaves the
// current stage as it is. The console of lumeno-virtual-mouse counts from 1.
enum FirmwareCode : uint8_t {
    kFwSetReportRate = 0x01,
    kFwGetReportRate = 0x81,
    kFwButtonMap = 0x03,
    kFwMacro = 0x05,
    kFwLightingEffect = 0x06,
    kFwDpiLow = 0x07,
    kFwDpiHigh = 0x08,
    kFwGetStage = 0x87,
    kFwStageColors = 0x0A,
    kFwSensitivity = 0x0B,
    kFwLightingBlock = 0x0C,
    kFwGetLightingBlock = 0x8C,
    kFwLiftOff = 0x0D,
};

constexpr size_t kFrameBytes = 8;
constexpr size_t kChunkBytes = 64;
constexpr uint8_t kEventDpiChanged = 1;

uint8_t Checksum(const uint8_t* frame) { return uint8_t(0xFF - (std::accumulate(frame, frame + 7, 0u) & 0xFF)); }

// What the firmware holds when it leaves the factory. The bytes the program
// only passes through (report-rate bytes 1..3, lighting bytes 3..23) hold
// values of the firmware's own, so pass-through is visible in tests.
VirtualMouseState FactoryState()
{
    VirtualMouseState s;
    s.reportRate = {0x01, 0x5A, 0x3C, 0x0F};
    s.currentStage = 2; // stage 3
    s.stageEnableMask = 0xFF;
    s.stageDpi = {3, 7, 15, 23, 31, 47, 63};
    s.sensitivityX = 100;
    s.sensitivityY = 100;
    s.lightingBlock[0] = 0xFF;
    for (size_t i = 3; i < 24; ++i)
        s.lightingBlock[i] = uint8_t(0xA0 + i);
    s.lightingEffect = {4, 7, 0x32, 2, 0, 0};
    s.liftOffLevel = 6;
    return s;
}

} // namespace

VirtualMouse::VirtualMouse(VirtualMouseOptions options, const Pacer* clock)
    : options_(std::move(options)), clock_(clock), start_(std::chrono::steady_clock::now()), state_(FactoryState())
{
}

VirtualMouse::~VirtualMouse() { SetHost(nullptr); }

std::chrono::milliseconds VirtualMouse::Now() const
{
    if (clock_)
        return clock_->Now();
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start_);
}

std::vector<VirtualCollectionInfo> VirtualMouse::Collections() const
{
    std::vector<VirtualCollectionInfo> list;
    VirtualCollectionInfo commands;
    commands.collection = MouseCollection::Commands;
    commands.number = 1;
    commands.vendorId = kVendorId;
    commands.productId = kProductId;
    commands.version = kVersion;
    commands.usagePage = 0xFF01;
    commands.usage = 1;
    commands.featureReportLength = options_.commandFeatureReportLength;
    commands.inputReportLength = kChunkReportLength;
    commands.outputReportLength = kChunkReportLength;
    list.push_back(commands);

    VirtualCollectionInfo events = commands;
    events.collection = MouseCollection::Events;
    events.number = 2;
    events.usagePage = 0xFF02;
    events.featureReportLength = 0;
    events.inputReportLength = kEventReportLength;
    events.outputReportLength = 0;
    events.reportId = kEventReportId;
    list.push_back(events);

    if (options_.withDongleInterface) {
        VirtualCollectionInfo dongle = commands;
        dongle.collection = MouseCollection::Dongle;
        dongle.number = 3;
        dongle.productId = kDongleProductId;
        list.push_back(dongle);
    }
    return list;
}

bool VirtualMouse::HasCollection(MouseCollection collection) const
{
    return collection != MouseCollection::Dongle || options_.withDongleInterface;
}

void VirtualMouse::SetHost(VirtualMouseHost* host)
{
    std::lock_guard lock(hostMutex_);
    host_ = host;
}

void VirtualMouse::Dispatch(std::vector<Outgoing> out)
{
    if (out.empty())
        return;
    std::lock_guard lock(hostMutex_);
    if (!host_)
        return;
    for (const Outgoing& o : out)
        host_->OnInputReport(o.collection, o.report);
}

void VirtualMouse::DispatchPlug(bool plugged)
{
    std::lock_guard lock(hostMutex_);
    if (host_)
        host_->OnPlugChanged(plugged);
}

void VirtualMouse::SendLocked(MouseCollection collection, std::vector<uint8_t> report, std::vector<Outgoing>& out)
{
    if (frozen_)
        return; // a hung firmware sends nothing
    if (faults_.shortAnswers && report.size() > 1 + kShortAnswerBytes)
        report.resize(1 + kShortAnswerBytes);
    traffic_.push_back({TrafficKind::Input, collection, report, Now()});
    out.push_back({collection, std::move(report)});
}

bool VirtualMouse::CountReportLocked() { return faults_.unplugAfterReports > 0 && --faults_.unplugAfterReports == 0; }

bool VirtualMouse::HandleSetFeature(MouseCollection collection, std::span<const uint8_t> report)
{
    std::vector<Outgoing> out;
    bool pullOut = false;
    {
        std::lock_guard lock(mutex_);
        if (!plugged_ || frozen_ || collection == MouseCollection::Events || !HasCollection(collection))
            return false;
        traffic_.push_back({TrafficKind::SetFeature, collection, {report.begin(), report.end()}, Now()});
        pullOut = CountReportLocked();
        if (collection != MouseCollection::Commands) {
            // the receiver interface takes reports and ignores them
        } else if (report.size() < 1 + kFrameBytes) {
            ++unexpectedReports_;
        } else {
            std::array<uint8_t, 8> frame{};
            std::copy_n(report.begin() + 1, kFrameBytes, frame.begin());
            HandleFrameLocked(frame, out);
        }
    }
    Dispatch(std::move(out));
    if (pullOut)
        Unplug();
    return true;
}

bool VirtualMouse::HandleGetFeature(MouseCollection collection, std::span<uint8_t> report)
{
    bool pullOut = false;
    {
        std::lock_guard lock(mutex_);
        if (!plugged_ || frozen_ || collection == MouseCollection::Events || !HasCollection(collection) ||
            report.empty())
            return false;
        std::fill(report.begin(), report.end(), 0);
        if (collection == MouseCollection::Commands) {
            std::array<uint8_t, kFrameBytes> reply = reply_;
            if (faults_.wrongChecksums)
                reply[kFrameBytes - 1] = uint8_t(~reply[kFrameBytes - 1]);
            const size_t kept = faults_.shortAnswers ? kShortAnswerBytes : kFrameBytes;
            const size_t n = std::min(kept, report.size() - 1);
            std::copy_n(reply.begin(), n, report.begin() + 1);
        }
        traffic_.push_back({TrafficKind::GetFeature, collection, {report.begin(), report.end()}, Now()});
        pullOut = CountReportLocked();
    }
    if (pullOut)
        Unplug();
    return true;
}

bool VirtualMouse::HandleOutputReport(MouseCollection collection, std::span<const uint8_t> report)
{
    bool pullOut = false;
    {
        std::lock_guard lock(mutex_);
        if (!plugged_ || frozen_ || collection == MouseCollection::Events || !HasCollection(collection))
            return false;
        traffic_.push_back({TrafficKind::Output, collection, {report.begin(), report.end()}, Now()});
        pullOut = CountReportLocked();
        if (collection != MouseCollection::Commands) {
            // ignored, as above
        } else if (chunksReceived_ >= chunksExpected_ || report.size() < 1 + kChunkBytes) {
            ++unexpectedReports_;
        } else {
            HandleChunkLocked(report.subspan(1, kChunkBytes));
        }
    }
    if (pullOut)
        Unplug();
    return true;
}

void VirtualMouse::HandleFrameLocked(const std::array<uint8_t, 8>& frame, std::vector<Outgoing>& out)
{
    if (Checksum(frame.data()) != frame[7]) {
        ++badChecksums_; // a damaged frame changes nothing
        return;
    }
    // A frame that is not part of a block ends any block still incomplete.
    chunksExpected_ = chunksReceived_ = 0;
    blockData_.clear();
    reply_ = frame; // commands without data echo their frame

    auto startBlock = [this, &frame] {
        blockCode_ = frame[0];
        blockNumber_ = frame[2];
        chunksExpected_ = frame[3];
    };
    auto setReply = [this](std::initializer_list<uint8_t> bytes) {
        reply_.fill(0);
        std::copy(bytes.begin(), bytes.end(), reply_.begin());
        reply_[7] = Checksum(reply_.data());
    };

    VirtualMouseState& s = state_;
    switch (frame[0]) {
    case kFwSetReportRate:
        std::copy_n(frame.begin() + 1, 4, s.reportRate.begin());
        break;
    case kFwGetReportRate:
        setReply({kFwGetReportRate, s.reportRate[0], s.reportRate[1], s.reportRate[2], s.reportRate[3]});
        break;
    case kFwButtonMap:
    case kFwMacro:
    case kFwStageColors:
    case kFwLightingBlock:
        startBlock();
        break;
    case kFwLightingEffect:
        std::copy_n(frame.begin() + 1, 6, s.lightingEffect.begin());
        break;
    case kFwDpiLow:
        if (frame[1] >= 1 && frame[1] <= kStageSlots)
            s.currentStage = StageIndex(frame[1]);
        s.stageEnableMask = frame[2];
        std::copy_n(frame.begin() + 3, 4, s.stageDpi.begin());
        break;
    case kFwDpiHigh:
        std::copy_n(frame.begin() + 1, 3, s.stageDpi.begin() + 4);
        break;
    case kFwGetStage:
        setReply({kFwGetStage, uint8_t(StageNumber(s.currentStage))});
        break;
    case kFwSensitivity:
        s.sensitivityX = frame[1];
        s.sensitivityY = frame[2];
        break;
    case kFwGetLightingBlock:
        if (answersInputReads_) {
            for (int i = 0; i < frame[3]; ++i) {
                std::vector<uint8_t> chunk(kChunkReportLength, 0);
                if (i == 0)
                    std::copy(s.lightingBlock.begin(), s.lightingBlock.end(), chunk.begin() + 1);
                SendLocked(MouseCollection::Commands, std::move(chunk), out);
            }
        }
        break;
    case kFwLiftOff:
        s.liftOffLevel = frame[1];
        break;
    default:
        ++unexpectedReports_;
        break;
    }
}

void VirtualMouse::HandleChunkLocked(std::span<const uint8_t> data)
{
    blockData_.insert(blockData_.end(), data.begin(), data.end());
    if (++chunksReceived_ < chunksExpected_)
        return;
    auto store = [this](auto& target) {
        std::copy_n(blockData_.begin(), std::min(target.size(), blockData_.size()), target.begin());
    };
    switch (blockCode_) {
    case kFwButtonMap:
        store(state_.buttonMap);
        break;
    case kFwStageColors:
        store(state_.stageColors);
        break;
    case kFwLightingBlock:
        store(state_.lightingBlock);
        break;
    case kFwMacro:
        if (blockNumber_ < state_.macroBlocks.size())
            store(state_.macroBlocks[blockNumber_]);
        else
            ++unexpectedReports_;
        break;
    default:
        break;
    }
    chunksExpected_ = chunksReceived_ = 0;
    blockData_.clear();
}

void VirtualMouse::Plug()
{
    {
        std::lock_guard lock(mutex_);
        if (plugged_)
            return;
        plugged_ = true;
    }
    DispatchPlug(true);
}

void VirtualMouse::Unplug()
{
    {
        std::lock_guard lock(mutex_);
        if (!plugged_)
            return;
        plugged_ = false;
        chunksExpected_ = chunksReceived_ = 0;
        blockData_.clear();
    }
    DispatchPlug(false);
}

bool VirtualMouse::IsPlugged() const
{
    std::lock_guard lock(mutex_);
    return plugged_;
}

void VirtualMouse::SetAnswersInputReads(bool answers)
{
    std::lock_guard lock(mutex_);
    answersInputReads_ = answers;
}

void VirtualMouse::SetFrozen(bool frozen)
{
    std::lock_guard lock(mutex_);
    frozen_ = frozen;
}

void VirtualMouse::SetFaults(const VirtualMouseFaults& faults)
{
    std::lock_guard lock(mutex_);
    faults_ = faults;
}

VirtualMouseFaults VirtualMouse::Faults() const
{
    std::lock_guard lock(mutex_);
    return faults_;
}

void VirtualMouse::SetAccessDenied(bool denied)
{
    std::lock_guard lock(mutex_);
    accessDenied_ = denied;
}

bool VirtualMouse::AccessDenied() const
{
    std::lock_guard lock(mutex_);
    return accessDenied_;
}

void VirtualMouse::PressDpiButton()
{
    uint8_t next = 0;
    {
        std::lock_guard lock(mutex_);
        next = state_.currentStage;
        // From stage 8 the search starts before stage 1.
        const int from = state_.currentStage < kButtonStages ? state_.currentStage : -1;
        for (int step = 1; step <= kButtonStages; ++step) {
            const int candidate = (from + step) % kButtonStages;
            if (state_.stageEnableMask & (1u << candidate)) {
                next = uint8_t(candidate);
                break;
            }
        }
    }
    SwitchDpiStage(next);
}

void VirtualMouse::SwitchDpiStage(uint8_t index)
{
    std::vector<Outgoing> out;
    {
        std::lock_guard lock(mutex_);
        if (!plugged_ || index >= kStageSlots)
            return;
        state_.currentStage = index;
        std::vector<uint8_t> report(kEventReportLength, 0);
        report[0] = kEventReportId;
        report[1] = kEventDpiChanged;
        report[3] = index;
        SendLocked(MouseCollection::Events, std::move(report), out);
    }
    Dispatch(std::move(out));
}

void VirtualMouse::SendEventReport(std::span<const uint8_t> report)
{
    std::vector<Outgoing> out;
    {
        std::lock_guard lock(mutex_);
        if (!plugged_)
            return;
        SendLocked(MouseCollection::Events, {report.begin(), report.end()}, out);
    }
    Dispatch(std::move(out));
}

VirtualMouseState VirtualMouse::State() const
{
    std::lock_guard lock(mutex_);
    return state_;
}

std::vector<TrafficRecord> VirtualMouse::Traffic() const
{
    std::lock_guard lock(mutex_);
    return traffic_;
}

void VirtualMouse::ClearTraffic()
{
    std::lock_guard lock(mutex_);
    traffic_.clear();
}

int VirtualMouse::BadChecksumCount() const
{
    std::lock_guard lock(mutex_);
    return badChecksums_;
}

int VirtualMouse::UnexpectedReportCount() const
{
    std::lock_guard lock(mutex_);
    return unexpectedReports_;
}

} // namespace lumeno
