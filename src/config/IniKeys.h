#pragma once
// The section and key names the program's INI files share, spelled once:
// the profile list "str.ini", the settings files "str%d.ini" and the macro
// library "record.ini".
#include <string>

namespace lumeno {

inline constexpr char kProfileSection[] = "Profile";
inline constexpr char kCurProfileNameKey[] = "CurProfileName";
inline constexpr char kIsDefaultKey[] = "IsDefault";
// "Y": the profile's pointer values were set in this program, so they may
// replace the desktop's own.
inline constexpr char kPointerSettingsKey[] = "PointerSettings";
inline constexpr char kSkinsSection[] = "Skins";
inline constexpr char kLanguageKey[] = "Lan";
// Counts the "Item<n>" keys of a profile list or a macro's section.
inline constexpr char kItemCountKey[] = "ItemCount";

// "Item<n>": profile n of the list, line n of a macro, caption n (from 1).
inline std::string ItemKey(int n) { return "Item" + std::to_string(n); }

} // namespace lumeno
