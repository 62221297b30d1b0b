#include "macros/MacroEncoder.h"

#include "buttons/KeyTables.h"
#include "config/ProfileIni.h"
#include "macros/MacroLibraryFile.h"
#include "macros/MacroLine.h"

#include <algorithm>

namespace lumeno {

namespace {

// Offsets inside a record.
constexpr size_t kLoopHighByte = 0;
constexpr size_t kLoopLowByte = 1;
constexpr size_t kFirstEventMarker = 2;
constexpr size_t kFirstEventKey = 3;
constexpr size_t kFirstEventEnd = 4; // where event 2 starts
constexpr size_t kEventSize = 4;     // type, key, delay high, delay low

uint8_t KeyCode(std::string_view keyName, MacroEncodePath path)
{
    return path == MacroEncodePath::Manager ? ManagerKeyUsageByName(keyName) : KeyUsageByName(keyName);
}

// The delay before an event: the delay line right before it, else the
// default; at least 10 ms, and no more than the 16 bits the mouse holds.
int EventDelay(std::string_view previousLine)
{
    const int d = IsDelayLine(previousLine) ? ParseLeadingInt(DelayTextOfLine(previousLine)) : kDefaultEventDelayMs;
    return std::clamp(d, kMinEventDelayMs, kMaxDelayMs);
}

// Writes as much of the event as fits; false once the record is full.
bool PutEvent(std::span<uint8_t> record, size_t& at, uint8_t type, uint8_t key, int delay)
{
    const uint8_t bytes[kEventSize] = {type, key, uint8_t(delay >> 8), uint8_t(delay & 0xFF)};
    for (const uint8_t b : bytes) {
        if (at >= record.size())
            return false;
        record[at++] = b;
    }
    return at < record.size();
}

void EncodeLibraryMacro(MacroLibraryFile& library, int i, MacroEncodePath path, std::span<uint8_t> record)
{
    const std::string name = library.LoadName(i);
    const StoredMacro macro = library.LoadMacro(name);
    EncodeMacro(macro.loopTimes, macro.lines, path, record);
}

} // namespace

void EncodeMacro(std::string_view loopTimes, const std::vector<std::string>& lines, MacroEncodePath path,
                 std::span<uint8_t> record)
{
    if (record.size() < kFirstEventEnd)
        return;
    const auto firstPress = std::find_if(lines.begin(), lines.end(),
                                         [](const std::string& l) { return KindOfLine(l) == MacroLineKind::Press; });
    std::fill(record.begin(), record.end(), uint8_t{0});
    if (firstPress == lines.end())
        return; // nothing to play: the loop count is cleared too

    const int loops = LoopCountOf(loopTimes);
    record[kLoopHighByte] = uint8_t(loops >> 8);
    record[kLoopLowByte] = uint8_t(loops & 0xFF);
    record[kFirstEventMarker] = path == MacroEncodePath::Manager ? kManagerFirstEventMarker : kLibraryFirstEventMarker;
    record[kFirstEventKey] = KeyCode(KeyNameOfLine(*firstPress), path);

    size_t at = kFirstEventEnd;
    for (auto line = firstPress + 1; line != lines.end() && at < record.size(); ++line) {
        const MacroLineKind kind = KindOfLine(*line);
        if (kind == MacroLineKind::Other)
            continue;
        const uint8_t type = kind == MacroLineKind::Press ? kPressEventType : kReleaseEventType;
        if (!PutEvent(record, at, type, KeyCode(KeyNameOfLine(*line), path), EventDelay(*(line - 1))))
            break;
    }
}

void EncodeLibrary(ProfileIni& ini, const std::filesystem::path& libraryFile, ConfigImage& image)
{
    MacroLibraryFile library(ini, libraryFile);
    if (!library.Exists())
        return;
    const int n = library.LoadCount();
    for (int i = 0; i < n; ++i)
        EncodeLibraryMacro(library, i, MacroEncodePath::Library, image.macroMemory[i]);
}

void EncodeForManager(ProfileIni& ini, const std::filesystem::path& libraryFile, ManagerMacroCopy& copy)
{
    for (ManagerRecord& record : copy)
        record.fill(0);
    MacroLibraryFile library(ini, libraryFile);
    if (!library.Exists())
        return;
    const int n = library.LoadCount();
    for (int i = 0; i < n; ++i)
        EncodeLibraryMacro(library, i, MacroEncodePath::Manager, copy[size_t(i)]);
}

void CopyManagerCopyToImage(const ManagerMacroCopy& copy, ConfigImage& image)
{
    for (size_t k = 0; k < copy.size(); ++k)
        std::copy_n(copy[k].begin(), kMacroSlotSize, image.macroMemory[k]);
}

} // namespace lumeno
