#pragma once
// Skinned scroll bars. CSkinScrollBar draws one bar from the 9 x 3 skin grid
// (see ScrollBarModel.h) and drives a QScrollBar that holds the real scroll
// state: arrows and track send single and page steps at once and repeat
// after 500 ms every 100 ms while held over the same part; dragging the
// thumb tracks the position and settles it on release.
// CSkinScrollWnd wraps a scroll area in a frame ("SkinScrollBarFrame") with
// a "LIMIT" child holding the area and the two skinned bars; the area's own
// bars stay hidden.
#include "ui/ScrollBarModel.h"

#include <QBasicTimer>
#include <QImage>
#include <QPointer>
#include <QScrollBar>
#include <QWidget>

#include <chrono>
#include <functional>

class QAbstractScrollArea;

namespace lumeno {

class CSkinScrollBar : public QWidget {
    Q_OBJECT
public:
    CSkinScrollBar(Qt::Orientation orientation, QWidget* parent = nullptr);

    void SetSkin(const QImage& skin);
    void SetTarget(QScrollBar* target);
    QScrollBar* Target() const { return target_; }
    bool IsVertical() const { return orientation_ == Qt::Vertical; }
    int Thickness() const;
    ScrollBarLayout Layout() const;
    ScrollPart PressedPart() const { return pressed_; }

    // The clock of the repeats; a steady clock unless a test gives its own.
    using Clock = std::function<std::chrono::milliseconds()>;
    void SetClock(Clock clock) { clock_ = std::move(clock); }
    // Sends the repeats that are due while a part is held; the widget's
    // timer calls it.
    void RepeatTick();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    int Along(const QPointF& p) const;
    void SendCommand(ScrollPart part);
    void StopTimers();

    Qt::Orientation orientation_;
    QImage skin_;
    ScrollSkinGrid grid_;
    QPointer<QScrollBar> target_;
    ScrollPart hover_ = ScrollPart::None;
    ScrollPart pressed_ = ScrollPart::None;
    int pointerAlong_ = -1;
    int dragGrabOffset_ = 0;
    ScrollRepeat repeat_;
    QBasicTimer repeatTimer_;
    Clock clock_;
};

class CSkinScrollWnd : public QWidget {
    Q_OBJECT
public:
    // Puts the frame where the area was, under the same parent, and moves the
    // area into it. The frame owns the area from then on.
    static CSkinScrollWnd* Wrap(QAbstractScrollArea* target, const QImage& skin);

    CSkinScrollBar* VerticalBar() const { return vertical_; }
    CSkinScrollBar* HorizontalBar() const { return horizontal_; }
    QAbstractScrollArea* Target() const { return target_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    explicit CSkinScrollWnd(QWidget* parent);
    void Relayout();

    QBasicTimer sync_; // keeps the bars in step with page-size changes no signal reports

    QAbstractScrollArea* target_ = nullptr;
    QWidget* limit_ = nullptr;
    CSkinScrollBar* vertical_ = nullptr;
    CSkinScrollBar* horizontal_ = nullptr;
};

} // namespace lumeno
