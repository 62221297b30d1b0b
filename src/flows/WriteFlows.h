#pragma once
// The flows that push the configuration image, or one group of it, to the
// mouse, then save. With no mouse the commands fail at once (their pauses
// remain) and the files are still saved. The link is ctx.device; without
// one no command is sent. Each reports whether its files were saved and
// whether it was cancelled (the link's cancel flag: the mouse went away or
// the program is ending); a cancelled flow sends nothing more, still saves
// the user's values, and leaves the snapshot as it was.
#include "flows/SaveProblem.h"

#include <chrono>
#include <optional>

namespace lumeno {

struct AppContext;

struct FlowResult {
    bool saved = true;
    bool cancelled = false;
    std::optional<SaveProblem> problem; // why it was not saved
};

// The device flows, by name.
enum class Flow {
    WriteAll,
    FactoryReset,
    ButtonsAndMacros,
    Sensitivity,
    Dpi,
    ReportRate,
    Lighting,
    LiftOff,
};

// Every group of the image except the lift-off level, then the configuration
// file and the captions. Takes no snapshot.
FlowResult WriteAll(AppContext& ctx);

// Factory defaults over the base file, keeping the profile index, the
// lift-off switch and every macro; written to the mouse when it is connected,
// then saved and snapshotted; the desktop's pointer settings are applied at
// the end, also when the write was cancelled.
FlowResult FactoryReset(AppContext& ctx);

// The partial writes: their commands, then file, captions and snapshot.
FlowResult WriteButtonsAndMacros(AppContext& ctx);
FlowResult WriteSensitivity(AppContext& ctx);
FlowResult WriteDpi(AppContext& ctx);
FlowResult WriteReportRate(AppContext& ctx);
FlowResult WriteLighting(AppContext& ctx);
FlowResult WriteLiftOff(AppContext& ctx);

// Runs one of the flows above.
FlowResult RunFlow(Flow flow, AppContext& ctx);

// The pauses the flow will pay on ctx's image and connection state, worked
// out in advance without talking to the mouse: the measure of its progress.
std::chrono::milliseconds PlannedPauses(Flow flow, const AppContext& ctx);

// The most a flow of that plan may take in all: the plan, a tenth of it for
// the transfers, and one answer limit (2 s). A flow past it is stopped and
// the mouse taken as lost, until the search finds it answering again.
inline constexpr std::chrono::milliseconds FlowBound(std::chrono::milliseconds planned)
{
    return planned + planned / 10 + std::chrono::milliseconds(2000);
}

} // namespace lumeno
