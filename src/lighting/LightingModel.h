#pragma once
// The rules of a lighting pane: effect selection, the click and double-click
// rules over the radios and swatches, and the level sliders. One model
// serves the mouse pane and the pad pane; a LightingFields names the image
// fields it edits, the rows it shows and whether a change is sent to the
// mouse.
//
// Geometry (pane client pixels, right and bottom exclusive):
//   radio of row r   (10, 20 + 29 r)-(20, 29 + 29 r)        r = 0..4
//   slider of row r  (100, 20 + 29 r)-(228, 28 + 29 r), range 1..6
//   swatch i         (100 + 22 i, 166)-(118 + 22 i, 183)     i = 0..5
// Swatches 0..4 show palette entries 0..4; swatch 5 is the multi-colour
// choice, which is never recoloured.
#include "config/ConfigImage.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace lumeno {

inline constexpr int kLightingLevelMin = 1;
inline constexpr int kLightingLevelMax = 6;
inline constexpr int kLightingSwatchCount = 6;
inline constexpr int kMultiColourSwatch = 5;
inline constexpr int kFirstLightingSliderId = 2037; // 2037 + n edits parameter entry n + 1
inline constexpr int kLastLightingSliderId = 2045;

// Effect numbers with a control.
inline constexpr uint8_t kEffectOff = 0;
inline constexpr uint8_t kEffectSteady = 1;
inline constexpr uint8_t kEffectBreathing = 2;
inline constexpr uint8_t kEffectNeon = 3;
inline constexpr uint8_t kEffectFingerTapping = 4;
inline constexpr uint8_t kEffectStream = 9;
inline constexpr uint8_t kLastStoredEffect = 9; // higher values are never stored

enum class LevelScale { Brightness, Speed };

// One row of the pane: a radio, its label and the slider of its effect.
struct LightingRow {
    uint8_t effect;
    int labelTextId;
    LevelScale scale;
};

struct LightingRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

// The image fields a pane edits, and what else sets the pane apart.
struct LightingFields {
    uint8_t ConfigImage::*mode;
    uint8_t (ConfigImage::*param)[10]; // entry m of effect m at index m - 1
    Rgb (ConfigImage::*palette)[kPaletteSize];
    uint8_t ConfigImage::*colorIndex;
    std::vector<LightingRow> rows; // screen order, top to bottom
    uint8_t ownRadioOfEffect8;     // the row drawn selected for effect 8; 0: none
    bool sendsToMouse;             // changes raise the lighting apply request
};

const LightingFields& MouseLightingFields();
const LightingFields& PadLightingFields();

LightingRect LightingRadioRect(int row);
LightingRect LightingSliderRect(int row);
LightingRect LightingSwatchRect(int swatch);

// How the radio of a row is drawn.
enum class RadioLook { Hidden, Selected, NotSelected };

struct LightingSlider {
    bool enabled = true;
    int position = kLightingLevelMin;
};

class LightingModel {
public:
    // applyRequest runs once per change that goes to the mouse; a pad model
    // never calls it.
    LightingModel(ConfigImage& image, const LightingFields& fields, std::function<void()> applyRequest);

    const LightingFields& Fields() const { return fields_; }
    uint8_t Effect() const;
    uint8_t ColorIndex() const;
    Rgb PaletteEntry(int entry) const;

    // The radio handler and the refresh entry point: clears parameter entry
    // 10; for e = 1..9 stores e, enables only the slider of e's row, moves
    // the multi-colour choice of the steady effect to entry 0 and sets every
    // slider from the image (a level outside 1..6 shows as 1). Always asks
    // for the lighting to be sent, even for 0 and values of 10 and above.
    void SelectEffect(int effect);

    // A left click at (x, y): the radios first (effect order 1, 2, 3, 4,
    // 5..8, 9), then the swatches the effect now in force offers.
    void LeftClick(int x, int y);
    // A double click at (x, y): the palette entry the colour chooser should
    // recolour, when the point is on swatch 0..4 in the steady or the
    // breathing effect.
    std::optional<int> DoubleClickTarget(int x, int y) const;
    // The chooser's answer for palette entry 0..4.
    void Recolour(int entry, Rgb colour);

    // A level slider was released (identifiers 2037..2045).
    void SliderReleased(int identifier, int position);

    const std::vector<LightingSlider>& Sliders() const { return sliders_; }
    RadioLook RadioOf(int row) const;
    // The swatch with the white selection frame; nullopt when the stored
    // choice has no swatch.
    std::optional<int> FramedSwatch() const;
    // Swatches a left click can choose in the current effect: 0 none, 5 or 6.
    int SelectableSwatches() const;

private:
    uint8_t& Mode() const { return image_.*(fields_.mode); }
    uint8_t* Param() const { return image_.*(fields_.param); }
    uint8_t& Index() const { return image_.*(fields_.colorIndex); }
    void RequestApply();

    ConfigImage& image_;
    const LightingFields& fields_;
    std::function<void()> applyRequest_;
    std::vector<LightingSlider> sliders_;
};

} // namespace lumeno
