#pragma once
// The configuration image: the whole mouse configuration as one packed
// 1892-byte record. Files and device commands see the bytes; code reads the
// fields by name.
#include <cstddef>
#include <cstdint>
#include <span>

namespace lumeno {

inline constexpr int kButtonCount = 7; // programmable buttons: buttonIndex 0..6
inline constexpr int kStageCount = 7;  // DPI stages the user edits
inline constexpr int kButtonSlots = 8; // per-button arrays; indexes 0..kButtonCount-1 used
inline constexpr int kPaletteSize = 6;
inline constexpr int kMacroSlotCount = 12;
inline constexpr int kMacroSlotSize = 130;

struct Rgb {
    uint8_t red;
    uint8_t green;
    uint8_t blue;
};
static_assert(sizeof(Rgb) == 3);

//  Offset  Size  Field
//  ------  ----  ----------------------------------------------------------
//       0     1  profileIndex
//       1     4  reserved
//       5     1  reportRateCode         1,2,4,8 -> 1000/code Hz
//       6     1  reserved
//       7     8  dpiCode50[8]           stages 1..7 in 50-step codes; [7] stage-8 slot
//      15     8  dpiCode100[8]          stages 1..7 in 100-DPI units; [7] stage-8 slot
//      23     7  stageEnabled[7]
//      30     8  reserved, reserved[7]
//      38     1  reserved
//      39    21  stageColor[7]          RGB
//      60     3  reserved
//      63     1  lightingMode
//      64    10  lightingParam[10]      entry of effect m at 63+m
//      74    14  reserved
//      88    18  lightingPalette[6]     RGB
//     106     6  reserved
//     112     1  lightingColorIndex
//     113     1  padLightingMode
//     114    10  padLightingParam[10]   entry of pad effect m at 113+m
//     124    12  reserved
//     136    18  padPalette[6]          RGB
//     154     6  reserved
//     160     1  padColorIndex
//     161     1  pointerPrecision       1 = on
//     162     1  wheelPageMode
//     163     1  pointerSpeedLevel      1..11
//     164     1  wheelLines             1..100
//     165     1  doubleClickLevel       1..11
//     166     1  angleSnapValue
//     167     1  angleSnapEnabled
//     168     1  reserved
//     169     1  axisSensitivityX       1..11
//     170     1  axisSensitivityY       1..11
//     171     1  reserved
//     172     4  liftOffEnabled         little-endian 32-bit switch
//     176     1  liftOffLevel           0..6
//     177   152  button area: 19 arrays of one byte per button index
//     329  1560  macroMemory[12][130]
//    1889     3  reserved
struct ConfigImage {
    uint8_t profileIndex;
    uint8_t reserved1[4];
    uint8_t reportRateCode;
    uint8_t reserved6;
    uint8_t dpiCode50[kStageCount + 1];
    uint8_t dpiCode100[kStageCount + 1];
    uint8_t stageEnabled[kStageCount];
    uint8_t reserved30;
    uint8_t reserved31[7];
    uint8_t reserved38;
    Rgb stageColor[kStageCount];
    uint8_t reserved60[3];
    uint8_t lightingMode;
    uint8_t lightingParam[10];
    uint8_t reserved74[14];
    Rgb lightingPalette[kPaletteSize];
    uint8_t reserved106[6];
    uint8_t lightingColorIndex;
    uint8_t padLightingMode;
    uint8_t padLightingParam[10];
    uint8_t reserved124[12];
    Rgb padPalette[kPaletteSize];
    uint8_t reserved154[6];
    uint8_t padColorIndex;
    uint8_t pointerPrecision;
    uint8_t wheelPageMode;
    uint8_t pointerSpeedLevel;
    uint8_t wheelLines;
    uint8_t doubleClickLevel;
    uint8_t angleSnapValue;
    uint8_t angleSnapEnabled;
    uint8_t reserved168;
    uint8_t axisSensitivityX;
    uint8_t axisSensitivityY;
    uint8_t reserved171;
    uint8_t liftOffEnabledBytes[4]; // use LiftOffEnabled()/SetLiftOffEnabled()
    uint8_t liftOffLevel;
    uint8_t buttonFunction[kButtonSlots];
    uint8_t dpiAction[kButtonSlots];
    uint8_t reserved193[kButtonSlots];
    uint8_t consumerUsage[kButtonSlots];
    uint8_t systemShortcut[kButtonSlots];
    uint8_t reserved217[24];
    uint8_t ctrlKeyUsage[kButtonSlots];
    uint8_t keyUsage[kButtonSlots];
    uint8_t reserved257[56];
    uint8_t macroIndex[kButtonSlots];
    uint8_t macroMode[kButtonSlots];
    uint8_t macroMemory[kMacroSlotCount][kMacroSlotSize];
    uint8_t reserved1889[3];

