#pragma once
// The position rules of the skinned sliders (CDMarker, CDMarkerV). The
// control's rectangle is in its parent's client coordinates, right and
// bottom exclusive; mouse coordinates are given in the same space.
//
// Vertical:   position = min + (max - min) * (bottom - y) / (bottom - top)
// Horizontal: position = min + (max - min) * (x - left) / (right - left)
// both with integer division and clamped into min..max. The filled part of
// the track is extent * (position - min) / (max - min - 1), capped at the
// extent, so the track looks full one step before the maximum, and the
// maximum itself is reached only at the far end.
#include <optional>

namespace lumeno {

enum class SliderOrientation { Horizontal, Vertical };

struct SliderRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

class SliderModel {
public:
    SliderModel(SliderOrientation orientation, SliderRect rect);

    SliderOrientation Orientation() const { return orientation_; }
    const SliderRect& Rect() const { return rect_; }
    void SetRect(SliderRect rect) { rect_ = rect; }

    // A reversed range is taken in order; the position is clamped into it.
    void SetRange(int minimum, int maximum);
    int Minimum() const { return min_; }
    int Maximum() const { return max_; }

    // Values below the minimum give the minimum, above the maximum the maximum.
    void SetPos(int value);
    // The refresh form: any value outside the range puts the slider at the minimum.
    void SetPosOrMinimum(int value);
    int Pos() const { return pos_; }

    void SetEnabled(bool enabled);
    bool Enabled() const { return enabled_; }
    bool Dragging() const { return dragging_; }

    // Button down on the control: starts a drag when enabled.
    bool Press();
    // Mouse move; x for horizontal, y for vertical. True when the position changed.
    bool Move(int coordinate);
    // Button up: ends the drag and gives the position to announce; nullopt when
    // no drag was running.
    std::optional<int> Release(int coordinate);
    // Capture or focus lost: ends the drag without an announcement.
    void CancelDrag() { dragging_ = false; }

    // Position for a mouse coordinate (clamped as a move clamps it).
    int PositionAt(int coordinate) const;
    // Pixels of the filled track, measured from the left or from the bottom.
    int FilledExtent() const;

private:
    int Extent() const;
    int Clamp(int value) const;

    SliderOrientation orientation_;
    SliderRect rect_;
    int min_ = 0;
    int max_ = 100;
    int pos_ = 0;
    bool enabled_ = true;
    bool dragging_ = false;
};

} // namespace lumeno
