#include "settings/DlgPointerDial.h"

#include "flows/AppContext.h"
#include "settings/PointerDial.h"
#include "ui/SkinImages.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace lumeno {

namespace {

constexpr char kDialBackground[] = "skins/MouseAttribute/BK_MouseAttribute.png";
// The dial image of a level 1..11.
std::string DialImage(int level) { return QString::asprintf("skins/MouseAttribute/Speed/%d.png", level).toStdString(); }
// Where the end words stand: "Slow" right-aligned, "Fast" left-aligned.
const QRect kSlowRect(QPoint(5, 73), QPoint(50, 103) - QPoint(1, 1));
const QRect kFastRect(QPoint(192, 73), QPoint(237, 103) - QPoint(1, 1));

} // namespace

CDlgPointerDial::CDlgPointerDial(PaneContext& context, uint8_t ConfigImage::*level, QWidget* parent)
    : SettingsPane(parent), context_(context), level_(context.ctx.image.*level)
{
}

DebugOutput& CDlgPointerDial::Debug() const { return context_.ctx.debug; }

void CDlgPointerDial::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    context_.skin.Draw(painter, kDialBackground, 0, 0);
    const int level = std::clamp(int(level_), kDialMinLevel, kDialMaxLevel);
    context_.skin.Draw(painter, DialImage(level), kDialImageX, kDialImageY);
    QFont font(QString::fromUtf8(MainWindowFontFace(context_.ctx.languageCode).data()));
    font.setPixelSize(kMainWindowFontHeight);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(kSlowRect, Qt::AlignRight | Qt::AlignVCenter, QString::fromStdString(context_.text[kTextSlow]));
    painter.drawText(kFastRect, Qt::AlignLeft | Qt::AlignVCenter, QString::fromStdString(context_.text[kTextFast]));
}

void CDlgPointerDial::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint at = event->position().toPoint();
    const DialClick click = ClickDial(at.x(), at.y(), level_);
    if (click.ignored)
        return;
    level_ = uint8_t(click.level);
    update();
    Clicked(click);
    context_.commands.Apply(ApplyGroup::Pointer);
}

} // namespace lumeno