    // The lift-off switch is one little-endian 32-bit value on any host.
    uint32_t LiftOffEnabled() const;
    void SetLiftOffEnabled(uint32_t value);

    std::span<uint8_t, 1892> Bytes();
    std::span<const uint8_t, 1892> Bytes() const;
};

inline constexpr size_t kConfigImageSize = 1892;
static_assert(sizeof(ConfigImage) == kConfigImageSize);
static_assert(alignof(ConfigImage) == 1, "the image must stay packed");
static_assert(offsetof(ConfigImage, profileIndex) == 0);
static_assert(offsetof(ConfigImage, reportRateCode) == 5);
static_assert(offsetof(ConfigImage, dpiCode50) == 7);
static_assert(offsetof(ConfigImage, dpiCode100) == 15);
static_assert(offsetof(ConfigImage, stageEnabled) == 23);
static_assert(offsetof(ConfigImage, stageColor) == 39);
static_assert(offsetof(ConfigImage, lightingMode) == 63);
static_assert(offsetof(ConfigImage, lightingParam) == 64);
static_assert(offsetof(ConfigImage, lightingPalette) == 88);
static_assert(offsetof(ConfigImage, lightingColorIndex) == 112);
static_assert(offsetof(ConfigImage, padLightingMode) == 113);
static_assert(offsetof(ConfigImage, padLightingParam) == 114);
static_assert(offsetof(ConfigImage, padPalette) == 136);
static_assert(offsetof(ConfigImage, padColorIndex) == 160);
static_assert(offsetof(ConfigImage, pointerPrecision) == 161);
static_assert(offsetof(ConfigImage, wheelPageMode) == 162);
static_assert(offsetof(ConfigImage, pointerSpeedLevel) == 163);
static_assert(offsetof(ConfigImage, wheelLines) == 164);
static_assert(offsetof(ConfigImage, doubleClickLevel) == 165);
static_assert(offsetof(ConfigImage, angleSnapValue) == 166);
static_assert(offsetof(ConfigImage, angleSnapEnabled) == 167);
static_assert(offsetof(ConfigImage, axisSensitivityX) == 169);
static_assert(offsetof(ConfigImage, axisSensitivityY) == 170);
static_assert(offsetof(ConfigImage, liftOffEnabledBytes) == 172);
static_assert(offsetof(ConfigImage, liftOffLevel) == 176);
static_assert(offsetof(ConfigImage, buttonFunction) == 177);
static_assert(offsetof(ConfigImage, dpiAction) == 185);
static_assert(offsetof(ConfigImage, consumerUsage) == 201);
static_assert(offsetof(ConfigImage, systemShortcut) == 209);
static_assert(offsetof(ConfigImage, ctrlKeyUsage) == 241);
static_assert(offsetof(ConfigImage, keyUsage) == 249);
static_assert(offsetof(ConfigImage, macroIndex) == 313);
static_assert(offsetof(ConfigImage, macroMode) == 321);
static_assert(offsetof(ConfigImage, macroMemory) == 329);
static_assert(offsetof(ConfigImage, reserved1889) == 1889);

// Same layout; holds the image as last loaded at start-up or last written to
// the mouse. DPI notices and the DPI display read from it.
using ConfigSnapshot = ConfigImage;

// Writes the factory defaults into exactly the documented byte ranges; never
// touches profileIndex, liftOffEnabled, the stage-8 slots, macroMemory or the
// bytes that have no default.
void LoadFactoryDefaults(ConfigImage& image);

void TakeSnapshot(const ConfigImage& image, ConfigSnapshot& snapshot);

// DPI of a 100-step code: code x 100.
int DpiOf100(uint8_t code);
// DPI of a 50-step code: 50-DPI steps up to 144 (7200 DPI), 100-DPI steps above.
int DpiOf50(uint8_t code);

} // namespace lumeno
