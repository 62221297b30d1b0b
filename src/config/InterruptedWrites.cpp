#include "config/InterruptedWrites.h"

#include "config/ConfigFiles.h"
#include "config/ProfileList.h"
#include "config/ProfileListFile.h"
#include "config/ProfileStore.h"
#include "platform/DebugOutput.h"
#include "platform/FileStore.h"

#include <string>
#include <system_error>
#include <vector>

namespace lumeno {

namespace {

// The program's data files: the base ones, then "config0.bin".."config5.bin"
// and the settings file of each profile.
std::vector<std::string> DataFileNames()
{
    std::vector<std::string> names{kBaseConfigFile, kProfileListFile, kProfileListJournalFile, kMacroLibraryFile};
    for (int n = 0; n < kMaxProfiles; ++n) {
        names.push_back(ConfigFileName(n).string());
        names.push_back(SettingsFileName(n).string());
    }
    return names;
}

bool IsTemporaryOfDataFile(const std::string& name, const std::vector<std::string>& dataFiles)
{
    for (const std::string& target : dataFiles)
        if (IsTemporaryOf(name, target))
            return true;
    return false;
}

} // namespace

int RemoveInterruptedWrites(ProfileStore& ctx)
{
    const std::filesystem::path& folder = ctx.paths.dataDirectory;
    if (folder.empty())
        return 0; // the working directory is not ours to clean
    const std::vector<std::string> dataFiles = DataFileNames();
    std::error_code ec;
    std::vector<std::filesystem::path> leftovers;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->is_regular_file(ec) && IsTemporaryOfDataFile(it->path().filename().string(), dataFiles))
            leftovers.push_back(it->path());
    }
    int removed = 0;
    for (const auto& file : leftovers) {
        if (std::filesystem::remove(file, ec)) {
            ++removed;
            DebugPrintf(ctx.debug, "Removed the temporary file of an interrupted save: %s\n", file.filename().c_str());
        }
    }
    return removed;
}

} // namespace lumeno
