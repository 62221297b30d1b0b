#include "LightingWords.h"

#include <algorithm>
#include <cstdio>

namespace lumeno {

namespace {

constexpr uint8_t kAllColours = 7;
constexpr int kBrightnessStep = 8; // brightness byte per level
constexpr int kPercentPerLevel = 25;
constexpr int kTopSpeedLevel = 5;

struct NamedColour {
    uint8_t red, green, blue;
    const char* name;
};

constexpr NamedColour kNamedColours[] = {
    {0, 0, 0, "black"},    {255, 0, 0, "red"},  {255, 255, 0, "yellow"},  {0, 255, 0, "green"},
    {0, 255, 255, "cyan"}, {0, 0, 255, "blue"}, {255, 0, 255, "magenta"}, {255, 255, 255, "white"},
};

constexpr const char* kPatterns[] = {"steady", "breathing", "neon", "finger tapping", "stream"};

std::string SpeedWords(uint8_t code)
{
    // (6 - level) x 2 for levels 0..5.
    if (code % 2 != 0 || code > 12)
        return "speed code " + std::to_string(code);
    return "speed " + std::to_string(6 - code / 2) + " of " + std::to_string(kTopSpeedLevel);
}

std::string BrightnessWords(uint8_t value)
{
    const int percent = std::clamp((int(value) - kBrightnessStep) * kPercentPerLevel / kBrightnessStep, 0, 100);
    return "brightness " + std::to_string(percent) + "%";
}

} // namespace

std::string ColourWords(std::span<const uint8_t, 3> colour)
{
    char hex[8];
    std::snprintf(hex, sizeof hex, "#%02x%02x%02x", colour[0], colour[1], colour[2]);
    for (const auto& named : kNamedColours)
        if (named.red == colour[0] && named.green == colour[1] && named.blue == colour[2])
            return std::string(named.name) + " (" + hex + ")";
    return hex;
}

std::string LightingWords(std::span<const uint8_t, 6> effect, std::span<const uint8_t, 3> colour)
{
    if (std::all_of(effect.begin(), effect.end(), [](uint8_t b) { return b == 0; }))
        return "off";
    const uint8_t pattern = effect[0];
    if (pattern >= std::size(kPatterns))
        return "unknown effect " + std::to_string(pattern);
    std::string words = std::string(kPatterns[pattern]) + ", ";
    words += effect[1] == kAllColours ? std::string("all colours") : ColourWords(colour);
    words += ", ";
    words += pattern == 0 ? BrightnessWords(effect[2]) : SpeedWords(effect[3]);
    return words;
}

std::string LightingShown(const VirtualMouseState& state)
{
    return LightingWords(state.lightingEffect, std::span(state.lightingBlock).first<3>());
}

} // namespace lumeno
