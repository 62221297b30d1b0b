#pragma once
// CDlgAngleSnap: the "Angle Snapping" pane, ON and OFF radios that store the
// setting in the image. Nothing is sent to the mouse.
#include "ui/SettingsPane.h"

namespace lumeno {

class CDlgAngleSnap : public SettingsPane {
    Q_OBJECT
public:
    CDlgAngleSnap(PaneContext& context, QWidget* parent);
    void RefreshFromImage() override { update(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    PaneContext& context_;
};

} // namespace lumeno
