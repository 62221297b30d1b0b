#include "macros/MacroNames.h"

#include "config/ProfileIni.h"
#include "macros/MacroLibraryFile.h"

#include <algorithm>

namespace lumeno {

namespace {

struct LanguageWord {
    std::string_view code;
    std::string_view word;
};

constexpr LanguageWord kMacroWords[] = {
    {"DE", "Makro"},
    {"CHS", "宏"},
    {"CHT", "巨集"},
};
constexpr std::string_view kEnglishMacroWord = "Macro";

std::string_view TrimBlanks(std::string_view s)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool ClashesWithAny(const std::vector<std::string>& names, std::string_view candidate, size_t except)
{
    for (size_t i = 0; i < names.size(); ++i)
        if (i != except && SameSection(names[i], candidate))
            return true;
    return false;
}

} // namespace

std::string_view MacroWordForLanguage(std::string_view languageCode)
{
    for (const LanguageWord& entry : kMacroWords)
        if (entry.code == languageCode)
            return entry.word;
    return kEnglishMacroWord;
}

bool SameSection(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

std::string DefaultMacroName(const std::vector<std::string>& names, std::string_view word)
{
    long long number = static_cast<long long>(names.size()) + 1;
    if (!names.empty()) {
        const std::string& last = names.back();
        if (const size_t underscore = last.find('_'); underscore != std::string::npos)
            number = static_cast<long long>(ParseLeadingInt(last.substr(underscore + 1))) + 1;
    }
    for (;; ++number) {
        std::string candidate = std::string(word) + "_" + std::to_string(number);
        if (!ClashesWithAny(names, candidate, names.size()))
            return candidate;
    }
}

std::optional<std::string> AcceptedMacroRename(const std::vector<std::string>& names, size_t index,
                                               std::string_view typed)
{
    const std::string_view name = TrimBlanks(typed);
    if (name.empty() || name.find_first_of("[]\r\n") != std::string_view::npos)
        return std::nullopt;
    if (name.size() >= 2 && (name.front() == '"' || name.front() == '\'') && name.back() == name.front())
        return std::nullopt;
    if (name.size() >= kProfileBufferChars)
        return std::nullopt;
    if (!IsMacroSectionName(name) || ClashesWithAny(names, name, index))
        return std::nullopt;
    return std::string(name);
}

std::optional<std::string_view> MacroNameOfCaption(std::string_view caption)
{
    const size_t colon = caption.rfind(':');
    if (colon == std::string_view::npos)
        return std::nullopt;
    return caption.substr(colon + 1);
}

} // namespace lumeno
