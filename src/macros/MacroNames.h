#pragma once
// Rules for macro names: the default name of a new macro, which names a
// rename may take, and how a button caption names its macro.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumeno {

// The word a new macro's name starts with, by interface language code.
std::string_view MacroWordForLanguage(std::string_view languageCode);

// word + "_" + number. The number follows the one after the first "_" of the
// last name (or is the count plus one when there is none) and is then raised
// until the name shares no section with an existing macro.
std::string DefaultMacroName(const std::vector<std::string>& names, std::string_view word);

// True when two names would share one section of "record.ini" (section names
// compare without regard to case).
bool SameSection(std::string_view a, std::string_view b);

// The name a rename of macro `index` to `typed` gives, or nullopt when it is
// refused: empty after trimming blanks; holding "[", "]" or a line break;
// wrapped in quotes or longer than a stored value may be (it would not read
// back as typed); or sharing a section with another macro or with the index.
std::optional<std::string> AcceptedMacroRename(const std::vector<std::string>& names, size_t index,
                                               std::string_view typed);

// The macro a button caption names: the text after its last ":", or nullopt
// when the caption holds no ":".
std::optional<std::string_view> MacroNameOfCaption(std::string_view caption);

} // namespace lumeno
