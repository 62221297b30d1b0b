#pragma once
// "record.ini", the macro library shared by every profile. Section
// "MacroName" lists the macros in order ("MacroCount", then keys "0", "1",
// ...); each macro has a section under its own name with "DelayTimeSelStatus",
// "MacroLoopTimes", "ItemCount" and "Item0".."Item<n-1>". The file is read and
// written key by key and never held open.
#include "config/ConfigImage.h"
#include "config/IniKeys.h"

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace lumeno {

class Pacer;
class ProfileIni;

// Lines read from one section. A recording holds at most 123 lines; the cap
// only keeps a damaged "ItemCount" from costing minutes.
inline constexpr int kMaxMacroLines = 4096;
inline constexpr int kMinLoopCount = 1;
inline constexpr int kMaxLoopCount = 65535;
inline constexpr std::chrono::milliseconds kMacroWritePause{100};

inline constexpr char kMacroIndexSection[] = "MacroName";
inline constexpr char kMacroCountKey[] = "MacroCount";
inline constexpr char kDelayStatusKey[] = "DelayTimeSelStatus";
inline constexpr char kLoopTimesKey[] = "MacroLoopTimes";

// One macro's section as stored; missing keys read as empty text.
struct StoredMacro {
    std::string delayStatus; // "1" when delays are recorded
    std::string loopTimes;   // as typed; see LoopCountOf
    std::vector<std::string> lines;
};

// The loop count a stored or typed text stands for: its number, or 1 when
// that lies outside 1..65535.
int LoopCountOf(std::string_view text);

// False for names whose section would be no macro's own: the empty name and
// the index section (compared as section names are, without regard to case).
bool IsMacroSectionName(std::string_view name);

class MacroLibraryFile {
public:
    // pacer may be null where no pause is wanted (the encoder only reads).
    MacroLibraryFile(ProfileIni& ini, std::filesystem::path file, Pacer* pacer = nullptr);

    const std::filesystem::path& Path() const { return file_; }
    bool Exists() const;

    // The names in library order. "MacroCount" is clamped to 0..12.
    std::vector<std::string> LoadNames();
    // Number read from "MacroCount", clamped to 0..12.
    int LoadCount();
    // Name at index position i, empty when the key is missing.
    std::string LoadName(int i);
    StoredMacro LoadMacro(std::string_view name);

    // The write operations below, except WriteLoopTimes, do nothing when the
    // file does not exist. None of them touches the index section through a
    // macro name (see IsMacroSectionName).

    // Rewrites the index; an empty list is stored as "MacroCount" 0 and key "0" empty.
    void WriteIndex(const std::vector<std::string>& names);
    // Replaces the macro's section; with no lines the section is only
    // removed. Pauses kMacroWritePause after writing.
    void WriteMacro(std::string_view name, bool delayOption, std::string_view loopText,
                    const std::vector<std::string>& lines);
    // Like WriteMacro, but the section is written even for an empty sequence
    // ("ItemCount" 0) and the delay status is given as stored text. No pause.
    void WriteMacroSection(std::string_view name, std::string_view delayStatus, std::string_view loopText,
                           const std::vector<std::string>& lines);
    // Writes only "MacroLoopTimes"; creates the file when it is missing.
    void WriteLoopTimes(std::string_view name, std::string_view loopText);
    void DeleteMacroSection(std::string_view name);

    void PauseAfterWrite();

private:
    ProfileIni& ini_;
    std::filesystem::path file_;
    Pacer* pacer_;
};

} // namespace lumeno
