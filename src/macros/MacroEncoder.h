#pragma once
// Turns the macros of the library into the records the mouse plays.
//
// MacroSlot (130 bytes in the image, 508 in the manager's copy; big-endian):
//   bytes 0-1    loop count 1..65535
//   byte  2      first-event marker: 0x05 library encode, 0x32 manager encode
//   byte  3      key code of the first event (always a press, no delay)
//   bytes 4-7    event 2: type (0x7F press, 0xFF release), key code,
//                delay before it in ms (high byte, low byte)
//   ...          event k at bytes 4(k-1) .. 4(k-1)+3
//   bytes 128-129 type and key code of event 33 (its delay does not fit)
// Bytes after the last event are 0.
#include "config/ConfigImage.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lumeno {

class ProfileIni;

inline constexpr uint8_t kLibraryFirstEventMarker = 0x05;
inline constexpr uint8_t kManagerFirstEventMarker = 0x32;
inline constexpr uint8_t kPressEventType = 0x7F;
inline constexpr uint8_t kReleaseEventType = 0xFF;
inline constexpr int kMinEventDelayMs = 10;
inline constexpr size_t kManagerRecordSize = 508; // loop count, first event, 126 events

// Where the key names of a macro are looked up, and the marker that path writes.
enum class MacroEncodePath { Library, Manager };

using ManagerRecord = std::array<uint8_t, kManagerRecordSize>;
// The macro manager's encoded copy: one record per library position.
using ManagerMacroCopy = std::array<ManagerRecord, kMacroSlotCount>;

// Encodes one macro into record (130 or 508 bytes), never writing past it.
// Lines before the first press carry no event and are skipped; that press is
// the first event. A sequence without a press clears the whole record.
void EncodeMacro(std::string_view loopTimes, const std::vector<std::string>& lines, MacroEncodePath path,
                 std::span<uint8_t> record);

// Encodes macros 0..min(MacroCount, 12)-1 of the library into their slots of
// the image's macroMemory; other slots keep their bytes. Nothing changes when
// the library file does not exist.
void EncodeLibrary(ProfileIni& ini, const std::filesystem::path& libraryFile, ConfigImage& image);

// The manager's encode: the copy is cleared and every macro of the library
// encoded into its record, so records past the library's end are zero (all
// of them when the library is empty or missing).
void EncodeForManager(ProfileIni& ini, const std::filesystem::path& libraryFile, ManagerMacroCopy& copy);

// Copies the first 130 bytes of each record into its slot of macroMemory.
void CopyManagerCopyToImage(const ManagerMacroCopy& copy, ConfigImage& image);

} // namespace lumeno
