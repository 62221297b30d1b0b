#pragma once
// The 8-byte command frame and the reports that carry frames and data chunks.
//
//  CommandFrame          Feature report (9 bytes)      Data chunk report (65 bytes)
//  byte  content          byte  content                byte   content
//  0     command code     0     report id 0            0      report id 0
//  1..6  arguments        1..7  frame bytes 0..6       1..64  64 bytes of the block
//  7     checksum         8     checksum
//
// checksum = 0xFF - (sum of frame bytes 0..6) mod 256, the complement of the
// 8-bit sum. Codes with the high bit set ask the mouse for data.
#include <array>
#include <cstddef>
#include <cstdint>

namespace lumeno {

inline constexpr size_t kFrameSize = 8;
inline constexpr size_t kFrameChecksumIndex = 7;
inline constexpr size_t kChunkSize = 64;
inline constexpr size_t kReportIdIndex = 0;
inline constexpr size_t kReportPayloadIndex = 1; // frame or chunk data starts here
inline constexpr size_t kCommandFeatureReportLength = 9;
inline constexpr size_t kChunkReportLength = 1 + kChunkSize;
inline constexpr size_t kTransportBufferSize = 280; // longest report the transport handles
inline constexpr uint8_t kCommandReportId = 0;
inline constexpr uint8_t kReadFlag = 0x80;

struct CommandFrame {
    std::array<uint8_t, kFrameSize> bytes{};

    uint8_t Code() const { return bytes[0]; }
    uint8_t& operator[](size_t i) { return bytes[i]; }
    uint8_t operator[](size_t i) const { return bytes[i]; }

    // A frame from a code and up to six argument bytes (missing ones are 0).
    static CommandFrame Make(uint8_t code, std::array<uint8_t, 6> args = {});
};

// 0xFF minus the 8-bit sum of frame bytes 0..6; byte 7 is not read.
uint8_t FrameChecksum(const CommandFrame& frame);
// True when byte 7 holds the checksum of bytes 0..6.
bool FrameChecksumValid(const std::array<uint8_t, kFrameSize>& frame);

} // namespace lumeno
