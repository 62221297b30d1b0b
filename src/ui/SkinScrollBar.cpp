#include "ui/SkinScrollBar.h"

#include <QElapsedTimer>
#include <memory>

#include <QAbstractScrollArea>
#include <QMouseEvent>
#include <QPainter>
#include <QTimerEvent>

namespace lumeno {
namespace {

// Draws one skin cell stretched along the bar, keeping a third of the cell
// at each end unstretched so rounded ends stay round.
void DrawCellAlong(QPainter& painter, const QImage& skin, const CellRect& cell, const QRect& target, bool vertical)
{
    const QRect source(cell.x, cell.y, cell.width, cell.height);
    const int along = vertical ? target.height() : target.width();
    const int cellAlong = vertical ? cell.height : cell.width;
    const int end = std::min(cellAlong / 3, along / 2);
    if (along <= cellAlong || end <= 0) {
        painter.drawImage(target, skin, source);
        return;
    }
    if (vertical) {
        painter.drawImage(QRect(target.x(), target.y(), target.width(), end), skin,
                          QRect(source.x(), source.y(), source.width(), end));
        painter.drawImage(QRect(target.x(), target.y() + end, target.width(), along - 2 * end), skin,
                          QRect(source.x(), source.y() + end, source.width(), cellAlong - 2 * end));
        painter.drawImage(QRect(target.x(), target.bottom() + 1 - end, target.width(), end), skin,
                          QRect(source.x(), source.bottom() + 1 - end, source.width(), end));
    } else {
        painter.drawImage(QRect(target.x(), target.y(), end, target.height()), skin,
                          QRect(source.x(), source.y(), end, source.height()));
        painter.drawImage(QRect(target.x() + end, target.y(), along - 2 * end, target.height()), skin,
                          QRect(source.x() + end, source.y(), cellAlong - 2 * end, source.height()));
        painter.drawImage(QRect(target.right() + 1 - end, target.y(), end, target.height()), skin,
                          QRect(source.right() + 1 - end, source.y(), end, source.height()));
    }
}

} // namespace

CSkinScrollBar::CSkinScrollBar(Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent), orientation_(orientation)
{
    setMouseTracking(true);
    auto steady = std::make_shared<QElapsedTimer>();
    steady->start();
    clock_ = [steady] { return std::chrono::milliseconds(steady->elapsed()); };
}

void CSkinScrollBar::SetSkin(const QImage& skin)
{
    skin_ = skin;
    grid_ = ScrollSkinGrid::ForBitmap(skin.width(), skin.height());
    update();
}

void CSkinScrollBar::SetTarget(QScrollBar* target)
{
    if (target_)
        disconnect(target_, nullptr, this, nullptr);
    target_ = target;
    if (target_) {
        connect(target_, &QAbstractSlider::valueChanged, this, qOverload<>(&QWidget::update));
        connect(target_, &QAbstractSlider::rangeChanged, this, qOverload<>(&QWidget::update));
    }
    update();
}

int CSkinScrollBar::Thickness() const { return grid_.Thickness(IsVertical()); }

ScrollBarLayout CSkinScrollBar::Layout() const
{
    const int length = IsVertical() ? height() : width();
    const int arrow = IsVertical() ? grid_.cellHeight : grid_.cellWidth;
    if (!target_)
        return ScrollBarLayout::Compute(length, arrow, 0, 0, 0, 0);
    return ScrollBarLayout::Compute(length, arrow, target_->minimum(), target_->maximum(), target_->pageStep(),
                                    target_->sliderPosition());
}

int CSkinScrollBar::Along(const QPointF& p) const { return IsVertical() ? int(p.y()) : int(p.x()); }

void CSkinScrollBar::paintEvent(QPaintEvent*)
{
    if (skin_.isNull())
        return;
    QPainter painter(this);
    const bool vertical = IsVertical();
    const ScrollBarLayout layout = Layout();
    auto look = [&](ScrollPart part) {
        if (pressed_ == part)
            return ScrollPartLook::Pressed;
        if (hover_ == part)
            return ScrollPartLook::Hover;
        return ScrollPartLook::Normal;
    };
    auto span = [&](int start, int length) {
        return vertical ? QRect(0, start, width(), length) : QRect(start, 0, length, height());
    };
    const int track = layout.length - 2 * layout.arrow;
    DrawCellAlong(painter, skin_, grid_.Cell(vertical, ScrollPart::TrackBefore, ScrollPartLook::Normal),
                  span(layout.arrow, track), vertical);
    painter.drawImage(span(0, layout.arrow), skin_, [&] {
        auto c = grid_.Cell(vertical, ScrollPart::FirstArrow, look(ScrollPart::FirstArrow));
        return QRect(c.x, c.y, c.width, c.height);
    }());
    painter.drawImage(span(layout.length - layout.arrow, layout.arrow), skin_, [&] {
        auto c = grid_.Cell(vertical, ScrollPart::SecondArrow, look(ScrollPart::SecondArrow));
        return QRect(c.x, c.y, c.width, c.height);
    }());
    if (layout.thumbLength > 0)
        DrawCellAlong(painter, skin_, grid_.Cell(vertical, ScrollPart::Thumb, look(ScrollPart::Thumb)),
                      span(layout.thumbStart, layout.thumbLength), vertical);
}

void CSkinScrollBar::SendCommand(ScrollPart part)
{
    if (!target_)
        return;
    switch (part) {
    case ScrollPart::FirstArrow:
        target_->triggerAction(QAbstractSlider::SliderSingleStepSub);
        break;
    case ScrollPart::SecondArrow:
        target_->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        break;
    case ScrollPart::TrackBefore:
        target_->triggerAction(QAbstractSlider::SliderPageStepSub);
        break;
    case ScrollPart::TrackAfter:
        target_->triggerAction(QAbstractSlider::SliderPageStepAdd);
        break;
    default:
        break;
    }
}

void CSkinScrollBar::StopTimers()
{
    repeat_.Stop();
    repeatTimer_.stop();
}

void CSkinScrollBar::RepeatTick()
{
    const int due = repeat_.StepsDue(clock_());
    // Repeat only while the button stays down over the part it pressed.
    if (pressed_ == ScrollPart::None || Layout().HitTest(pointerAlong_) != pressed_)
        return;
    for (int i = 0; i < due; ++i)
        SendCommand(pressed_);
}

void CSkinScrollBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !target_)
        return;
    const ScrollBarLayout layout = Layout();
    pointerAlong_ = Along(event->position());
    pressed_ = layout.HitTest(pointerAlong_);
    if (pressed_ == ScrollPart::Thumb) {
        dragGrabOffset_ = pointerAlong_ - layout.thumbStart;
        target_->setSliderDown(true);
    } else if (pressed_ != ScrollPart::None) {
        SendCommand(pressed_);
        repeat_.Start(clock_());
        repeatTimer_.start(kScrollRepeatDelayMs, this);
    }
    update();
}

