#pragma once
// The captions of the factory assignment ("Click", "Menu", "Scroll ", "Fn",
// "Snipe", "DPI +", "DPI -" in English), the texts the assignment menu gives
// those choices, and their place in the settings files: a fresh profile list
// and a profile set to the factory defaults get them in all four languages.
#include "config/ProfileStore.h"

#include <array>
#include <filesystem>
#include <string_view>

namespace lumeno {

// The languages whose caption sections a settings file can hold.
inline constexpr std::array<std::string_view, 4> kCaptionLanguages{"EN", "DE", "CHS", "CHT"};

// The factory assignment's captions in languageCode, by buttonIndex.
std::array<ButtonCaption, kButtonCount> FactoryCaptions(std::string_view languageCode);

// True when settingsFile has the caption section of languageCode (any of
// its keys "Item1".."Item7", even with an empty value).
bool HasCaptionSection(ProfileIni& ini, const std::filesystem::path& settingsFile, std::string_view languageCode);

// Writes the factory captions of each of the four languages whose section
// settingsFile lacks; an existing section is never touched. False when a
// write failed.
bool SeedFactoryCaptions(ProfileIni& ini, const std::filesystem::path& settingsFile);

} // namespace lumeno
