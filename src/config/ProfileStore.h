#pragma once
// The stored state of the current profile as the program holds it: the
// image, its snapshot, the captions, the language, the current profile and
// the paths of its files, with the INI engine and the file calls that read
// and write them.
#include "config/ConfigImage.h"
#include "config/ProfileIni.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

namespace lumeno {

class DebugOutput;
class FileStore;
class PlatformPaths;

using ButtonCaption = std::string;

// The full paths of the data files, rebuilt on every load and save.
struct DataPaths {
    std::filesystem::path dataDirectory;       // "<config>/Lumeno-KV580 Pro/", or empty
    std::filesystem::path macroLibrary;        // record.ini
    std::filesystem::path profileList;         // str.ini
    std::filesystem::path currentConfigFile;   // config%d.bin or config.bin
    std::filesystem::path currentSettingsFile; // str%d.ini or str.ini
};

struct ProfileStore {
    ProfileStore(DebugOutput& debugOutput, const PlatformPaths& platformPaths, FileStore& fileStore)
        : debug(debugOutput), platform(platformPaths), files(fileStore), ini(fileStore, &debugOutput)
    {
    }
    ProfileStore(const ProfileStore&) = delete;
    ProfileStore& operator=(const ProfileStore&) = delete;

    DebugOutput& debug;
    const PlatformPaths& platform;
    FileStore& files;
    ProfileIni ini;

    ConfigImage image{};
    ConfigSnapshot snapshot{};
    std::array<ButtonCaption, kButtonCount> captions;
    std::string languageCode; // "EN", "DE", "CHS", "CHT" or whatever the file says
    uint8_t currentProfileNumber = 0;
    bool resetInProgress = false;
    DataPaths paths;
};

} // namespace lumeno
