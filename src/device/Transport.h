#pragma once
// The two ways anything reaches the mouse: a command frame in a feature
// report (SendCommand), and a data block announced by a frame and moved in
// 64-byte chunks through output or input reports (TransferBlock).
//
// A failed send leaves nothing behind, a failed read leaves zeros. Every call
// pays its fixed pauses through the Pacer, also when the mouse is absent, so
// the mouse is never rushed. Once the cancel flag is set nothing is sent or
// read any more (reads leave zeros) and no pause is paid, so a cancelled flow
// runs to its end at once. A report to an open collection that goes
// unanswered stops the transport the same way until TakeUnanswered or
// BeginFlow: a mouse that has stopped answering would make every later
// report of the flow wait out its own time-out.
#include "device/CommandFrame.h"
#include "platform/HidSystem.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <optional>
#include <span>

namespace lumeno {

class DebugOutput;
class DeviceConnection;
class Pacer;

enum class BlockDirection { Read, Write };

inline constexpr std::chrono::milliseconds kFeaturePause{10};
inline constexpr std::chrono::milliseconds kChunkPause{100};
// A block read waits this long for each input report; a report that does not
// come reads as zeros, so a silent or vanished mouse never hangs a flow.
inline constexpr std::chrono::milliseconds kInputReportTimeout{1000};

class Transport {
public:
    Transport(DeviceConnection& connection, Pacer& pacer, DebugOutput& debug, const std::atomic<bool>& cancel);

    // Sends frame (its checksum computed here; the caller's byte 7 is
    // ignored). With readBack the reply frame is copied over frame,
    // checksum byte included, and logged. Returns whether a whole reply came:
    // one with a right checksum. A missing or damaged reply leaves zeros in
    // frame and returns false, so callers keep what they knew instead of
    // taking its bytes. Without readBack: true.
    bool SendCommand(CommandFrame& frame, bool readBack);

    // A command that needs no reply: SendCommand without the read and without
    // a debug line.
    void SendFrame(const CommandFrame& frame);

    // Sends header, then moves ceil(byteCount / 64) chunks from or into data.
    // data should hold that many whole chunks; bytes beyond its end are
    // neither read nor written. A read copies the reply over header first;
    // a chunk that does not come, or comes shorter than the collection's
    // input report, reads as zeros. Returns whether every chunk of a read
    // came whole (a write: true).
    bool TransferBlock(CommandFrame& header, std::span<uint8_t> data, BlockDirection direction, int32_t byteCount);

    static int ChunkCount(int32_t byteCount);

    // True once since a report to an open collection went unanswered (a
    // mouse that stopped answering, a connection that broke); taking it
    // clears it. Any thread.
    bool TakeUnanswered();
    // A new flow starts: reports are sent again after an unanswered one
    // (whether that one was taken or not). bound: the most the whole flow
    // may take on the pacer's clock, pauses and answers together; a flow
    // past it is stopped as if a report had gone unanswered, since a mouse
    // that answers every report late (though each within the answer limit)
    // would otherwise stretch it to minutes. None: no bound. Any thread.
    void BeginFlow(std::optional<std::chrono::milliseconds> bound = std::nullopt);

    // The pauses paid so far, in total: a flow's progress. Any thread.
    std::chrono::milliseconds Paused() const { return std::chrono::milliseconds(paused_.load()); }

private:
    void SendFeature(const CommandFrame& frame);
    bool ReadReply(CommandFrame& frame);
    // Cancelled, stopped by an unanswered report, or past the flow's bound
    // (which stops it so).
    bool Cancelled();
    HidReadResult ReadInputReport(HidHandle& handle, std::span<uint8_t> report);
    void Pause(std::chrono::milliseconds duration);
    bool NoteAnswer(bool answered);

    DeviceConnection& connection_;
    Pacer& pacer_;
    DebugOutput& debug_;
    const std::atomic<bool>& cancel_;
    std::atomic<long long> paused_{0};
    std::atomic<bool> unanswered_{false};
    std::atomic<bool> stopped_{false}; // an unanswered report stopped this flow
    std::atomic<long long> flowStartMs_{0};
    std::atomic<long long> flowBoundMs_{-1}; // -1: none
};

} // namespace lumeno
