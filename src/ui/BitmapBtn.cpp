#include "ui/BitmapBtn.h"

#include "ui/SkinImages.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

namespace lumeno {
namespace {

constexpr int kCaptionInset = 5;
const QColor kCaptionColour(253, 253, 253);

int Index(ButtonLook look) { return static_cast<int>(look); }

} // namespace

CBitmapBtn::CBitmapBtn(QWidget* parent) : QAbstractButton(parent)
{
    setMouseTracking(true);
    captionFont_ = font();
    captionFont_.setPixelSize(14);
    captionFont_.setWeight(static_cast<QFont::Weight>(550));
    captionColours_.fill(kCaptionColour);
}

void CBitmapBtn::SetBitmaps(int x1, int y1, int x2, int y2, const QImage& normal, const QImage& hover,
                            const QImage& pressed, const QImage& disabled)
{
    const QRect region(x1, y1, std::max(0, x2 - x1), std::max(0, y2 - y1));
    // A look that is the whole image shares its pixels with the skin's copy.
    auto cut = [&](const QImage& image) {
        return image.isNull() ? QImage() : image.rect() == region ? image : image.copy(region);
    };
    looks_[Index(ButtonLook::Normal)] = cut(normal);
    looks_[Index(ButtonLook::Hover)] = cut(hover);
    looks_[Index(ButtonLook::Pressed)] = cut(pressed);
    looks_[Index(ButtonLook::Disabled)] = cut(disabled);
    setFocusPolicy(Qt::NoFocus);
    update();
}

void CBitmapBtn::SetBitmaps(const SkinImages& skin, int x1, int y1, int x2, int y2, std::string_view normal,
                            std::string_view hover, std::string_view pressed, std::string_view disabled)
{
    auto load = [&](std::string_view name) { return skin.Load(name).value_or(QImage()); };
    SetBitmaps(x1, y1, x2, y2, load(normal), load(hover), load(pressed), load(disabled));
}

void CBitmapBtn::SetCaption(const QString& caption)
{
    caption_ = caption;
    update();
}

void CBitmapBtn::SetCaptionFont(const QString& face, int pixelHeight, int weight)
{
    captionFont_ = QFont(face);
    captionFont_.setPixelSize(std::max(1, pixelHeight));
    captionFont_.setWeight(static_cast<QFont::Weight>(std::clamp(weight, 1, 1000)));
    update();
}

QRect CBitmapBtn::CaptionRect() const
{
    const int left = kCaptionInset + (alignment_ == AlignLeft ? indent_ : 0);
    const int right = alignment_ == AlignLeft ? 0 : kCaptionInset;
    return QRect(left, 0, std::max(0, width() - left - right), height());
}

bool CBitmapBtn::CaptionFits() const
{
    // The same measure as the ellipsis in paintEvent.
    return QFontMetrics(captionFont_, this).elidedText(caption_, Qt::ElideRight, CaptionRect().width()) == caption_;
}

int CBitmapBtn::FitCaption(int largest, int smallest)
{
    int height = std::max(1, largest);
    for (; height > smallest; --height) {
        captionFont_.setPixelSize(height);
        if (CaptionFits())
            break;
    }
    captionFont_.setPixelSize(std::max(1, height));
    update();
    return captionFont_.pixelSize();
}

void CBitmapBtn::SetCaptionColours(QColor normal, QColor hover, QColor disabled, QColor pressed)
{
    captionColours_[Index(ButtonLook::Normal)] = normal;
    captionColours_[Index(ButtonLook::Hover)] = hover;
    captionColours_[Index(ButtonLook::Disabled)] = disabled;
    captionColours_[Index(ButtonLook::Pressed)] = pressed;
    update();
}

void CBitmapBtn::SetAlignment(int alignment, int indent)
{
    alignment_ = alignment;
    indent_ = indent;
    update();
}

void CBitmapBtn::SetMultiLine(bool multiLine)
{
    multiLine_ = multiLine;
    update();
}

void CBitmapBtn::SetKeepHoverWhenInactive(bool keep)
{
    keepHoverWhenInactive_ = keep;
    update();
}

void CBitmapBtn::SetToggleMode(bool toggle)
{
    toggleMode_ = toggle;
    update();
}

void CBitmapBtn::SetToggleChecked(bool checked)
{
    checked_ = checked;
    update();
}

ButtonLook CBitmapBtn::CurrentLook() const
{
    ButtonLookState state;
    state.enabled = isEnabled();
    state.toggleMode = toggleMode_;
    state.checked = checked_;
    state.down = isDown();
    state.hover = hover_;
    state.keepHoverWhenInactive = keepHoverWhenInactive_;
    state.parentActive = window()->isActiveWindow();
    return PickButtonLook(state);
}

void CBitmapBtn::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const ButtonLook look = CurrentLook();
    const QImage& image = looks_[Index(look)];
    if (!image.isNull())
        DrawPreparedImage(painter, image, 0, 0);
    if (caption_.isEmpty())
        return;

    painter.setFont(captionFont_);
    painter.setPen(captionColours_[Index(look)]);
    const QRect textRect = CaptionRect();
    int flags = Qt::AlignVCenter;
    flags |= alignment_ == AlignCentre ? Qt::AlignHCenter : alignment_ == AlignRight ? Qt::AlignRight : Qt::AlignLeft;
    if (multiLine_) {
        painter.drawText(textRect, flags | Qt::TextWordWrap, caption_);
    } else {
        const QString shown = painter.fontMetrics().elidedText(caption_, Qt::ElideRight, textRect.width());
        painter.drawText(textRect, flags | Qt::TextSingleLine, shown);
    }
}

void CBitmapBtn::SetHover(bool hover)
{
    if (hover_ == hover)
        return;
    hover_ = hover;
    update();
}

void CBitmapBtn::mouseMoveEvent(QMouseEvent* event)
{
    if (isEnabled())
        SetHover(rect().contains(event->position().toPoint()) && event->position().x() >= hoverStartColumn_);
    emit mouseMovedOver(event->globalPosition().toPoint());
    QAbstractButton::mouseMoveEvent(event);
}

void CBitmapBtn::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        if (toggleMode_) {
            const bool inside = isDown() && rect().contains(event->position().toPoint());
            setDown(false);
            if (inside) {
                checked_ = !checked_;
                update();
                emit toggleCommand(id_);
            }
        } else {
            QAbstractButton::mouseReleaseEvent(event);
        }
        emit leftButtonReleased();
        return;
    }
    QAbstractButton::mouseReleaseEvent(event);
}

void CBitmapBtn::leaveEvent(QEvent* event)
{
    SetHover(false);
    QAbstractButton::leaveEvent(event);
}

void CBitmapBtn::focusOutEvent(QFocusEvent* event)
{
    SetHover(false);
    QAbstractButton::focusOutEvent(event);
}

void CBitmapBtn::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange && !isEnabled())
        SetHover(false);
    if (event->type() == QEvent::ActivationChange)
        update();
    QAbstractButton::changeEvent(event);
}

} // namespace lumeno
