#pragma once
// Where virtual HID devices live: $XDG_RUNTIME_DIR/lumeno-kv580/virtual-hid,
// or, without a runtime folder, a private folder of this user under /tmp.
#include <filesystem>
#include <optional>
#include <string>

namespace lumeno {

// The folder to use, from the environment; not created.
std::filesystem::path DefaultVirtualHidFolder();

// Creates the folder (and missing parents) with mode 0700. Refuses, with a
// reason in error, a folder that is a symlink, belongs to another user or is
// open to others: a shared /tmp must not let anybody plant devices.
bool EnsureVirtualHidFolder(const std::filesystem::path& folder, std::string* error = nullptr);

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
