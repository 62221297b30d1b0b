#pragma once
// Finding skin images by the names the windows use. Names mix "\" and "/",
// may carry doubled separators and spell the skin folder "Skins" or
// "skins"; on a case-sensitive file system every component is matched
// without regard to letter case.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumeno {

inline constexpr std::string_view kSkinFolderName = "Skins";

// The path components of a name: both separators split, empty and "."
// components dropped.
std::vector<std::string> SplitSkinName(std::string_view name);

// The name relative to the skin folder, lower case, joined with "/": the key
// under which the skin inventory lists an image. A leading skin folder
// component is dropped; names without one are already relative to it.
std::string SkinKey(std::string_view name);

// The file an image name refers to, below the application folder. A name that
// does not start with the skin folder is looked up inside it. Each component
// is taken as spelled when it exists, otherwise matched ignoring ASCII case.
// nullopt when no such file exists.
std::optional<std::filesystem::path> ResolveSkinFile(const std::filesystem::path& appFolder, std::string_view name);

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

} // namespace lumeno
