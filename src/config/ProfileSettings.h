#pragma once
// The per-profile settings file "str%d.ini": button captions per language,
// the interface language and the first-use marker.
#include "config/IniKeys.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace lumeno {

struct ProfileStore;

// "Setting-EN", "Setting-DE", "Setting-CHS", "Setting-CHT"; empty for any
// other code (then no captions are found).
std::string CaptionSectionName(std::string_view languageCode);

// Reads "Item1".."Item7" of the language's caption section into the captions.
void LoadProfileSettings(ProfileStore& ctx, const std::filesystem::path& settingsFile);
// Writes the seven captions; the file is created when missing. False when a
// write failed.
bool SaveCaptions(ProfileStore& ctx, const std::filesystem::path& settingsFile);

// Key "PointerSettings" of section "Profile" of the current settings file:
// whether the profile's pointer values may go to the desktop, and marking
// them so (false when the file could not be written).
bool PointerSettingsMarked(ProfileStore& ctx);
bool MarkPointerSettings(ProfileStore& ctx);

// Start-up: key "Lan" of section "Skins" of the current settings file.
std::string ReadLanguageCode(ProfileStore& ctx);

} // namespace lumeno
