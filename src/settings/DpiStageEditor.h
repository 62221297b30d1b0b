#pragma once
// The rules of the DPI pane: seven stages, each with a resolution in two
// encodings, an on/off flag and a colour, edited in the image in place.
//
// 50-step code b:  DPI = b x 50 for b <= 144, (b - 72) x 100 for 145..180
//                  (50..7200 in steps of 50, then 7300..10800 in steps of 100)
// 100-step code b: DPI = b x 100, 100..12000; the only one the mouse receives
//
// The pane shows and edits one encoding at a time: 50-step until the mouse
// has been found, 100-step from then on. Each change the editor reports as
// "apply due" is followed by the pane's request to write the DPI group.
#include "config/ConfigImage.h"
#include "settings/PaneRect.h"

#include <optional>
#include <string>
#include <string_view>

namespace lumeno {

inline constexpr int kDpiSliderIdBase = 2027; // stage k: 2027 + k
inline constexpr int kDpiEntryIdBase = 1148;  // stage k: 1148 + k
inline constexpr int kDpiSwatchIdBase = 71;   // stage k: 71 + k
inline constexpr int kDpiEntryMaxLength = 5;

inline constexpr int kDpiCodeMinimum = 1;
inline constexpr int kDpiCode100Maximum = 120; // 12000 DPI
inline constexpr int kDpiCode50Maximum = 180;  // 10800 DPI
inline constexpr int kDpiCode50Last50Step = 144;

// Stage 1's controls in pane pixels; stage k lies k * 30 px further right.
inline constexpr int kDpiStageStride = 30;
inline constexpr PaneRect kDpiSliderRect{25, 3, 32, 173};
inline constexpr PaneRect kDpiEntryRect{20, 179, 45, 196};
inline constexpr PaneRect kDpiValueRect{20, 182, 45, 193};
inline constexpr PaneRect kDpiToggleRect{25, 202, 35, 211};
inline constexpr PaneRect kDpiSwatchRect{25, 215, 35, 225};
constexpr PaneRect DpiStageRect(const PaneRect& first, int stage) { return first.Shifted(stage * kDpiStageStride); }

int DpiOfCode50(int code);
int DpiOfCode100(int code);
// A typed DPI value as a code, clamped into the encoding's range.
int Code50OfDpi(int dpi);
int Code100OfDpi(int dpi);
// The leading decimal digits of a text as a number; no digits give 0.
int LeadingNumber(std::string_view text);

class DpiStageEditor {
public:
    DpiStageEditor(ConfigImage& image, const ConfigImage& snapshot) : image_(image), snapshot_(snapshot) {}

    bool HundredStepMode() const { return hundredStep_; }
    void SetStepMode(bool hundredStep) { hundredStep_ = hundredStep; }
    // The sliders' range maximum in the current mode (the minimum is 1).
    int SliderMaximum() const { return hundredStep_ ? kDpiCode100Maximum : kDpiCode50Maximum; }

    // The stage's code in the current encoding, as stored.
    int StageCode(int stage) const;
    // The DPI the pane shows for a stage, from the image.
    int ShownDpi(int stage) const;
    bool StageEnabled(int stage) const { return image_.stageEnabled[stage] != 0; }

    // A slider was released at a position: the stage takes it (and is
    // switched on). Any open entry is dropped. Apply due.
    void SliderReleased(int stage, int position);
    // Flips a stage on or off; all seven may be off. Apply due.
    void ToggleStage(int stage);
    // Only an enabled stage's colour can be chosen.
    bool ColourChoosable(int stage) const { return StageEnabled(stage); }
    // Apply due.
    void SetColour(int stage, Rgb colour) { image_.stageColor[stage] = colour; }

    // The entry box of a stage opens with the value of the snapshot (what
    // the mouse was last sent); returns that text.
    std::string OpenEntry(int stage);
    int OpenEntryStage() const { return openEntry_; }
    // Forgets the open entry without committing it.
    void CloseEntry() { openEntry_ = -1; }

    struct Commit {
        int code = 0;     // the stage's new code, also the slider's position
        std::string text; // the box's text rewritten as the new code's DPI
    };
    // The box text of a stage, committed by the current mode: nothing when
    // it equals the last accepted text (of whichever stage); otherwise it
    // becomes the last accepted text and its number, clamped, the stage's
    // code. An engaged result means apply due.
    std::optional<Commit> CommitEntry(int stage, std::string_view text);
    const std::string& LastAcceptedText() const { return lastAccepted_; }

private:
    ConfigImage& image_;
    const ConfigImage& snapshot_;
    bool hundredStep_ = false;
    int openEntry_ = -1;
    std::string lastAccepted_;
};

} // namespace lumeno
