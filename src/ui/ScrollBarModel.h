#pragma once
#include <chrono>
#include <optional>
// Geometry of the skinned scroll bars: the skin bitmap is a grid of 9
// columns and 3 rows; the vertical bar takes columns 0..3 (first arrow,
// second arrow, thumb, track), the horizontal bar columns 4..7 in the same
// order, and column 8 holds the corner between two bars. Rows are the
// normal, hover and pressed looks. The bar is one cell thick.
namespace lumeno {

inline constexpr int kScrollSkinColumns = 9;
inline constexpr int kScrollSkinRows = 3;
inline constexpr int kScrollRepeatDelayMs = 500; // before a held arrow or track repeats
inline constexpr int kScrollRepeatIntervalMs = 100;
inline constexpr int kScrollSyncIntervalMs = 500; // frame keeps the bars in step
inline constexpr int kScrollMinimumThumb = 8;

enum class ScrollPart { None, FirstArrow, SecondArrow, Thumb, TrackBefore, TrackAfter };
enum class ScrollPartLook { Normal = 0, Hover = 1, Pressed = 2 };

struct CellRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const CellRect&, const CellRect&) = default;
};

struct ScrollSkinGrid {
    int cellWidth = 0;
    int cellHeight = 0;

    static ScrollSkinGrid ForBitmap(int width, int height)
    {
        return {width / kScrollSkinColumns, height / kScrollSkinRows};
    }
    // The cell of a part (FirstArrow, SecondArrow, Thumb or the track) for a bar.
    CellRect Cell(bool vertical, ScrollPart part, ScrollPartLook look) const;
    CellRect Corner() const { return {8 * cellWidth, 0, cellWidth, cellHeight}; }
    int Thickness(bool vertical) const { return vertical ? cellWidth : cellHeight; }
};

// Where the parts of one bar lie along its length, for a scroll range
// minimum..maximum with a page size and a value (the Qt and Win32 meaning:
// the last reachable value is maximum).
struct ScrollBarLayout {
    int length = 0;      // whole bar, arrows included
    int arrow = 0;       // length of each arrow
    int thumbStart = 0;  // from the bar's start
    int thumbLength = 0; // 0 when the range is empty: no thumb

    static ScrollBarLayout Compute(int length, int arrow, int minimum, int maximum, int page, int value);
    ScrollPart HitTest(int offset) const;
    // The value for a thumb whose start has been dragged to thumbStartOffset.
    int ValueForThumbStart(int thumbStartOffset, int minimum, int maximum) const;
};

// When a held arrow or track part steps again: first after the delay, then
// at every interval, on the clock the caller gives.
class ScrollRepeat {
public:
    // The press; its own step is the caller's.
    void Start(std::chrono::milliseconds now) { next_ = now + std::chrono::milliseconds(kScrollRepeatDelayMs); }
    void Stop() { next_.reset(); }
    bool Active() const { return next_.has_value(); }
    // The steps due by now (more than one when ticks came late).
    int StepsDue(std::chrono::milliseconds now);

private:
    std::optional<std::chrono::milliseconds> next_;
};

} // namespace lumeno
