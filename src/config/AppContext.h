#pragma once
// What the process holds once: the image, its snapshot, the captions, the
// language, the current profile and file paths. Passed by reference; there
// are no mutable globals.
#include "config/ConfigImage.h"
#include "config/ProfileIni.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

namespace lumeno {

class DebugOutput;
class DeviceLink;
class PlatformPaths;

inline constexpr int kCaptionCount = 7;
using ButtonCaption = std::string;

// The full paths of the data files, rebuilt on every load and save.
struct DataPaths {
    std::filesystem::path dataDirectory;     // "<config>/Lumeno-KV580 Pro/", or empty
    std::filesystem::path macroLibrary;      // record.ini
    std::filesystem::path profileList;       // str.ini
    std::filesystem::path currentConfigFile; // config%d.bin or config.bin
    std::filesystem::path currentSettingsFile; // str%d.ini or str.ini
};

struct AppContext {
    AppContext(DebugOutput& debugOutput, const PlatformPaths& platformPaths)
        : debug(debugOutput), platform(platformPaths) {}

    DebugOutput& debug;
    const PlatformPaths& platform;
    ProfileIni ini;

    ConfigImage image{};
    ConfigSnapshot snapshot{};
    std::array<ButtonCaption, kCaptionCount> captions;
    std::string languageCode; // "EN", "DE", "CHS", "CHT" or whatever the file says
    uint8_t currentProfileNumber = 0;
    bool resetInProgress = false;
    DataPaths paths;
    DeviceLink* device = nullptr; // the link to the mouse; null where there is none
};

} // namespace lumeno
