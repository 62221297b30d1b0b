#include "ui/DMarker.h"

#include <QMouseEvent>
#include <QPainter>

namespace lumeno {

CDMarkerBase::CDMarkerBase(SliderOrientation orientation, QWidget* parent)
    : QWidget(parent), model_(orientation, SliderRect{})
{
    setFocusPolicy(Qt::NoFocus);
}

void CDMarkerBase::Create(const QRect& rect, int identifier)
{
    id_ = identifier;
    setGeometry(rect);
    TakeGeometry();
    update();
}

void CDMarkerBase::TakeGeometry()
{
    const QRect place = geometry();
    model_.SetRect(SliderRect{place.left(), place.top(), place.left() + place.width(), place.top() + place.height()});
}

void CDMarkerBase::SetRange(int minimum, int maximum)
{
    model_.SetRange(minimum, maximum);
    update();
}

void CDMarkerBase::SetPos(int value)
{
    model_.SetPos(value);
    update();
}

void CDMarkerBase::SetPosOrMinimum(int value)
{
    model_.SetPosOrMinimum(value);
    update();
}

void CDMarkerBase::SetTrackImages(const QImage& empty, const QImage& filled)
{
    empty_ = empty;
    filled_ = filled;
    update();
}

int CDMarkerBase::CoordinateInParent(const QPointF& local) const
{
    const QPoint inParent = mapToParent(local.toPoint());
    return model_.Orientation() == SliderOrientation::Vertical ? inParent.y() : inParent.x();
}

void CDMarkerBase::paintEvent(QPaintEvent*)
{
    TakeGeometry();
    QPainter painter(this);
    if (!empty_.isNull())
        painter.drawImage(QPoint(0, 0), empty_);
    const int filled = model_.FilledExtent();
    if (filled <= 0 || filled_.isNull())
        return;
    QRect part;
    if (model_.Orientation() == SliderOrientation::Vertical)
        part = QRect(0, height() - filled, width(), filled);
    else
        part = QRect(0, 0, filled, height());
    painter.drawImage(part, filled_, part);
}

void CDMarkerBase::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !isEnabled())
        return;
    TakeGeometry();
    model_.Press(); // Qt grabs the mouse for the pressed widget until release
}

void CDMarkerBase::mouseMoveEvent(QMouseEvent* event)
{
    TakeGeometry();
    if (model_.Move(CoordinateInParent(event->position())))
        update();
}

void CDMarkerBase::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    TakeGeometry();
    std::optional<int> released = model_.Release(CoordinateInParent(event->position()));
    update();
    if (released)
        emit sliderReleased(*released, id_);
}

void CDMarkerBase::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange) {
        model_.SetEnabled(isEnabled());
        update();
    } else if (event->type() == QEvent::ActivationChange && !isActiveWindow()) {
        model_.CancelDrag();
    }
    QWidget::changeEvent(event);
}

void CDMarkerBase::focusOutEvent(QFocusEvent* event)
{
    model_.CancelDrag();
    QWidget::focusOutEvent(event);
}

void CDMarkerBase::hideEvent(QHideEvent* event)
{
    model_.CancelDrag();
    QWidget::hideEvent(event);
}

} // namespace lumeno
