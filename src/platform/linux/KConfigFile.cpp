#include "platform/linux/KConfigFile.h"

#include "platform/linux/PosixFileStore.h"

#include <fstream>
#include <optional>

namespace lumeno {

namespace {

std::vector<std::string> ReadLines(const std::filesystem::path& file)
{
    std::vector<std::string> lines;
    std::ifstream in(file, std::ios::binary);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// "[A][B]" -> {"A", "B"}; nullopt for a line that is no group header.
std::optional<KConfigGroup> GroupOf(const std::string& line)
{
    if (line.empty() || line.front() != '[')
        return std::nullopt;
    KConfigGroup group;
    size_t at = 0;
    while (at < line.size() && line[at] == '[') {
        const size_t close = line.find(']', at);
        if (close == std::string::npos)
            return std::nullopt;
        group.push_back(line.substr(at + 1, close - at - 1));
        at = close + 1;
    }
    if (at != line.size())
        return std::nullopt;
    return group;
}

std::string HeaderOf(const KConfigGroup& group)
{
    std::string header;
    for (const auto& name : group)
        header += "[" + name + "]";
    return header;
}

// The key of a "Key=Value" line (blanks around it removed); empty for others.
std::string KeyOf(const std::string& line)
{
    const size_t eq = line.find('=');
    if (eq == std::string::npos || line.starts_with('#'))
        return {};
    std::string key = line.substr(0, eq);
    while (!key.empty() && key.back() == ' ')
        key.pop_back();
    return key;
}

} // namespace

std::vector<KConfigGroup> KConfigGroups(const std::filesystem::path& file)
{
    std::vector<KConfigGroup> groups;
    for (const auto& line : ReadLines(file))
        if (auto group = GroupOf(line))
            groups.push_back(*group);
    return groups;
}

std::string ReadKConfigEntry(const std::filesystem::path& file, const KConfigGroup& group, const std::string& key)
{
    bool inGroup = false;
    for (const auto& line : ReadLines(file)) {
        if (auto g = GroupOf(line)) {
            inGroup = *g == group;
            continue;
        }
        if (inGroup && KeyOf(line) == key)
            return line.substr(line.find('=') + 1);
    }
    return {};
}

bool WriteKConfigEntry(const std::filesystem::path& file, const KConfigGroup& group, const std::string& key,
                       const std::string& value)
{
    std::vector<std::string> lines = ReadLines(file);
    const std::string entry = key + "=" + value;
    bool inGroup = false;
    std::optional<size_t> groupEnd; // where a new key of the group goes
    bool done = false;
    for (size_t i = 0; i < lines.size() && !done; ++i) {
        if (auto g = GroupOf(lines[i])) {
            if (inGroup)
                break;
            inGroup = *g == group;
            if (inGroup)
                groupEnd = i + 1;
            continue;
        }
        if (!inGroup)
            continue;
        if (KeyOf(lines[i]) == key) {
            lines[i] = entry;
            done = true;
        } else if (!lines[i].empty()) {
            groupEnd = i + 1;
        }
    }
    if (!done) {
        if (groupEnd) {
            lines.insert(lines.begin() + std::ptrdiff_t(*groupEnd), entry);
        } else {
            if (!lines.empty() && !lines.back().empty())
                lines.emplace_back();
            lines.push_back(HeaderOf(group));
            lines.push_back(entry);
        }
    }
    std::string text;
    for (const auto& line : lines)
        text += line + "\n";
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
    PosixFileStore files;
    return files.ReplaceAtomically(file, {reinterpret_cast<const uint8_t*>(text.data()), text.size()}) == 0;
}

} // namespace lumeno
