#pragma once
// The skinned sliders: CDMarker (horizontal) and CDMarkerV (vertical). A
// slider paints its empty track over the whole control and the filled track
// over the part its position covers; on button release it tells its parent
// the new position with sliderReleased(position, identifier). Positions
// follow the control's current geometry: a parent may move and resize it
// after Create.
#include "ui/SliderModel.h"

#include <QImage>
#include <QWidget>

namespace lumeno {

class CDMarkerBase : public QWidget {
    Q_OBJECT
public:
    // rect: the control's first place in the parent's client coordinates.
    void Create(const QRect& rect, int identifier);
    int Identifier() const { return id_; }

    void SetRange(int minimum, int maximum);
    void SetPos(int value);          // clamped into the range
    void SetPosOrMinimum(int value); // refresh form: out of range gives the minimum
    int GetPos() const { return model_.Pos(); }
    bool IsDragging() const { return model_.Dragging(); }
    // The model's rectangle is the control's geometry at its last input or paint.
    const SliderModel& Model() const { return model_; }

    // Tracks as cut from their skin images (RegionCopy), drawn at the control's origin.
    void SetTrackImages(const QImage& empty, const QImage& filled);

signals:
    void sliderReleased(int position, int identifier);

protected:
    CDMarkerBase(SliderOrientation orientation, QWidget* parent);

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // Gives the model the control's current place.
    void TakeGeometry();
    int CoordinateInParent(const QPointF& local) const;

    SliderModel model_;
    int id_ = 0;
    QImage empty_;
    QImage filled_;
};

class CDMarker : public CDMarkerBase {
    Q_OBJECT
public:
    explicit CDMarker(QWidget* parent = nullptr) : CDMarkerBase(SliderOrientation::Horizontal, parent) {}
};

class CDMarkerV : public CDMarkerBase {
    Q_OBJECT
public:
    explicit CDMarkerV(QWidget* parent = nullptr) : CDMarkerBase(SliderOrientation::Vertical, parent) {}
};

} // namespace lumeno
