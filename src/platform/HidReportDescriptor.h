#pragma once
// Parser of HID report descriptors: finds the top-level collections of a
// device and the report lengths of each, counted the way the Windows HID
// class driver counts them, so that the layers above see the same
// capabilities on every platform.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace lumeno {

// One top-level collection. A report length is the longest report of that
// type in the collection, in bytes, plus one for the report id byte (also
// when the device numbers no reports); 0 when the collection has no report
// of that type.
struct HidTopLevelCollection {
    std::uint16_t usagePage = 0;
    std::uint16_t usage = 0;
    std::uint16_t inputReportLength = 0;
    std::uint16_t outputReportLength = 0;
    std::uint16_t featureReportLength = 0;
    // Report ids used in this collection, ascending; empty when the device
    // numbers no reports.
    std::vector<std::uint8_t> reportIds;

    bool operator==(const HidTopLevelCollection&) const = default;
};

struct HidReportDescriptor {
    std::vector<HidTopLevelCollection> collections;
    // True when the descriptor declares report ids: every report then
    // starts with its id byte on the wire.
    bool numberedReports = false;

    // Parses a descriptor. Returns nullopt for a malformed one (truncated
    // item, unbalanced collections or push/pop, report id 0 or above 255,
    // a report longer than the kernel accepts) and, when error is given,
    // stores a short reason there. Never reads outside bytes.
    static std::optional<HidReportDescriptor> Parse(std::span<const std::uint8_t> bytes, std::string* error = nullptr);
};

// Longest report, in bytes without the id byte, that the Linux HID core
// accepts; a descriptor declaring a longer one is rejected.
inline constexpr std::size_t kHidMaxReportBytes = 16384;
// Largest report descriptor the kernel hands out (HID_MAX_DESCRIPTOR_SIZE).
inline constexpr std::size_t kHidMaxDescriptorBytes = 4096;

} // namespace lumeno
