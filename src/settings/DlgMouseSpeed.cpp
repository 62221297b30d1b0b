#include "settings/DlgMouseSpeed.h"

#include "config/ConfigImage.h"

namespace lumeno {

CDlgMouseSpeed::CDlgMouseSpeed(PaneContext& context, QWidget* parent)
    : CDlgPointerDial(context, &ConfigImage::pointerSpeedLevel, parent)
{
}

} // namespace lumeno
