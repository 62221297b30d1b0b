#include "platform/linux/UnixSocketPath.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace lumeno {
namespace {

// Fills addr with path; false when it does not fit.
bool FillAddress(const std::string& path, sockaddr_un& addr)
{
    addr = {};
    addr.sun_family = AF_UNIX;
    if (path.size() >= sizeof addr.sun_path)
        return false;
    std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
    return true;
}

// The path of an open descriptor, as the kernel resolves it for this process.
std::string DescriptorPath(int fd) { return "/proc/self/fd/" + std::to_string(fd); }

template <typename Call>
int WithAddress(const std::string& path, Call call)
{
    sockaddr_un addr;
    if (!FillAddress(path, addr))
        return ENAMETOOLONG;
    return call(reinterpret_cast<const sockaddr*>(&addr), static_cast<socklen_t>(sizeof addr)) == 0 ? 0 : errno;
}

} // namespace

int BindSocketInFolder(int fd, const std::filesystem::path& folder, const std::string& name)
{
    auto bind = [fd](const sockaddr* a, socklen_t n) { return ::bind(fd, a, n); };
    const std::string path = (folder / name).string();
    if (path.size() < sizeof(sockaddr_un::sun_path))
        return WithAddress(path, bind);
    const int dir = ::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0)
        return errno;
    const int result = WithAddress(DescriptorPath(dir) + "/" + name, bind);
    ::close(dir);
    return result;
}

int ConnectSocketAt(int fd, const std::filesystem::path& path)
{
    auto connect = [fd](const sockaddr* a, socklen_t n) { return ::connect(fd, a, n); };
    if (path.string().size() < sizeof(sockaddr_un::sun_path))
        return WithAddress(path.string(), connect);
    const int node = ::open(path.c_str(), O_PATH | O_CLOEXEC);
    if (node < 0)
        return errno;
    const int result = WithAddress(DescriptorPath(node), connect);
    ::close(node);
    return result;
}

} // namespace lumeno
