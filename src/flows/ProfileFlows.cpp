#include "flows/ProfileFlows.h"

#include "config/ConfigFiles.h"
#include "config/IniKeys.h"
#include "config/ProfileSettings.h"
#include "flows/AppContext.h"
#include "flows/ProfileLoad.h"
#include "flows/SaveProblem.h"
#include "platform/DebugOutput.h"
#include "platform/FileStore.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <system_error>

namespace lumeno {

namespace {

constexpr uint8_t kProfileFileFlag = 1;

// The lift-off switch is one for all profiles: whatever a flow loads, the
// switch comes back as it was.
class LiftOffKept {
public:
    explicit LiftOffKept(AppContext& ctx) : ctx_(ctx), value_(ctx.image.LiftOffEnabled()) {}
    void PutBack() { ctx_.image.SetLiftOffEnabled(value_); }

private:
    AppContext& ctx_;
    uint32_t value_;
};

// A profile whose data were just saved has its data: without the marker the
// next start would take it for uninitialised and replace them by the
// factory defaults.
void MarkInitialised(AppContext& ctx)
{
    const auto& settings = ctx.paths.currentSettingsFile;
    if (ctx.ini.ReadString(settings, kProfileSection, kIsDefaultKey) != "Y")
        ctx.ini.WriteString(settings, kProfileSection, kIsDefaultKey, "Y");
}

// WriteAll, the marker and, unless cancelled, the snapshot: the mouse now
// holds this image.
FlowResult WriteProfile(AppContext& ctx)
{
    FlowResult result = WriteAll(ctx);
    if (result.saved)
        MarkInitialised(ctx);
    if (!result.cancelled)
        TakeSnapshot(ctx.image, ctx.snapshot);
    return result;
}

bool EndsWithBin(const std::filesystem::path& file)
{
    std::string name = file.filename().string();
    if (name.size() < 4)
        return false;
    std::string tail = name.substr(name.size() - 4);
    std::transform(tail.begin(), tail.end(), tail.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return tail == kProfileFileExtension;
}

// The image of a profile file, or nullopt when the file is not one (a
// named pipe at its place is refused without waiting for a writer).
std::optional<std::array<uint8_t, kConfigFileSize>> ReadProfileFile(FileStore& files, const std::filesystem::path& file)
{
    if (!EndsWithBin(file))
        return std::nullopt;
    const FileRead read = files.ReadFile(file, kConfigFileSize);
    if (read.state != FileState::Present || read.bytes.size() != kConfigFileSize)
        return std::nullopt;
    std::array<uint8_t, kConfigFileSize> bytes{};
    std::copy(read.bytes.begin(), read.bytes.end(), bytes.begin());
    return bytes;
}

} // namespace

FlowResult SwitchProfile(AppContext& ctx, int position)
{
    if (position == ctx.profiles.activePosition)
        return {};
    LiftOffKept liftOff(ctx);
    ctx.profiles.activePosition = position;
    // A position without its file keeps the image it had: the data of the
    // profile that was active become its own (a copy is made so).
    LoadPositionConfigFile(ctx, position);
    ctx.image.profileIndex = uint8_t(position);
    LoadProfileSettings(ctx, ctx.paths.currentSettingsFile);
    liftOff.PutBack();
    ctx.currentProfileNumber = uint8_t(position);
    return WriteProfile(ctx);
}

FlowResult InitialiseNewProfile(AppContext& ctx, int position)
{
    LiftOffKept liftOff(ctx);
    ctx.profiles.activePosition = position;
    ctx.resetInProgress = true;
    LoadBaseConfiguration(ctx);
    LoadFactoryDefaults(ctx.image);
    ctx.image.profileIndex = uint8_t(position);
    LoadProfileSettings(ctx, ctx.paths.currentSettingsFile); // "str.ini"
    ctx.resetInProgress = false;
    liftOff.PutBack();
    ctx.currentProfileNumber = uint8_t(position);
    return WriteProfile(ctx);
}

bool CloseRequestWrites(const ProfileListModel::CloseRequest& request)
{
    return request.action == ProfileAction::SwitchAndInitialise ||
           request.commit.position != request.commit.activePosition;
}

bool IsProfileFile(FileStore& files, const std::filesystem::path& file)
{
    return ReadProfileFile(files, file).has_value();
}

ProfileCloseResult CloseProfilePane(AppContext& ctx, const ProfileListModel::CloseRequest& request)
{
    ProfileCloseResult result;
    result.list = WriteProfileList(ctx, ctx.profiles, request.commit);
    if (result.list == ProfileListWrite::Failed || result.list == ProfileListWrite::Interrupted) {
        result.flow.saved = false;
        result.flow.problem = SaveProblem{DataDirectory(ctx.platform) / kProfileListFile, SaveProblemKind::Other, 0};
        const SaveProblem diagnosed = DiagnoseSaveFailure(ctx);
        if (diagnosed.error != 0)
            result.flow.problem = diagnosed;
        return result;
    }
    const int position = request.commit.position;
    if (SwitchSkippedAfterImport(ctx.profiles, request.action, position))
        return result;
    if (request.action == ProfileAction::SwitchAndInitialise) {
        result.flow = InitialiseNewProfile(ctx, position);
        result.wrote = true;
    } else if (position != ctx.profiles.activePosition) {
        result.flow = SwitchProfile(ctx, position);
        result.wrote = true;
    }
    return result;
}

std::filesystem::path ExportFileName(const std::filesystem::path& chosen)
{
    if (EndsWithBin(chosen))
        return chosen;
    std::filesystem::path file = chosen;
    file += kProfileFileExtension;
    return file;
}

std::filesystem::path CompanionFileName(const std::filesystem::path& profileFile)
{
    std::filesystem::path companion = profileFile;
    if (EndsWithBin(companion))
        companion.replace_extension(kProfileCompanionExtension);
    else
        companion += kProfileCompanionExtension;
    return companion;
}

std::filesystem::path TransferStartPath(const AppContext& ctx, const std::filesystem::path& home)
{
    const std::filesystem::path folder =
        ctx.profiles.lastTransferFolder.empty() ? home : ctx.profiles.lastTransferFolder;
    return folder / ConfigFileName(ctx.currentProfileNumber);
}

TransferResult ImportProfile(AppContext& ctx, int position, const std::filesystem::path& file)
{
    TransferResult result;
    result.file = file;
    const auto bytes = ReadProfileFile(ctx.files, file);
    if (!bytes) {
        ctx.profiles.importPending = false;
        DebugPrintf(ctx.debug, "Not a profile file: %s\n", file.c_str());
        result.problem = TransferProblem::NotAProfileFile;
        return result;
    }
    ctx.profiles.lastTransferFolder = file.parent_path();
    ctx.profiles.importPending = true;
    LiftOffKept liftOff(ctx);
    std::copy(bytes->begin() + 1, bytes->end(), ctx.image.Bytes().begin()); // byte 0 is the flag, ignored
    LoadProfileSettings(ctx, CompanionFileName(file));
    // The imported data are the position's own from now on: a "new" mark
    // would have the next close replace them by the factory defaults.
    ctx.currentProfileNumber = uint8_t(position);
    ctx.profiles.activePosition = position;
    if (position >= 0 && position < kMaxProfiles)
        ctx.profiles.newFlags[size_t(position)] = false;
    liftOff.PutBack();
    result.flow = WriteProfile(ctx);
    result.wrote = true;
    return result;
}

TransferResult ExportProfile(AppContext& ctx, const std::optional<std::filesystem::path>& file)
{
    TransferResult result;
    LiftOffKept liftOff(ctx);
    if (file) {
        result.file = ExportFileName(*file);
        ctx.profiles.lastTransferFolder = result.file.parent_path();
        const bool captions = SaveCaptions(ctx, CompanionFileName(result.file));
        std::array<uint8_t, kConfigFileSize> bytes{};
        bytes[0] = kProfileFileFlag;
        std::copy(ctx.image.Bytes().begin(), ctx.image.Bytes().end(), bytes.begin() + 1);
        const int error = ctx.files.ReplaceAtomically(result.file, bytes);
        if (error != 0)
            DebugPrintf(ctx.debug, "Error Code is: %d \n", error);
        if (error != 0 || !captions)
            result.problem = TransferProblem::NotWritten;
    }
    LoadProfile(ctx);
    ApplyFirstUseRule(ctx);
    liftOff.PutBack();
    result.flow = WriteProfile(ctx);
    result.wrote = true;
    return result;
}

void ApplyFirstUseRule(AppContext& ctx)
{
    const auto settings = ctx.paths.currentSettingsFile;
    const bool initialise = ctx.ini.ReadString(settings, kProfileSection, kIsDefaultKey) == "N";
    LiftOffKept liftOff(ctx);
    if (initialise)
        LoadFactoryDefaults(ctx.image);
    ctx.ini.WriteString(settings, kProfileSection, kIsDefaultKey, "Y");
    if (initialise)
        SaveConfigFile(ctx);
    liftOff.PutBack();
}

} // namespace lumeno
