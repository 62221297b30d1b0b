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

} // namespace lumeno
