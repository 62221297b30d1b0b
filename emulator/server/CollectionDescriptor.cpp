#include "CollectionDescriptor.h"

namespace lumeno {
namespace {

// Short items used (prefix byte = tag | type | size code):
constexpr uint8_t kUsagePage16 = 0x06;   // global, 2 bytes
constexpr uint8_t kUsage8 = 0x09;        // local, 1 byte
constexpr uint8_t kUsage16 = 0x0A;       // local, 2 bytes
constexpr uint8_t kCollection = 0xA1;    // main, 1 byte: 0x01 application
constexpr uint8_t kEndCollection = 0xC0; // main, no data
constexpr uint8_t kReportId = 0x85;      // global, 1 byte
constexpr uint8_t kLogicalMin8 = 0x15;   // global, 1 byte
constexpr uint8_t kLogicalMax16 = 0x26;  // global, 2 bytes
constexpr uint8_t kReportSize8 = 0x75;   // global, 1 byte
constexpr uint8_t kReportCount8 = 0x95;  // global, 1 byte
constexpr uint8_t kReportCount16 = 0x96; // global, 2 bytes
constexpr uint8_t kInput = 0x81;         // main, 1 byte
constexpr uint8_t kOutput = 0x91;
constexpr uint8_t kFeature = 0xB1;
constexpr uint8_t kDataVariableAbsolute = 0x02;
constexpr uint8_t kApplication = 0x01;

void Add16(std::vector<uint8_t>& d, uint16_t v)
{
    d.push_back(static_cast<uint8_t>(v & 0xFF));
    d.push_back(static_cast<uint8_t>(v >> 8));
}

// A report of length bytes (its id byte included) as byte-sized fields.
void AddReport(std::vector<uint8_t>& d, uint8_t mainItem, uint16_t length)
{
    if (length == 0)
        return;
    const uint16_t count = static_cast<uint16_t>(length - 1);
    if (count <= 0xFF) {
        d.insert(d.end(), {kReportCount8, static_cast<uint8_t>(count)});
    } else {
        d.push_back(kReportCount16);
        Add16(d, count);
    }
    d.insert(d.end(), {kUsage8, 0x01, mainItem, kDataVariableAbsolute});
}

} // namespace

std::vector<uint8_t> BuildCollectionDescriptor(const VirtualCollectionInfo& c)
{
    std::vector<uint8_t> d;
    d.push_back(kUsagePage16);
    Add16(d, c.usagePage);
    if (c.usage <= 0xFF) {
        d.insert(d.end(), {kUsage8, static_cast<uint8_t>(c.usage)});
    } else {
        d.push_back(kUsage16);
        Add16(d, c.usage);
    }
    d.insert(d.end(), {kCollection, kApplication});
    if (c.reportId != 0)
        d.insert(d.end(), {kReportId, c.reportId});
    d.insert(d.end(), {kLogicalMin8, 0x00, kLogicalMax16, 0xFF, 0x00, kReportSize8, 0x08});
    AddReport(d, kInput, c.inputReportLength);
    AddReport(d, kOutput, c.outputReportLength);
    AddReport(d, kFeature, c.featureReportLength);
    d.push_back(kEndCollection);
    return d;
}

} // namespace lumeno
