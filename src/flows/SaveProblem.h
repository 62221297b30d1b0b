#pragma once
// Why the profile could not be saved, and where: worked out after a failed
// save so the user can be told in words rather than an error number.
#include <filesystem>

namespace lumeno {

struct AppContext;

enum class SaveProblemKind {
    DiskFull,       // no space left
    NotAllowed,     // permissions, a read-only file system
    FolderMissing,  // the data folder is gone, dangling or not a folder
    FolderInTheWay, // a folder stands where a file belongs
    NotAFile,       // a named pipe, a device or a far too large file stands there
    Other,          // any other error number
};

struct SaveProblem {
    std::filesystem::path where;
    SaveProblemKind kind = SaveProblemKind::Other;
    int error = 0; // the system's error number
};

SaveProblemKind KindOfError(int error);

// Looks at the data folder and the current profile's files: a folder that
// is missing or not a folder, a folder where a file belongs, or what writing
// a probe file into the folder reports.
SaveProblem DiagnoseSaveFailure(AppContext& ctx);

} // namespace lumeno
