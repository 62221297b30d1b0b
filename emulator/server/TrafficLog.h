#pragma once
// The lines lumeno-virtual-mouse prints: one per report that crosses the
// wire, with frames decoded into command name and fields, and the firmware's
// state on request. The format is stable so that scripts can read it:
//
//   frame SetDpiStagesLow stage=1 mask=0xff dpi1=600 dpi2=1200 ... [07 01 ff 05 0b 17 23 76]
//   frame SetLightingEffect effect=1 color=0 level=0x32 speed=2: breathing, cyan (#00ffff), speed 5 of 5 [...]
//   reply GetReportRate [81 01 00 00 00 00 00 7d]
//   chunk SetButtonMap block=0 1/1 [<64 bytes>]
//   input GetLightingBlock block=0 1/1 [<64 bytes>]
//   event DpiStageChanged stage=3 [04 01 00 02 00 00 00 00]
//   state <key> <value> ... then "state end"
//   state lighting steady, red (#ff0000), brightness 75%
//
// The words of SetLightingEffect and of "state lighting" say what the light
// shows (LightingWords.h); the frame's colour is the one of the last
// SetLightingBlock.
//
// Stages count from 1, as in the stage byte of SetDpiStagesLow; the event
// report's own byte is the index (stage 3 is sent as 02).
//
// A frame with a wrong checksum ends in " checksum=bad"; a report the mouse
// refused ends in " refused".
#include "VirtualMouse.h"

#include <array>

#include <mutex>
#include <span>
#include <string>
#include <vector>

namespace lumeno {

class TrafficLog {
public:
    std::string SetFeature(MouseCollection collection, std::span<const uint8_t> report, bool accepted);
    std::string GetFeature(MouseCollection collection, std::span<const uint8_t> reply, bool ok);
    std::string Output(MouseCollection collection, std::span<const uint8_t> report, bool accepted);
    std::string Input(MouseCollection collection, std::span<const uint8_t> report);

    // "SetDpiStagesLow stage=1 mask=0xff ..." for an 8-byte frame.
    static std::string DecodeFrame(std::span<const uint8_t, 8> frame);
    static std::vector<std::string> StateLines(const VirtualMouseState& state, bool plugged);
    static std::string Hex(std::span<const uint8_t> bytes);
    static const char* CollectionName(MouseCollection collection);

private:
    std::string ChunkLine(const char* kind, std::span<const uint8_t> report);

    std::mutex mutex_;
    std::string lastCommand_ = "?"; // name of the last frame, for replies
    std::string blockName_ = "?";   // the block chunks belong to
    int blockNumber_ = 0;
    int chunksExpected_ = 0;
    int chunksSeen_ = 0;
    std::array<uint8_t, 3> lightingColour_{}; // bytes 0..2 of the last SetLightingBlock
};

} // namespace lumeno
