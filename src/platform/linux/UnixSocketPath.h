#pragma once
// Unix sockets at any path: the virtual devices and the single-instance lock
// live in runtime folders of any length.
#include <filesystem>
#include <string>

namespace lumeno {

// A Unix socket address holds a path of at most 107 bytes; a folder may be
// longer. These two reach sockets at any path: one that does not fit goes
// through /proc/self/fd and a descriptor of the folder or of the socket, so
// no process-wide state (such as the working folder) changes and any thread
// may call them. Each returns 0 or an errno value.

// Binds the socket fd to the file name in folder.
int BindSocketInFolder(int fd, const std::filesystem::path& folder, const std::string& name);
// Connects the socket fd to the socket file at path.
int ConnectSocketAt(int fd, const std::filesystem::path& path);

} // namespace lumeno
