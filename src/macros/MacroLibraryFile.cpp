#include "macros/MacroLibraryFile.h"

#include "config/ProfileIni.h"
#include "platform/Pacer.h"

#include <algorithm>
#include <system_error>

namespace lumeno {

namespace {

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

} // namespace

int LoopCountOf(std::string_view text)
{
    const int n = ParseLeadingInt(text);
    return n < kMinLoopCount || n > kMaxLoopCount ? kMinLoopCount : n;
}

bool IsMacroSectionName(std::string_view name)
{
    return !name.empty() && !EqualsIgnoringCase(name, kMacroIndexSection);
}

MacroLibraryFile::MacroLibraryFile(ProfileIni& ini, std::filesystem::path file, Pacer* pacer)
    : ini_(ini), file_(std::move(file)), pacer_(pacer)
{
}

bool MacroLibraryFile::Exists() const
{
    std::error_code ec;
    return std::filesystem::is_regular_file(file_, ec);
}

int MacroLibraryFile::LoadCount()
{
    const int n = ParseLeadingInt(ini_.ReadString(file_, kMacroIndexSection, kMacroCountKey));
    return std::clamp(n, 0, kMacroSlotCount);
}

std::string MacroLibraryFile::LoadName(int i) { return ini_.ReadString(file_, kMacroIndexSection, std::to_string(i)); }

std::vector<std::string> MacroLibraryFile::LoadNames()
{
    std::vector<std::string> names;
    const int n = LoadCount();
    names.reserve(size_t(n));
    for (int i = 0; i < n; ++i)
        names.push_back(LoadName(i));
    return names;
}

StoredMacro MacroLibraryFile::LoadMacro(std::string_view name)
{
    StoredMacro macro;
    if (!IsMacroSectionName(name))
        return macro;
    macro.delayStatus = ini_.ReadString(file_, name, kDelayStatusKey);
    macro.loopTimes = ini_.ReadString(file_, name, kLoopTimesKey);
    const int m = std::clamp(ParseLeadingInt(ini_.ReadString(file_, name, kItemCountKey)), 0, kMaxMacroLines);
    macro.lines.reserve(size_t(m));
    for (int j = 0; j < m; ++j)
        macro.lines.push_back(ini_.ReadString(file_, name, ItemKey(j)));
    return macro;
}

void MacroLibraryFile::WriteIndex(const std::vector<std::string>& names)
{
    if (!Exists())
        return;
    ini_.DeleteSection(file_, kMacroIndexSection);
    ini_.WriteString(file_, kMacroIndexSection, kMacroCountKey, std::to_string(names.size()));
    if (names.empty()) {
        ini_.WriteString(file_, kMacroIndexSection, "0", "");
        return;
    }
    for (size_t i = 0; i < names.size(); ++i)
        ini_.WriteString(file_, kMacroIndexSection, std::to_string(i), names[i]);
}

void MacroLibraryFile::WriteMacro(std::string_view name, bool delayOption, std::string_view loopText,
                                  const std::vector<std::string>& lines)
{
    if (!Exists() || !IsMacroSectionName(name))
        return;
    ini_.DeleteSection(file_, name);
    if (lines.empty())
        return;
    WriteMacroSection(name, delayOption ? "1" : "0", loopText, lines);
    PauseAfterWrite();
}

void MacroLibraryFile::WriteMacroSection(std::string_view name, std::string_view delayStatus, std::string_view loopText,
                                         const std::vector<std::string>& lines)
{
    if (!Exists() || !IsMacroSectionName(name))
        return;
    std::vector<ProfileIni::KeyValue> keys;
    keys.reserve(lines.size() + 3);
    keys.emplace_back(kDelayStatusKey, delayStatus);
    keys.emplace_back(kLoopTimesKey, loopText);
    keys.emplace_back(kItemCountKey, std::to_string(lines.size()));
    for (size_t j = 0; j < lines.size(); ++j)
        keys.emplace_back(ItemKey(int(j)), lines[j]);
    ini_.ReplaceSection(file_, name, keys);
}

void MacroLibraryFile::WriteLoopTimes(std::string_view name, std::string_view loopText)
{
    if (IsMacroSectionName(name))
        ini_.WriteString(file_, name, kLoopTimesKey, loopText);
}

void MacroLibraryFile::DeleteMacroSection(std::string_view name)
{
    if (Exists() && IsMacroSectionName(name))
        ini_.DeleteSection(file_, name);
}

void MacroLibraryFile::PauseAfterWrite()
{
    if (pacer_)
        pacer_->Pause(kMacroWritePause);
}

} // namespace lumeno
