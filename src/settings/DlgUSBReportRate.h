#pragma once
// CDlgUSBReportRate: the "Polling Rate" pane, a dial of four rates. A click
// on the dial's ring stores the rate of its quadrant and asks for the rate
// to be written (ReportRateDial holds the rules).
#include "ui/SettingsPane.h"

namespace lumeno {

class CDlgUSBReportRate : public SettingsPane {
    Q_OBJECT
public:
    CDlgUSBReportRate(PaneContext& context, QWidget* parent);
    void RefreshFromImage() override { update(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    PaneContext& context_;
};

} // namespace lumeno
