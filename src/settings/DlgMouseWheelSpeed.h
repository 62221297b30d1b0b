#pragma once
// The "Scroll Speed" pane: lines per notch or one screen per notch, the
// lines box with its arrows (WheelSpeedModel.h). A click anywhere in the
// pane asks for the pointer settings to be applied; typing in the box
// changes the image only.
#include "settings/WheelSpeedModel.h"
#include "ui/SettingsPane.h"

class QLineEdit;

namespace lumeno {

class CDlgMouseWheelSpeed final : public SettingsPane {
public:
    CDlgMouseWheelSpeed(PaneContext& context, QWidget* parent);

    // Repaints and resets the box from the image.
    void RefreshFromImage() override;

    QLineEdit* LinesBox() const { return box_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void ShowBox();

    PaneContext context_;
    WheelSpeedModel model_;
    QLineEdit* box_;
};

} // namespace lumeno
