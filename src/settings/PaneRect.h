#pragma once
// A rectangle in a pane's client pixels, right and bottom exclusive (a point
// on the right or bottom edge is outside).
namespace lumeno {

struct PaneRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    constexpr PaneRect Shifted(int dx) const { return {left + dx, top, right + dx, bottom}; }
    friend constexpr bool operator==(const PaneRect&, const PaneRect&) = default;
};

} // namespace lumeno
