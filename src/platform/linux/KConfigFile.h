#pragma once
// Plain reads and writes of KDE's configuration files (kdeglobals,
// kcminputrc): "[Group][Subgroup]" headers and "Key=Value" lines. Only the
// entry written changes; every other line stays as it is. Files are
// replaced atomically.
#include <filesystem>
#include <string>
#include <vector>

namespace lumeno {

using KConfigGroup = std::vector<std::string>; // "[Libinput][1][2][Name]" -> {"Libinput", "1", "2", "Name"}

// The groups of a file in their order; empty when the file is missing.
std::vector<KConfigGroup> KConfigGroups(const std::filesystem::path& file);

// The value of key in group; empty when missing.
std::string ReadKConfigEntry(const std::filesystem::path& file, const KConfigGroup& group, const std::string& key);

// Sets key=value in group, adding the group at the end and the key at the
// end of its group when missing; creates the file and its folder. False
// when it could not be written.
bool WriteKConfigEntry(const std::filesystem::path& file, const KConfigGroup& group, const std::string& key,
                       const std::string& value);

} // namespace lumeno
