#include "settings/DlgAngleSnap.h"

#include "flows/AppContext.h"
#include "settings/AngleSnapChoice.h"
#include "ui/SkinImages.h"

#include <QMouseEvent>
#include <QPainter>

namespace lumeno {

namespace {

constexpr char kBackground[] = "Skins\\AngleSnap\\BK_AngleSnap.png";
constexpr char kSelectedImage[] = "Skins\\Enable.png";
constexpr char kUnselectedImage[] = "Skins\\Disable.png";
constexpr int kLabelWidth = 80;

} // namespace

CDlgAngleSnap::CDlgAngleSnap(PaneContext& context, QWidget* parent) : SettingsPane(parent), context_(context) {}

void CDlgAngleSnap::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    context_.skin.Draw(painter, kBackground, 0, 0);
    const bool on = context_.ctx.image.angleSnapEnabled != 0;
    painter.setPen(Qt::white);
    const struct {
        PaneRect radio;
        bool selected;
        UiTextId label;
    } radios[] = {{kAngleSnapOnRadio, on, kTextOn}, {kAngleSnapOffRadio, !on, kTextOff}};
    for (const auto& r : radios) {
        context_.skin.Draw(painter, r.selected ? kSelectedImage : kUnselectedImage, r.radio.left, r.radio.top);
        const QRect label(r.radio.right + kAngleSnapLabelGap, r.radio.top - 2, kLabelWidth, r.radio.Height() + 4);
        painter.drawText(label, Qt::AlignLeft | Qt::AlignVCenter, QString::fromStdString(context_.text[r.label]));
    }
}

void CDlgAngleSnap::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton &&
        ClickAngleSnap(context_.ctx.image, int(event->position().x()), int(event->position().y())))
        update();
}

} // namespace lumeno
