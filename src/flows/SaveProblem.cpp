#include "flows/SaveProblem.h"

#include "config/ConfigFiles.h"
#include "flows/AppContext.h"
#include "platform/FileStore.h"

#include <cerrno>
#include <system_error>

namespace lumeno {

namespace {

constexpr char kProbeFile[] = ".lumeno-kv580-write-test";

} // namespace

SaveProblemKind KindOfError(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return SaveProblemKind::DiskFull;
    case EACCES:
    case EPERM:
    case EROFS:
        return SaveProblemKind::NotAllowed;
    case ENOENT:
    case ENOTDIR:
    case ELOOP:
        return SaveProblemKind::FolderMissing;
    case EISDIR:
        return SaveProblemKind::FolderInTheWay;
    case EINVAL:
    case EFBIG:
        return SaveProblemKind::NotAFile;
    default:
        return SaveProblemKind::Other;
    }
}

SaveProblem DiagnoseSaveFailure(AppContext& ctx)
{
    const std::filesystem::path folder = DataDirectory(ctx.platform);
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec))
        return {folder, SaveProblemKind::FolderMissing, ENOTDIR};
    for (const auto& file : {ctx.paths.currentConfigFile, ctx.paths.currentSettingsFile, ctx.paths.profileList}) {
        if (file.empty())
            continue;
        if (std::filesystem::is_directory(file, ec))
            return {file, SaveProblemKind::FolderInTheWay, EISDIR};
        FileIdentity identity;
        const FileState state = ctx.files.Identify(file, identity);
        if (state == FileState::Unreadable && std::filesystem::exists(file, ec))
            return {file, SaveProblemKind::NotAFile, EINVAL};
        if (state == FileState::Present && uint64_t(identity.size) > kMaxDataFileBytes)
            return {file, SaveProblemKind::NotAFile, EFBIG};
    }
    const auto probe = folder / kProbeFile;
    const int error = ctx.files.ReplaceAtomically(probe, {});
    std::filesystem::remove(probe, ec);
    if (error != 0)
        return {folder, KindOfError(error), error};
    return {folder, SaveProblemKind::Other, EIO};
}

} // namespace lumeno
