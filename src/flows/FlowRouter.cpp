#include "flows/FlowRouter.h"

#include "flows/PointerSettings.h"

namespace lumeno {

std::optional<Flow> FlowOfGroup(ApplyGroup group)
{
    switch (group) {
    case ApplyGroup::Dpi:
        return Flow::Dpi;
    case ApplyGroup::ReportRate:
        return Flow::ReportRate;
    case ApplyGroup::Lighting:
        return Flow::Lighting;
    case ApplyGroup::Sensitivity:
        return Flow::Sensitivity;
    case ApplyGroup::LiftOff:
        return Flow::LiftOff;
    case ApplyGroup::ButtonsAndMacros:
        return Flow::ButtonsAndMacros;
    case ApplyGroup::ReshowControls:
    case ApplyGroup::Pointer:
        break;
    }
    return std::nullopt;
}

FlowResult ApplyGroupNow(ApplyGroup group, AppContext& ctx)
{
    if (const auto flow = FlowOfGroup(group))
        return RunFlow(*flow, ctx);
    if (group == ApplyGroup::Pointer)
        return ApplyPointerChange(ctx);
    return {};
}

} // namespace lumeno
