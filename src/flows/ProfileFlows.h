#pragma once
// The profile flows: making a position current (SwitchProfile), making it
// current as a new profile (InitialiseNewProfile), what closing the profile
// pane runs, and moving a profile to and from a file (ImportProfile,
// ExportProfile) with the first-use rule. Each runs on the device worker and
// ends with WriteAll and the snapshot; the lift-off switch is the same for
// every profile and survives them all.
#include "config/ProfileList.h"
#include "config/ProfileListFile.h"
#include "flows/WriteFlows.h"

#include <filesystem>
#include <optional>

namespace lumeno {

class FileStore;
struct AppContext;

// Loads the position's file and captions, keeps the lift-off switch, saves,
// writes everything. Nothing when position is already the active one.
FlowResult SwitchProfile(AppContext& ctx, int position);

// The base file with the factory defaults and the captions of "str.ini" as
// the position's data, saved and written.
FlowResult InitialiseNewProfile(AppContext& ctx, int position);

// Whether closing the pane loads and writes a profile: not when the chosen
// position is the active one (after the list's moves).
bool CloseRequestWrites(const ProfileListModel::CloseRequest& request);

struct ProfileCloseResult {
    ProfileListWrite list = ProfileListWrite::Written;
    FlowResult flow;
    bool wrote = false; // the image was loaded and written to the mouse
};

// Closing the pane: writes the list with its file moves, then runs the
// request. A list that could not be written runs no request.
ProfileCloseResult CloseProfilePane(AppContext& ctx, const ProfileListModel::CloseRequest& request);

// --- Profile files ---

inline constexpr char kProfileFileExtension[] = ".bin";
inline constexpr char kProfileCompanionExtension[] = ".ini";

// The chosen name with ".bin" appended when it does not end in it.
std::filesystem::path ExportFileName(const std::filesystem::path& chosen);
// The companion settings file: ".bin" replaced by ".ini".
std::filesystem::path CompanionFileName(const std::filesystem::path& profileFile);
// Where the file chooser starts: the folder of the last import or export,
// else home, with the current profile's file name.
std::filesystem::path TransferStartPath(const AppContext& ctx, const std::filesystem::path& home);

enum class TransferProblem {
    None,
    NotAProfileFile, // import: no ".bin" name, missing, unreadable or not 1893 bytes
    NotWritten,      // export: the profile file or its companion could not be written
};

struct TransferResult {
    FlowResult flow;
    TransferProblem problem = TransferProblem::None;
    std::filesystem::path file; // the file read or written
    bool wrote = false;         // the image was written to the mouse
};

// True for a regular file named "*.bin" of exactly 1893 bytes.
bool IsProfileFile(FileStore& files, const std::filesystem::path& file);

// Reads a profile file into the image and its companion's captions, into
// position, which becomes current; then WriteAll. A file that is not a
// profile file changes nothing and clears the import-pending flag.
TransferResult ImportProfile(AppContext& ctx, int position, const std::filesystem::path& file);

// Writes the image as it is in memory to the file (nullopt: the chooser was
// cancelled) and the captions to its companion; then reloads the current
// profile, applies the first-use rule and writes everything.
TransferResult ExportProfile(AppContext& ctx, const std::optional<std::filesystem::path>& file);

// "IsDefault" of the current settings file: "N" gives the factory defaults
// and a save; either way it becomes "Y".
void ApplyFirstUseRule(AppContext& ctx);

} // namespace lumeno
