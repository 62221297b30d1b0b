#pragma once
// The angle-snapping switch: two radios, ON and OFF, that store
// angleSnapEnabled. No command carries the setting to the mouse.
#include "config/ConfigImage.h"
#include "settings/PaneRect.h"

namespace lumeno {

inline constexpr PaneRect kAngleSnapOnRadio{25, 30, 35, 40};
inline constexpr PaneRect kAngleSnapOffRadio{140, 30, 150, 40};
inline constexpr int kAngleSnapLabelGap = 5; // the label starts this far right of its radio

// Stores ON or OFF for a click on a radio; true when a radio was hit (the
// pane repaints).
bool ClickAngleSnap(ConfigImage& image, int x, int y);

} // namespace lumeno
