#pragma once
// The text of the balloon shown when the user switches the DPI stage with a
// button on the mouse.
#include "config/ConfigImage.h"

#include <array>
#include <optional>
#include <string>

namespace lumeno {

inline constexpr int kNoticeStages = 8;

// stageTexts: the eight localised "Switch DPI into the ... stage " texts.
// Gives stage text + "(" + DPI of that stage in the snapshot + ")"; stage 7
// reads the snapshot's stage-8 slot. nullopt for a stage above 7: the
// balloon then keeps its previous text.
std::optional<std::string> DpiNoticeText(const std::array<std::string, kNoticeStages>& stageTexts,
                                         const ConfigSnapshot& snapshot, int stage);

} // namespace lumeno
