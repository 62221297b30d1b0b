#include "settings/DlgUSBReportRate.h"

#include "flows/AppContext.h"
#include "settings/ReportRateDial.h"
#include "ui/SkinImages.h"

#include <QMouseEvent>
#include <QPainter>

namespace lumeno {

namespace {
constexpr char kRateBackground[] = "Skins\\USBReportRate\\BK_USBReportRate.png";
}

CDlgUSBReportRate::CDlgUSBReportRate(PaneContext& context, QWidget* parent) : SettingsPane(parent), context_(context) {}

void CDlgUSBReportRate::paintEvent(QPaintEvent*)
{
    // A stored code of 0 is shown, and from now on kept, as 500 Hz.
    uint8_t& code = context_.ctx.image.reportRateCode;
    code = RateDialCode(code);
    QPainter painter(this);
    context_.skin.Draw(painter, kRateBackground, 0, 0);
    context_.skin.Draw(painter, RateDialImageName(code), kRateDialRect.left, kRateDialRect.top);
}

void CDlgUSBReportRate::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    uint8_t& code = context_.ctx.image.reportRateCode;
    const RateDialClick click = ClickRateDial(int(event->position().x()), int(event->position().y()), code);
    if (click.onRing) {
        code = click.code;
        context_.commands.Apply(ApplyGroup::ReportRate);
    }
    update();
}

} // namespace lumeno