void CSkinScrollBar::mouseMoveEvent(QMouseEvent* event)
{
    pointerAlong_ = Along(event->position());
    const ScrollBarLayout layout = Layout();
    if (pressed_ == ScrollPart::Thumb && target_) {
        target_->setSliderPosition(
            layout.ValueForThumbStart(pointerAlong_ - dragGrabOffset_, target_->minimum(), target_->maximum()));
    }
    const ScrollPart over =
        rect().contains(event->position().toPoint()) ? layout.HitTest(pointerAlong_) : ScrollPart::None;
    if (over != hover_) {
        hover_ = over;
        update();
    }
}

void CSkinScrollBar::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    StopTimers();
    if (pressed_ == ScrollPart::Thumb && target_)
        target_->setSliderDown(false); // settles the position
    pressed_ = ScrollPart::None;
    update();
}

void CSkinScrollBar::leaveEvent(QEvent* event)
{
    hover_ = ScrollPart::None;
    update();
    QWidget::leaveEvent(event);
}

void CSkinScrollBar::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == repeatTimer_.timerId()) {
        repeatTimer_.start(kScrollRepeatIntervalMs, this);
        RepeatTick();
    } else {
        QWidget::timerEvent(event);
    }
}

CSkinScrollWnd::CSkinScrollWnd(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("SkinScrollBarFrame"));
}

CSkinScrollWnd* CSkinScrollWnd::Wrap(QAbstractScrollArea* target, const QImage& skin)
{
    auto* frame = new CSkinScrollWnd(target->parentWidget());
    frame->setGeometry(target->geometry());
    frame->limit_ = new QWidget(frame);
    frame->limit_->setObjectName(QStringLiteral("LIMIT"));
    frame->target_ = target;
    target->setParent(frame->limit_);
    target->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    target->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frame->vertical_ = new CSkinScrollBar(Qt::Vertical, frame);
    frame->vertical_->setObjectName(QStringLiteral("100"));
    frame->horizontal_ = new CSkinScrollBar(Qt::Horizontal, frame);
    frame->horizontal_->setObjectName(QStringLiteral("101"));
    for (CSkinScrollBar* bar : {frame->vertical_, frame->horizontal_})
        bar->SetSkin(skin);
    frame->vertical_->SetTarget(target->verticalScrollBar());
    frame->horizontal_->SetTarget(target->horizontalScrollBar());
    for (QScrollBar* bar : {target->verticalScrollBar(), target->horizontalScrollBar()})
        connect(bar, &QAbstractSlider::rangeChanged, frame, &CSkinScrollWnd::Relayout);
    frame->Relayout();
    frame->sync_.start(kScrollSyncIntervalMs, frame);
    frame->show();
    target->show();
    return frame;
}

void CSkinScrollWnd::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Relayout();
}

void CSkinScrollWnd::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != sync_.timerId()) {
        QWidget::timerEvent(event);
        return;
    }
    Relayout();
    vertical_->update();
    horizontal_->update();
}

void CSkinScrollWnd::Relayout()
{
    if (!target_)
        return;
    const QScrollBar* v = target_->verticalScrollBar();
    const QScrollBar* h = target_->horizontalScrollBar();
    const bool showV = v->maximum() > v->minimum();
    const bool showH = h->maximum() > h->minimum();
    const int vThick = showV ? vertical_->Thickness() : 0;
    const int hThick = showH ? horizontal_->Thickness() : 0;
    limit_->setGeometry(0, 0, width() - vThick, height() - hThick);
    target_->setGeometry(limit_->rect());
    vertical_->setGeometry(width() - vThick, 0, vThick, height() - hThick);
    horizontal_->setGeometry(0, height() - hThick, width() - vThick, hThick);
    vertical_->setVisible(showV);
    horizontal_->setVisible(showH);
}

} // namespace lumeno
