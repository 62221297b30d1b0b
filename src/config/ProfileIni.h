#pragma once
// Windows-style INI files read and written key by key, with the semantics
// of the Windows profile-string functions that stored files rely on:
//  - section and key names compare without regard to (ASCII) case;
//  - blanks around the section and key names a call passes and around names
//    and values in the file are trimmed, and one pair of matching double or
//    single quotes around a value in the file is removed;
//  - when a section or key stands twice, the first one is read, written and
//    deleted;
//  - a line without "=" in a section is a key without a value: it reads as
//    the default, hides later lines of that key and is replaced by a write;
//  - a new key goes to the end of its section, an existing one is replaced in
//    place, a new section goes to the end of the file.
// Files are UTF-8; a UTF-8 or UTF-16LE byte-order mark and CRLF line ends are
// accepted, a write keeps the encoding and line ends the file has, and a new
// file gets LF line ends.
// Every write replaces the file atomically (temporary file, then rename), so
// a crash or a full disk never leaves a torn file.
#include "platform/FileStore.h"

#include <cstddef>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lumeno {

inline constexpr size_t kProfileBufferChars = 1024;

class DebugOutput;

// A file that is not a regular file, or larger than kMaxDataFileBytes, reads
// as missing, and writes to it fail; debug (when given) gets one line with
// the reason each time such a file is first met.
class ProfileIni {
public:
    explicit ProfileIni(FileStore& files, DebugOutput* debug = nullptr);
    ~ProfileIni();
    ProfileIni(const ProfileIni&) = delete;
    ProfileIni& operator=(const ProfileIni&) = delete;

    // Value of key in section, or defaultValue (with its trailing blanks
    // removed) when the file, section or key is missing. The result holds at
    // most bufferChars - 1 characters, as a buffer of bufferChars would.
    std::string ReadString(const std::filesystem::path& file, std::string_view section, std::string_view key,
                           std::string_view defaultValue = {}, size_t bufferChars = kProfileBufferChars);

    // Writes key=value into section, creating the file and section as needed.
    // A nullopt value deletes the key. False when the file could not be
    // written (for example its folder does not exist); the file is then as it was.
    bool WriteString(const std::filesystem::path& file, std::string_view section, std::string_view key,
                     std::optional<std::string_view> value);

    // Deletes the first section of that name and all its keys.
    bool DeleteSection(const std::filesystem::path& file, std::string_view section);

    // The same file as DeleteSection followed by WriteString of each key in
    // order (so when the section stands twice, the keys go into the second),
    // written once: a rewritten section costs one file replacement, not one
    // per key. Keys WriteString would refuse are skipped.
    using KeyValue = std::pair<std::string, std::string>;
    bool ReplaceSection(const std::filesystem::path& file, std::string_view section, const std::vector<KeyValue>& keys);

private:
    struct Document;
    // Parsed files, checked against the file's identity before each use, so
    // that repeated reads of an unchanged file do not re-parse it. A file
    // changed less than one tick of file times before it was read (racy) could
    // be written again with the same identity: its bytes are kept and compared
    // with the file at each read until a read finds it older than that.
    struct Cached {
        std::shared_ptr<const Document> doc;
        FileIdentity identity;
        std::optional<std::string> racyBytes;
    };
    std::shared_ptr<const Document> Load(const std::filesystem::path& file);
    bool Store(const std::filesystem::path& file, const Document& doc);
    std::shared_ptr<const Document> Refuse(const std::filesystem::path& file, const std::string& problem);

    FileStore& files_;
    DebugOutput* debug_;
    std::map<std::filesystem::path, Cached> cache_;
    std::map<std::filesystem::path, std::string> refused_; // file -> the reason last told
};

// The number reader of stored texts: leading blanks and one sign, then
// decimal digits up to the first other character; no digits gives 0.
// Saturates at the int range instead of overflowing.
int ParseLeadingInt(std::string_view text);

} // namespace lumeno
