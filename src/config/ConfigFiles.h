#pragma once
// The configuration files of the profiles ("config%d.bin": one flag byte and
// the image) and the data directory that holds them.
#include "config/ConfigImage.h"

#include <filesystem>

namespace lumeno {

struct ProfileStore;
class PlatformPaths;

inline constexpr char kDataFolderName[] = "Lumeno-KV580 Pro";
inline constexpr char kMacroLibraryFile[] = "record.ini";
inline constexpr char kProfileListFile[] = "str.ini";
inline constexpr char kBaseConfigFile[] = "config.bin";
// One flag byte, then the image.
inline constexpr size_t kConfigFileSize = 1 + kConfigImageSize;

// "<user config folder>/Lumeno-KV580 Pro/", or empty (working directory) when
// the user's folder is unknown.
std::filesystem::path DataDirectory(const PlatformPaths& platform);

// Creates the data directory when it is missing. False when it cannot be made.
bool EnsureDataDirectory(ProfileStore& ctx);

std::filesystem::path ConfigFileName(int profileNumber);   // "config%d.bin"
std::filesystem::path SettingsFileName(int profileNumber); // "str%d.ini"

enum class ConfigLoad {
    NoProfileList, // no valid "ItemCount": nothing was read
    Loaded,        // the configuration file was read (or reported missing)
};

// Chooses the current profile's files and reads its configuration file into
// the image. The macros in the image are those of the file; the profile load
// of the flows encodes the library over them.
ConfigLoad LoadConfigFile(ProfileStore& ctx);

// Points the current files at "config.bin" and "str.ini" and reads
// "config.bin" into the image; the macros are not reloaded.
void LoadBaseConfiguration(ProfileStore& ctx);

// Writes flag byte and image to "config%d.bin" of currentProfileNumber and
// points the current settings file at "str%d.ini". False when it failed; the
// previous file is then unchanged.
bool SaveConfigFile(ProfileStore& ctx);

// Start-up only, after LoadConfigFile: factory defaults and a save for a
// profile not yet marked initialised ("IsDefault" "N" or empty). True when
// it gave the profile the factory defaults.
bool RunFirstRunInitialisation(ProfileStore& ctx);

} // namespace lumeno
