#include "settings/DlgDoubleClick.h"

#include "config/ConfigImage.h"
#include "platform/DebugOutput.h"
#include "settings/PointerDial.h"

namespace lumeno {

CDlgDoubleClick::CDlgDoubleClick(PaneContext& context, QWidget* parent)
    : CDlgPointerDial(context, &ConfigImage::doubleClickLevel, parent)
{
}

void CDlgDoubleClick::Clicked(const DialClick& click)
{
    if (click.onRing)
        DebugPrintf(Debug(), "angle/18:angle=%f,angle/18=%d\n", click.angle, int(click.angle / 18));
}

} // namespace lumeno
