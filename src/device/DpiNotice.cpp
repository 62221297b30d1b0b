#include "device/DpiNotice.h"

namespace lumeno {

std::optional<std::string> DpiNoticeText(const std::array<std::string, kNoticeStages>& stageTexts,
                                         const ConfigSnapshot& snapshot, int stage)
{
    if (stage < 0 || stage >= kNoticeStages)
        return std::nullopt;
    return stageTexts[size_t(stage)] + "(" + std::to_string(DpiOf100(snapshot.dpiCode100[stage])) + ")";
}

} // namespace lumeno
