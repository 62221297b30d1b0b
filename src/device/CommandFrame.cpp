#include "device/CommandFrame.h"

namespace lumeno {

CommandFrame CommandFrame::Make(uint8_t code, std::array<uint8_t, 6> args)
{
    CommandFrame frame;
    frame.bytes[0] = code;
    for (size_t i = 0; i < args.size(); ++i)
        frame.bytes[1 + i] = args[i];
    return frame;
}

namespace {
uint8_t ChecksumOf(const uint8_t* bytes)
{
    unsigned sum = 0;
    for (size_t i = 0; i < kFrameChecksumIndex; ++i)
        sum += bytes[i];
    return uint8_t(0xFF - (sum & 0xFF));
}
} // namespace

uint8_t FrameChecksum(const CommandFrame& frame) { return ChecksumOf(frame.bytes.data()); }

bool FrameChecksumValid(const std::array<uint8_t, kFrameSize>& frame)
{
    return ChecksumOf(frame.data()) == frame[kFrameChecksumIndex];
}

} // namespace lumeno
