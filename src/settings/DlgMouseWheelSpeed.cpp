#include "settings/DlgMouseWheelSpeed.h"

#include "flows/AppContext.h"
#include "ui/SkinImages.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpressionValidator>

namespace lumeno {

namespace {

constexpr char kWheelBackground[] = "skins/MouseAttribute/BK_ScrollSpeed.png";
constexpr char kRadioOn[] = "skins/MouseAttribute/ScrollSpeed/Enable.png";
constexpr char kRadioOff[] = "skins/MouseAttribute/ScrollSpeed/Disable.png";
constexpr char kBoxWell[] = "skins/MouseAttribute/ScrollSpeed/ScrollLines.png";

QRect RectOf(const PaneRect& r) { return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top); }

} // namespace

CDlgMouseWheelSpeed::CDlgMouseWheelSpeed(PaneContext& context, QWidget* parent)
    : SettingsPane(parent), context_(context), model_(context.ctx.image), box_(new QLineEdit(this))
{
    box_->setGeometry(RectOf(kWheelLinesBox));
    box_->setAlignment(Qt::AlignCenter);
    box_->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), box_));
    box_->setMaxLength(3);
    // Only the user's typing counts; the pane's own updates of the text do not.
    connect(box_, &QLineEdit::textEdited, this, [this](const QString& text) {
        const std::string replacement = model_.Typed(text.toStdString());
        if (!replacement.empty())
            box_->setText(QString::fromStdString(replacement));
    });
    ShowBox();
}

void CDlgMouseWheelSpeed::ShowBox()
{
    box_->setText(QString::fromStdString(model_.BoxText()));
    box_->setEnabled(model_.BoxEnabled());
}

void CDlgMouseWheelSpeed::RefreshFromImage()
{
    ShowBox();
    update();
}

void CDlgMouseWheelSpeed::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    context_.skin.Draw(painter, kWheelBackground, 0, 0);
    context_.skin.Draw(painter, kBoxWell, kWheelLinesBox.left, kWheelLinesBox.top);
    const bool page = model_.PageMode();
    context_.skin.Draw(painter, page ? kRadioOff : kRadioOn, kWheelLinesRadio.left, kWheelLinesRadio.top);
    context_.skin.Draw(painter, page ? kRadioOn : kRadioOff, kWheelPageRadio.left, kWheelPageRadio.top);
    QFont font(QString::fromUtf8(MainWindowFontFace(context_.ctx.languageCode).data()));
    font.setPixelSize(kMainWindowFontHeight);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(RectOf(kWheelLinesLabel), Qt::AlignLeft | Qt::AlignVCenter,
                     QString::fromStdString(context_.text[kTextWheelRows]));
    painter.drawText(RectOf(kWheelPageLabel), Qt::AlignLeft | Qt::AlignVCenter,
                     QString::fromStdString(context_.text[kTextWheelScreen]));
}

void CDlgMouseWheelSpeed::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint at = event->position().toPoint();
    model_.Click(at.x(), at.y());
    ShowBox();
    update();
    context_.commands.Apply(ApplyGroup::Pointer);
}

} // namespace lumeno
