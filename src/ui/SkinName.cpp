#include "ui/SkinName.h"

#include <algorithm>
#include <system_error>

namespace lumeno {
namespace {

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

// One component below dir: the exact spelling first, then a case-blind scan.
std::optional<std::filesystem::path> FindComponent(const std::filesystem::path& dir, const std::string& component)
{
    std::error_code ec;
    std::filesystem::path exact = dir / component;
    if (std::filesystem::exists(exact, ec))
        return exact;
    std::filesystem::directory_iterator it(dir, ec);
    if (ec)
        return std::nullopt;
    for (const auto& entry : it) {
        if (EqualsIgnoringAsciiCase(entry.path().filename().string(), component))
            return entry.path();
    }
    return std::nullopt;
}

} // namespace

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

std::vector<std::string> SplitSkinName(std::string_view name)
{
    std::vector<std::string> parts;
    std::string current;
    auto flush = [&] {
        if (!current.empty() && current != ".")
            parts.push_back(current);
        current.clear();
    };
    for (char c : name) {
        if (IsSeparator(c))
            flush();
        else
            current.push_back(c);
    }
    flush();
    return parts;
}

std::string SkinKey(std::string_view name)
{
    std::vector<std::string> parts = SplitSkinName(name);
    auto first = parts.begin();
    if (first != parts.end() && EqualsIgnoringAsciiCase(*first, kSkinFolderName))
        ++first;
    std::string key;
    for (auto it = first; it != parts.end(); ++it) {
        if (!key.empty())
            key.push_back('/');
        for (char c : *it)
            key.push_back(AsciiLower(c));
    }
    return key;
}

std::optional<std::filesystem::path> ResolveSkinFile(const std::filesystem::path& appFolder, std::string_view name)
{
    std::vector<std::string> parts = SplitSkinName(name);
    if (parts.empty())
        return std::nullopt;
    if (!EqualsIgnoringAsciiCase(parts.front(), kSkinFolderName))
        parts.insert(parts.begin(), std::string(kSkinFolderName));
    std::filesystem::path current = appFolder;
    for (const std::string& part : parts) {
        if (part == "..")
            return std::nullopt; // names stay inside the application folder
        std::optional<std::filesystem::path> next = FindComponent(current, part);
        if (!next)
            return std::nullopt;
        current = *next;
    }
    std::error_code ec;
    if (!std::filesystem::is_regular_file(current, ec))
        return std::nullopt;
    return current;
}

} // namespace lumeno
