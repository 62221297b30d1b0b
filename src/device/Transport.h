#pragma once
// The two ways anything reaches the mouse: a command frame in a feature
// report (SendCommand), and a data block announced by a frame and moved in
// 64-byte chunks through output or input reports (TransferBlock).
//
// Results are never examined: a failed send leaves nothing behind, a failed
// read leaves zeros. Every call pays its fixed pauses through the Pacer, also
// when the mouse is absent, so the mouse is never rushed.
#include "device/CommandFrame.h"

#include <chrono>
#include <cstdint>
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
    Transport(DeviceConnection& connection, Pacer& pacer, DebugOutput& debug);

    // Sends frame (its checksum computed here; the caller's byte 7 is
    // ignored). With readBack the reply frame is copied over frame,
    // checksum byte included, and logged.
    void SendCommand(CommandFrame& frame, bool readBack);

    // A command that needs no reply: SendCommand without the read and without
    // a debug line.
    void SendFrame(const CommandFrame& frame);

    // Sends header, then moves ceil(byteCount / 64) chunks from or into data.
    // data should hold that many whole chunks; bytes beyond its end are
    // neither read nor written. A read copies the reply over header first.
    void TransferBlock(CommandFrame& header, std::span<uint8_t> data, BlockDirection direction,
                       int32_t byteCount);

    static int ChunkCount(int32_t byteCount);

private:
    void SendFeature(const CommandFrame& frame);
    void ReadReply(CommandFrame& frame);

    DeviceConnection& connection_;
    Pacer& pacer_;
    DebugOutput& debug_;
};

} // namespace lumeno
