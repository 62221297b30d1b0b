#include "device/Transport.h"

#include "device/DeviceConnection.h"
#include "platform/DebugOutput.h"
#include "platform/Pacer.h"

#include <algorithm>

namespace lumeno {

namespace {

// Every report is built in a zeroed buffer of this size; a collection that
// reports a longer report is served only up to here.
using ReportBuffer = std::array<uint8_t, kTransportBufferSize>;

// A block read waits for each input report in slices of this length, so a
// cancelled flow stops waiting within one slice.
constexpr std::chrono::milliseconds kReadSlice{100};

// The collection's own length, as it reports it; the usual length when it
// reports none (no mouse), never more than the buffer.
size_t ReportLength(uint16_t reported, size_t usual)
{
    return reported == 0 ? usual : std::min<size_t>(reported, kTransportBufferSize);
}

} // namespace

Transport::Transport(DeviceConnection& connection, Pacer& pacer, DebugOutput& debug, const std::atomic<bool>& cancel)
    : connection_(connection), pacer_(pacer), debug_(debug), cancel_(cancel)
{
}

HidReadResult Transport::ReadInputReport(HidHandle& handle, std::span<uint8_t> report)
{
    HidReadResult got{HidReadStatus::TimedOut, 0};
    for (auto waited = std::chrono::milliseconds(0); waited < kInputReportTimeout && !Cancelled();
         waited += kReadSlice) {
        got = handle.Read(report, std::min(kReadSlice, kInputReportTimeout - waited));
        if (got.status != HidReadStatus::TimedOut)
            break;
    }
    return got;
}

bool Transport::NoteAnswer(bool answered)
{
    if (!answered) {
        unanswered_.store(true);
        stopped_.store(true);
    }
    return answered;
}

void Transport::BeginFlow(std::optional<std::chrono::milliseconds> bound)
{
    flowStartMs_.store(pacer_.Now().count());
    flowBoundMs_.store(bound ? bound->count() : -1);
    stopped_.store(false);
}

bool Transport::Cancelled()
{
    if (cancel_.load() || stopped_.load())
        return true;
    const long long bound = flowBoundMs_.load();
    const long long took = pacer_.Now().count() - flowStartMs_.load();
    if (bound < 0 || took <= bound)
        return false;
    DebugPrintf(debug_, "Flow stopped after %lld ms, over its bound of %lld ms: the mouse answers too slowly\n", took,
                bound);
    return !NoteAnswer(false);
}

bool Transport::TakeUnanswered()
{
    stopped_.store(false);
    return unanswered_.exchange(false);
}

void Transport::Pause(std::chrono::milliseconds duration)
{
    if (Cancelled())
        return;
    pacer_.Pause(duration);
    paused_.fetch_add(duration.count());
}

int Transport::ChunkCount(int32_t byteCount)
{
    return byteCount <= 0 ? 0 : int((int64_t(byteCount) + int64_t(kChunkSize) - 1) / int64_t(kChunkSize));
}

void Transport::SendFeature(const CommandFrame& frame)
{
    ReportBuffer report{};
    report[kReportIdIndex] = kCommandReportId;
    std::copy_n(frame.bytes.begin(), kFrameChecksumIndex, report.begin() + kReportPayloadIndex);
    report[kReportPayloadIndex + kFrameChecksumIndex] = FrameChecksum(frame);
    const size_t length = ReportLength(connection_.FeatureReportLength(), kCommandFeatureReportLength);
    if (auto handle = connection_.CommandHandle(); handle && !Cancelled())
        NoteAnswer(handle->SetFeature(std::span(report.data(), length)));
    Pause(kFeaturePause);
}

bool Transport::ReadReply(CommandFrame& frame)
{
    ReportBuffer report{};
    const size_t length = ReportLength(connection_.FeatureReportLength(), kCommandFeatureReportLength);
    bool read = false;
    if (auto handle = connection_.CommandHandle(); handle && !Cancelled())
        read = NoteAnswer(handle->GetFeature(std::span(report.data(), length)));
    Pause(kFeaturePause);
    CommandFrame reply;
    std::copy_n(report.begin() + kReportPayloadIndex, kFrameSize, reply.bytes.begin());
    // A reply is a frame with its own checksum; a damaged one is no answer,
    // its bytes would be taken as the mouse's state. Byte 0 is not examined:
    // what the mouse puts there is its own.
    const bool whole = read && FrameChecksumValid(reply.bytes);
    frame = whole ? reply : CommandFrame{}; // a failed read leaves zeros
    return whole;
}

void Transport::SendFrame(const CommandFrame& frame) { SendFeature(frame); }

bool Transport::SendCommand(CommandFrame& frame, bool readBack)
{
    SendFeature(frame);
    if (!readBack)
        return true;
    const bool whole = ReadReply(frame);
    DebugPrintf(debug_, "Buffer[1]:%02x,Buffer[2]:%02x.\n", frame[0], frame[1]);
    return whole;
}

bool Transport::TransferBlock(CommandFrame& header, std::span<uint8_t> data, BlockDirection direction,
                              int32_t byteCount)
{
    SendFeature(header);
    const int chunks = ChunkCount(byteCount);
    auto handle = connection_.CommandHandle();

    if (direction == BlockDirection::Read) {
        ReadReply(header);
        const size_t length = ReportLength(connection_.InputReportLength(), kChunkReportLength);
        bool whole = true;
        for (int i = 0; i < chunks; ++i) {
            ReportBuffer report{};
            bool came = false;
            if (handle && !Cancelled()) {
                const HidReadResult got = ReadInputReport(*handle, std::span(report.data(), length));
                came = got.status == HidReadStatus::Ok && got.length >= length;
                if (!came)
                    report.fill(0); // a cut chunk is as good as none
            }
            whole = whole && came;
            const size_t offset = size_t(i) * kChunkSize;
            if (offset < data.size()) {
                const size_t n = std::min(kChunkSize, data.size() - offset);
                std::copy_n(report.begin() + kReportPayloadIndex, n, data.begin() + offset);
            }
            Pause(kChunkPause);
        }
        return whole;
    }

    const size_t length = ReportLength(connection_.OutputReportLength(), kChunkReportLength);
    for (int i = 0; i < chunks; ++i) {
        ReportBuffer report{};
        report[kReportIdIndex] = kCommandReportId;
        const size_t offset = size_t(i) * kChunkSize;
        if (offset < data.size()) {
            const size_t n = std::min(kChunkSize, data.size() - offset);
            std::copy_n(data.begin() + offset, n, report.begin() + kReportPayloadIndex);
        }
        if (handle && !Cancelled())
            NoteAnswer(handle->Write(std::span<const uint8_t>(report.data(), length)));
        Pause(kChunkPause);
    }
    return true;
}

} // namespace lumeno
