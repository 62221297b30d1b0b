#pragma once
// The flows that push the configuration image, or one group of it, to the
// mouse. Each runs to its end on the UI thread behind the busy indicator and
// reports nothing; with no mouse the commands fail at once and the files are
// still saved. The link is ctx.device; without one no command is sent.
#include <functional>

namespace lumeno {

struct AppContext;

// Every group of the image except the lift-off level, then the configuration
// file and the captions. Takes no snapshot.
void WriteAll(AppContext& ctx);

// Factory defaults over the base file, keeping the profile index, the
// lift-off switch and every macro; written to the mouse when it is connected,
// then saved and snapshotted. applyPointerSettings runs at the end.
void FactoryReset(AppContext& ctx, const std::function<void()>& applyPointerSettings = {});

// The partial writes: their commands, then file, captions and snapshot.
void WriteButtonsAndMacros(AppContext& ctx);
void WriteSensitivity(AppContext& ctx);
void WriteDpi(AppContext& ctx);
void WriteReportRate(AppContext& ctx);
void WriteLighting(AppContext& ctx);
void WriteLiftOff(AppContext& ctx);

} // namespace lumeno
