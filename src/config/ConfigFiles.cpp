#include "config/ConfigFiles.h"

#include "config/ProfileList.h"
#include "config/ProfileSettings.h"
#include "config/ProfileStore.h"
#include "platform/DebugOutput.h"
#include "platform/FileStore.h"
#include "platform/PlatformPaths.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <system_error>

namespace lumeno {

namespace {

constexpr uint8_t kFirstRunFlagWritten = 1;

void RebuildDataPaths(ProfileStore& ctx)
{
    ctx.paths.dataDirectory = DataDirectory(ctx.platform);
    ctx.paths.macroLibrary = ctx.paths.dataDirectory / kMacroLibraryFile;
    ctx.paths.profileList = ctx.paths.dataDirectory / kProfileListFile;
}

void PointAtProfile(ProfileStore& ctx, int number)
{
    ctx.paths.currentConfigFile = ctx.paths.dataDirectory / ConfigFileName(number);
    ctx.paths.currentSettingsFile = ctx.paths.dataDirectory / SettingsFileName(number);
}

// Reads flag byte and image from the current configuration file; a short
// file fills only the first bytes of the image. A file refused for what it
// is (not a regular file, or far larger than a configuration file) is taken
// as missing.
void ReadCurrentConfigFile(ProfileStore& ctx)
{
    const FileRead read = ctx.files.ReadFile(ctx.paths.currentConfigFile, kMaxDataFileBytes);
    if (read.state != FileState::Present) {
        if (read.state == FileState::Unreadable)
            DebugPrintf(ctx.debug, "File %s not read, taken as missing: %s", ctx.paths.currentConfigFile.c_str(),
                        read.problem.c_str());
        ctx.debug.Write("Config file is not exist.\n");
        return;
    }
    const std::string_view bytes = read.bytes;
    const uint8_t flag = bytes.empty() ? 0 : uint8_t(bytes.front());
    const std::string_view body = bytes.substr(std::min<size_t>(bytes.size(), 1), kConfigImageSize);
    std::copy(body.begin(), body.end(), ctx.image.Bytes().begin());
    DebugPrintf(ctx.debug, "Program First Run Flag:%d\nRead Size is: %d", int(flag), int(body.size()));
}

} // namespace

std::filesystem::path DataDirectory(const PlatformPaths& platform)
{
    const auto folder = platform.UserConfigFolder();
    if (!folder)
        return {};
    return *folder / kDataFolderName / "";
}

bool EnsureDataDirectory(ProfileStore& ctx)
{
    RebuildDataPaths(ctx);
    if (ctx.paths.dataDirectory.empty())
        return true; // the working directory
    std::error_code ec;
    std::filesystem::create_directories(ctx.paths.dataDirectory, ec);
    if (ec || !std::filesystem::is_directory(ctx.paths.dataDirectory)) {
        DebugPrintf(ctx.debug, "Cannot create the data folder %s: %s", ctx.paths.dataDirectory.c_str(),
                    ec.message().c_str());
        return false;
    }
    return true;
}

std::filesystem::path ConfigFileName(int profileNumber) { return "config" + std::to_string(profileNumber) + ".bin"; }

std::filesystem::path SettingsFileName(int profileNumber) { return "str" + std::to_string(profileNumber) + ".ini"; }

ConfigLoad LoadConfigFile(ProfileStore& ctx)
{
    RebuildDataPaths(ctx);
    ctx.paths.currentSettingsFile = ctx.paths.profileList;

    if (ctx.resetInProgress) {
        ctx.paths.currentConfigFile = ctx.paths.dataDirectory / kBaseConfigFile;
    } else {
        const std::string current = ctx.ini.ReadString(ctx.paths.profileList, kProfileSection, kCurProfileNameKey);
        const int count = ParseLeadingInt(ctx.ini.ReadString(ctx.paths.profileList, kProfileSection, kItemCountKey));
        if (count < 1 || count > kMaxProfiles)
            return ConfigLoad::NoProfileList;
        for (int i = 0; i < count; ++i) {
            const std::string item = ctx.ini.ReadString(ctx.paths.profileList, kProfileSection, ItemKey(i));
            if (item == current)
                ctx.currentProfileNumber = uint8_t(i); // the last match wins
        }
        PointAtProfile(ctx, ctx.currentProfileNumber);
    }

    ReadCurrentConfigFile(ctx);
    return ConfigLoad::Loaded;
}

void LoadBaseConfiguration(ProfileStore& ctx)
{
    RebuildDataPaths(ctx);
    ctx.paths.currentConfigFile = ctx.paths.dataDirectory / kBaseConfigFile;
    ctx.paths.currentSettingsFile = ctx.paths.profileList;
    ReadCurrentConfigFile(ctx);
}

void LoadPositionConfigFile(ProfileStore& ctx, int position)
{
    RebuildDataPaths(ctx);
    PointAtProfile(ctx, position);
    ReadCurrentConfigFile(ctx);
}

bool SaveConfigFile(ProfileStore& ctx)
{
    RebuildDataPaths(ctx);
    PointAtProfile(ctx, ctx.currentProfileNumber);

    std::array<uint8_t, kConfigFileSize> file{};
    file[0] = kFirstRunFlagWritten;
    std::copy(ctx.image.Bytes().begin(), ctx.image.Bytes().end(), file.begin() + 1);
    if (const int error = ctx.files.ReplaceAtomically(ctx.paths.currentConfigFile, file); error != 0) {
        DebugPrintf(ctx.debug, "Error Code is: %d \n", error);
        return false;
    }
    DebugPrintf(ctx.debug, "Data num:%d BYTE -%d BYTE\n Struct size:%d BYTE", 1, int(kConfigImageSize),
                int(kConfigImageSize));
    return true;
}

bool RunFirstRunInitialisation(ProfileStore& ctx)
{
    const std::filesystem::path settings = ctx.paths.currentSettingsFile;
    const std::string marker = ctx.ini.ReadString(settings, kProfileSection, kIsDefaultKey);
    const bool initialise = marker == "N" || marker.empty();
    if (initialise)
        LoadFactoryDefaults(ctx.image);
    ctx.ini.WriteString(settings, kProfileSection, kIsDefaultKey, "Y");
    if (initialise)
        SaveConfigFile(ctx);
    return initialise;
}

} // namespace lumeno
