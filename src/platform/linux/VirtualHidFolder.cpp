#include "platform/linux/VirtualHidFolder.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace lumeno {
namespace {

constexpr const char* kAppFolder = "lumeno-kv580";
constexpr const char* kDeviceFolder = "virtual-hid";

bool Fail(std::string* error, std::string why)
{
    if (error)
        *error = std::move(why);
    return false;
}

// Makes one private folder, or checks that the existing one is ours and private.
bool MakePrivateFolder(const std::filesystem::path& path, std::string* error)
{
    if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST)
        return Fail(error, path.string() + ": " + std::strerror(errno));
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0)
        return Fail(error, path.string() + ": " + std::strerror(errno));
    if (!S_ISDIR(st.st_mode))
        return Fail(error, path.string() + ": not a folder");
    if (st.st_uid != ::getuid())
        return Fail(error, path.string() + ": belongs to another user");
    if ((st.st_mode & 077) != 0)
        return Fail(error, path.string() + ": open to other users");
    return true;
}

} // namespace

std::filesystem::path DefaultVirtualHidFolder()
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && runtime[0] == '/')
        return std::filesystem::path(runtime) / kAppFolder / kDeviceFolder;
    return std::filesystem::path("/tmp") / (std::string(kAppFolder) + "-" + std::to_string(::getuid())) / kDeviceFolder;
}

bool EnsureVirtualHidFolder(const std::filesystem::path& folder, std::string* error)
{
    // Parents above the application's own folder (for example the runtime
    // folder itself) are left as they are; the last two levels are ours.
    const auto app = folder.parent_path();
    if (!app.parent_path().empty()) {
        std::error_code ec;
        std::filesystem::create_directories(app.parent_path(), ec);
    }
    return MakePrivateFolder(app, error) && MakePrivateFolder(folder, error);
}

} // namespace lumeno
