// Feeds arbitrary bytes to the report descriptor parser: it must never
// crash, read out of bounds or hand out a report length the kernel would
// refuse.
#include "platform/HidReportDescriptor.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto parsed = lumeno::HidReportDescriptor::Parse({data, size});
    if (!parsed)
        return 0;
    for (const auto& c : parsed->collections) {
        for (const std::uint16_t length : {c.inputReportLength, c.outputReportLength, c.featureReportLength}) {
            if (length > lumeno::kHidMaxReportBytes + 1)
                std::abort();
        }
        if (!parsed->numberedReports && !c.reportIds.empty())
            std::abort();
    }
    return 0;
}
