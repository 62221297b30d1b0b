#pragma once
// The "Double-Click Speed" pane: the dial over the image's doubleClickLevel;
// each click on the ring writes its angle to the diagnostic channel.
#include "settings/DlgPointerDial.h"

namespace lumeno {

class CDlgDoubleClick final : public CDlgPointerDial {
public:
    CDlgDoubleClick(PaneContext& context, QWidget* parent);

protected:
    void Clicked(const DialClick& click) override;
};

} // namespace lumeno
