#pragma once
// The wheel pane's rules over the image's wheelPageMode and wheelLines:
// the up and down arrows (lines mode only), the two radios, and the lines
// box, which shows "0" and is disabled in page mode. Every left click in
// the pane, even on nothing, ends in an apply request; typing makes none.
#include <string>
#include <string_view>

namespace lumeno {

struct ConfigImage;

// Hit areas in pane coordinates: left, top, right, bottom (right and bottom
// outside).
struct PaneRect {
    int left, top, right, bottom;
    constexpr bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};
inline constexpr PaneRect kWheelUpArrow{190, 15, 200, 21};
inline constexpr PaneRect kWheelDownArrow{190, 23, 200, 29};
inline constexpr PaneRect kWheelLinesRadio{5, 17, 16, 30};
inline constexpr PaneRect kWheelPageRadio{5, 50, 16, 62};
inline constexpr PaneRect kWheelLinesLabel{24, 14, 156, 30};
inline constexpr PaneRect kWheelPageLabel{24, 50, 156, 62};
inline constexpr PaneRect kWheelLinesBox{150, 15, 186, 29};
inline constexpr int kWheelMinLines = 1;
inline constexpr int kWheelMaxLines = 100;

class WheelSpeedModel {
public:
    explicit WheelSpeedModel(ConfigImage& image) : image_(image) {}

    bool PageMode() const;
    // What the lines box shows, and whether it takes input.
    std::string BoxText() const;
    bool BoxEnabled() const { return !PageMode(); }

    // A left click at (x, y): arrows, then radios. Always ends in an apply
    // request (the caller makes it).
    void Click(int x, int y);

    // The box's text changed to text: a value 1..100 is stored; anything
    // else (0, over 100, empty, not a number) stores 1 and returns the "1"
    // the box is to show instead. Returns empty when the text stands.
    std::string Typed(std::string_view text);

private:
    ConfigImage& image_;
};

} // namespace lumeno
