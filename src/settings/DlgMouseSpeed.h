#pragma once
// The "Mouse Speed" pane: the dial over the image's pointerSpeedLevel.
#include "settings/DlgPointerDial.h"

namespace lumeno {

class CDlgMouseSpeed final : public CDlgPointerDial {
public:
    CDlgMouseSpeed(PaneContext& context, QWidget* parent);
};

} // namespace lumeno
