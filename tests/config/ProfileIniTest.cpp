#include "config/ProfileIni.h"

#include "support/TestContext.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <map>
#include <tuple>
#include <vector>

namespace lumeno {
namespace {

using test::ReadFileBytes;
using test::TempDir;
using test::WriteFileBytes;

// Times in the unit of FileIdentity, on the clock the engine reads.
int64_t NowNs()
{
    using namespace std::chrono;
    return duration_cast<nanoseconds>(system_clock::now().time_since_epoch()).count();
}

constexpr int64_t kHourNs = 3'600'000'000'000;

// How old a case's files are when they are read: just written (so a second
// write could fall within the same tick), or an hour old.
enum class Age { Fresh, HourOld };

// How a rewrite behind the engine's back leaves the file's times: both as
// they were (a second write within the same tick), or a new change time
// with the modification time set back (as some tools do).
enum class Times { SameTick, ModifiedSetBack };

// The real files, with modification and change times each case sets: every
// write, by the engine or by the case, is stamped with the present minus the
// case's age.
class CaseFiles final : public FileStore {
public:
    explicit CaseFiles(Age age) : ageNs_(age == Age::HourOld ? kHourNs : 0) {}

    FileRead ReadFile(const std::filesystem::path& file, size_t maxBytes) override

    {

        return real_.ReadFile(file, maxBytes);
    }

    int ReplaceAtomically(const std::filesystem::path& target, std::span<const uint8_t> bytes) override
    {
        const int error = real_.ReplaceAtomically(target, bytes);
        if (error == 0)
            times_[target] = {NowNs() - ageNs_, NowNs() - ageNs_};
        return error;
    }
    FileState Identify(const std::filesystem::path& file, FileIdentity& identity) override
    {
        const FileState state = real_.Identify(file, identity);
        if (const auto it = times_.find(file); state == FileState::Present && it != times_.end())
            std::tie(identity.modifiedNs, identity.changedNs) = it->second;
        return state;
    }

    // Writes bytes over the file in place (the same inode).
    void Write(const std::filesystem::path& file, std::string_view bytes)
    {
        WriteFileBytes(file, bytes);
        times_[file] = {NowNs() - ageNs_, NowNs() - ageNs_};
    }
    void Rewrite(const std::filesystem::path& file, std::string_view bytes, Times times)
    {
        WriteFileBytes(file, bytes);
        if (times == Times::ModifiedSetBack) {
            int64_t& changed = times_.at(file).second;
            changed = std::max(NowNs() - ageNs_, changed + 1);
        }
    }

private:
    PosixFileStore real_;
    int64_t ageNs_;
    std::map<std::filesystem::path, std::pair<int64_t, int64_t>> times_; // modified, changed
};

// One call of the engine, or a change of the file behind its back.
struct Step {
    enum Kind { Read, Write, Replace, Rewrite } kind;
    const char* section;
    const char* key;
    const char* value; // Read: expected, with default "dflt"; Replace: "key=value" lines
    const char* file;  // Write and Replace: the whole file after it; Rewrite: the new file
    Times times = Times::SameTick;
};

Step Read(const char* section, const char* key, const char* expected)
{
    return {Step::Read, section, key, expected, nullptr};
}
Step Write(const char* section, const char* key, const char* value, const char* fileAfter)
{
    return {Step::Write, section, key, value, fileAfter};
}
Step Replace(const char* section, const char* keys, const char* fileAfter)
{
    return {Step::Replace, section, nullptr, keys, fileAfter};
}
Step Rewrite(const char* file, Times times) { return {Step::Rewrite, nullptr, nullptr, nullptr, file, times}; }

struct Case {
    const char* name;
    const char* file; // nullptr: no file at the start
    std::vector<Step> steps;
    Age age = Age::Fresh;
};

const Case kCases[] = {
    {"plain", "[S]\nk=v\n", {Read("S", "k", "v")}},
    {"section and key ignore case", "[Profile]\nItemCount=3\n", {Read("PROFILE", "itemcount", "3")}},
    {"blanks trimmed", "  [ S ]  \n  k  =   a b   \n", {Read("S", "k", "a b")}},
    {"double quotes removed", "[S]\nk=\"a b\"\n", {Read("S", "k", "a b")}},
    {"single quotes removed", "[S]\nk= 'x' \n", {Read("S", "k", "x")}},
    {"unbalanced quote kept", "[S]\nk=\"unbalanced\n", {Read("S", "k", "\"unbalanced")}},
    {"empty value is not the default", "[S]\nk=\n", {Read("S", "k", "")}},
    {"line without = reads as the default", "[S]\nk\n", {Read("S", "k", "dflt")}},
    {"first of two keys wins", "[S]\nk=1\nk=2\n", {Read("S", "k", "1")}},
    {"first of two sections wins", "[S]\nk=1\n[s]\nk=2\nj=3\n", {Read("S", "j", "dflt")}},
    {"text after the bracket is ignored", "[S1] junk\nk=v\n", {Read("S1", "k", "v")}},
    {"header without bracket is no header", "[S]\nk=1\n[S2\nk2=2\n", {Read("S", "k2", "2")}},
    {"CRLF line ends", "[S]\r\nk=v\r\n", {Read("S", "k", "v")}},
    {"a lone CR ends a line", "[S]\rk=v\rj=w\n", {Read("S", "k", "v"), Read("S", "j", "w")}},
    {"a lone CR after a CRLF line ends a line", "[S]\r\nk=v\rj=w\r\n", {Read("S", "j", "w")}},
    {"a file of lone CRs is written back with them",
     "[S]\rk=v\r",
     {Write("S", "j", "w", "[S]\rk=v\rj=w\r"), Read("S", "k", "v")}},
    {"UTF-8 byte-order mark", "\xEF\xBB\xBF[S]\nk=\xC3\xA4\n", {Read("S", "k", "\xC3\xA4")}},
    {"no final newline", "[S]\nk=v", {Read("S", "k", "v")}},
    {"missing key", "[S]\nk=v\n", {Read("S", "x", "dflt")}},
    {"missing section", "[S]\nk=v\n", {Read("T", "k", "dflt")}},
    {"keys before any section belong to none", "k=v\n[S]\n", {Read("S", "k", "dflt")}},
    {"value keeps its = signs", "[S]\nk=a=b\n", {Read("S", "k", "a=b")}},
    {"blanks around the section name are trimmed",
     nullptr,
     {Write("S", "k", "old", "[S]\nk=old\n"), Write(" S ", "k", "new", "[S]\nk=new\n"), Read("S", "k", "new"),
      Read(" S", "k", "new")}},
    {"a replaced section that stands twice goes into the second",
     "[M]\na=1\n[M]\nb=2\n",
     {Replace("M", "c=3", "[M]\nb=2\nc=3\n"), Read("M", "c", "3")}},
    {"line without = hides later lines of its key", "[S]\nk\nk=v\n", {Read("S", "k", "dflt")}},
    {"a write replaces a line without =", "[S]\nk\n", {Write("S", "k", "w", "[S]\nk=w\n"), Read("S", "k", "w")}},
    {"same-size rewrite in the tick of a read is seen",
     "[S]\nk=1\n",
     {Read("S", "k", "1"), Rewrite("[S]\nk=2\n", Times::SameTick), Read("S", "k", "2")}},
    {"same-size rewrite in the tick of a write is seen",
     nullptr,
     {Write("S", "k", "1", "[S]\nk=1\n"), Rewrite("[S]\nk=2\n", Times::SameTick), Read("S", "k", "2")}},
    {"same-size rewrite that sets the modification time back is seen",
     "[S]\nk=1\n",
     {Read("S", "k", "1"), Rewrite("[S]\nk=2\n", Times::ModifiedSetBack), Read("S", "k", "2")},
     Age::HourOld},
    {"old file of unchanged identity is read from its parse",
     "[S]\nk=1\n",
     {Read("S", "k", "1"), Rewrite("[S]\nk=2\n", Times::SameTick), Read("S", "k", "1")},
     Age::HourOld},
    {"old written file of unchanged identity is read from its parse",
     nullptr,
     {Write("S", "k", "1", "[S]\nk=1\n"), Read("S", "k", "1"), Rewrite("[S]\nk=2\n", Times::SameTick),
      Read("S", "k", "1")},
     Age::HourOld},
};

std::vector<ProfileIni::KeyValue> ParseKeys(std::string_view lines)
{
    std::vector<ProfileIni::KeyValue> keys;
    while (!lines.empty()) {
        const std::string_view line = lines.substr(0, lines.find('\n'));
        lines.remove_prefix(std::min(lines.size(), line.size() + 1));
        const size_t eq = line.find('=');
        keys.emplace_back(line.substr(0, eq), line.substr(eq + 1));
    }
    return keys;
}

TEST(ProfileIni, ActsLikeTheWindowsProfileFunctions)
{
    TempDir tmp;
    int n = 0;
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        CaseFiles files(c.age);
        ProfileIni ini{files};
        const auto file = tmp.path() / ("case" + std::to_string(n++) + ".ini");
        if (c.file)
            files.Write(file, c.file);
        for (const Step& step : c.steps) {
            switch (step.kind) {
            case Step::Read:
                EXPECT_EQ(ini.ReadString(file, step.section, step.key, "dflt"), step.value);
                break;
            case Step::Write:
                EXPECT_TRUE(ini.WriteString(file, step.section, step.key, step.value));
                break;
            case Step::Replace:
                EXPECT_TRUE(ini.ReplaceSection(file, step.section, ParseKeys(step.value)));
                break;
            case Step::Rewrite:
                files.Rewrite(file, step.file, step.times);
                break;
            }
            if (step.kind == Step::Write || step.kind == Step::Replace) {
                EXPECT_EQ(ReadFileBytes(file), step.file);
            }
        }
    }
}

TEST(ProfileIni, DefaultsAndBufferCut)
{
    TempDir tmp;
    ProfileIni ini{test::TestFiles()};
    const auto missing = tmp.path() / "missing.ini";
    EXPECT_EQ(ini.ReadString(missing, "S", "k", "def   "), "def");
    EXPECT_EQ(ini.ReadString(missing, "S", "k"), "");

    const auto file = tmp.path() / "long.ini";
    WriteFileBytes(file, "[S]\nk=" + std::string(5000, 'x') + "\nu=" + std::string(1100, 'u') + "\n");
    EXPECT_EQ(ini.ReadString(file, "S", "k").size(), 1023u);
    EXPECT_EQ(ini.ReadString(file, "S", "k", "", 10), std::string(9, 'x'));
    // "ü" is one character of two bytes: 1023 of them come back, not 511.
    WriteFileBytes(
        file, "[S]\nk=" + [] {
            std::string s;
            for (int i = 0; i < 1100; ++i)
                s += "\xC3\xBC";
            return s;
        }() + "\n");
    EXPECT_EQ(ini.ReadString(file, "S", "k").size(), 2 * 1023u);
}

TEST(ProfileIni, WritesInPlaceAtSectionEndAndAtFileEnd)
{
    TempDir tmp;
    ProfileIni ini{test::TestFiles()};
    const auto file = tmp.path() / "w.ini";
    WriteFileBytes(file, "[A]\nx=1\ny=2\n\n[B]\nz=3\n");

    ASSERT_TRUE(ini.WriteString(file, "a", "X", "10"));         // existing: replaced in place
    ASSERT_TRUE(ini.WriteString(file, "A", "new", "4"));        // new key: end of its section
    ASSERT_TRUE(ini.WriteString(file, "C", "k", "v"));          // new section: end of file
    ASSERT_TRUE(ini.WriteString(file, "B", "z", std::nullopt)); // null value deletes the key
    EXPECT_EQ(ReadFileBytes(file), "[A]\nx=10\ny=2\nnew=4\n\n[B]\n[C]\nk=v\n");

    ASSERT_TRUE(ini.DeleteSection(file, "a"));
    ASSERT_TRUE(ini.WriteString(file, "A", "x", "1")); // a rewritten section goes last
    EXPECT_EQ(ReadFileBytes(file), "[B]\n[C]\nk=v\n[A]\nx=1\n");
}

TEST(ProfileIni, ReplacingASectionWritesWhatKeyByKeyWritesWould)
{
    TempDir tmp;
    ProfileIni ini{test::TestFiles()};
    const auto byKey = tmp.path() / "by-key.ini";
    const auto whole = tmp.path() / "whole.ini";
    const std::string start = "[M]\nold=1\n[Other]\nx=1\n";
    WriteFileBytes(byKey, start);
    WriteFileBytes(whole, start);
    const std::vector<ProfileIni::KeyValue> keys = {
        {"Count", "2"}, {"Item0", "A   Dn"}, {"bad\nkey", "v"}, {"count", "3"}, {"Item1", "50 ms"}};

    ini.DeleteSection(byKey, "m");
    for (const auto& [k, v] : keys)
        ini.WriteString(byKey, "m", k, v);
    ASSERT_TRUE(ini.ReplaceSection(whole, "m", keys));
    EXPECT_EQ(ReadFileBytes(whole), ReadFileBytes(byKey));
    EXPECT_EQ(ReadFileBytes(whole), "[Other]\nx=1\n[m]\nCount=3\nItem0=A   Dn\nItem1=50 ms\n");
}

TEST(ProfileIni, DuplicateSectionsAndKeysActOnTheFirst)
{
    TempDir tmp;
    ProfileIni ini{test::TestFiles()};
    const auto file = tmp.path() / "d.ini";
    WriteFileBytes(file, "[S]\nk=1\nk=2\n[S]\nk=3\n");
    ASSERT_TRUE(ini.WriteString(file, "S", "k", "9"));
    EXPECT_EQ(ReadFileBytes(file), "[S]\nk=9\nk=2\n[S]\nk=3\n");
    ASSERT_TRUE(ini.DeleteSection(file, "S"));
    EXPECT_EQ(ReadFileBytes(file), "[S]\nk=3\n");
    EXPECT_EQ(ini.ReadString(file, "S", "k"), "3");
}

TEST(ProfileIni, KeepsTheEncodingAndLineEndsOfAWindowsFile)
{
    TempDir tmp;
    ProfileIni ini{test::TestFiles()};
    const auto file = tmp.path() / "utf16.ini";
    // "[S]\r\nk=ä\r\n" in UTF-16LE with its byte-order mark.
    const std::string utf16("\xFF\xFE[\0S\0]\0\r\0\n\0k\0=\0\xE4\0\r\0\n\0", 22);
    WriteFileBytes(file, utf16);
    EXPECT_EQ(ini.ReadString(file, "S", "k"), "\xC3\xA4");

    ASSERT_TRUE(ini.WriteString(file, "S", "n", "\xE2\x82\xAC")); // euro sign
    const std::string expected = utf16 + std::string("n\0=\0\xAC\x20\r\0\n\0", 10);
    EXPECT_EQ(ReadFileBytes(file), expected);
}

TEST(ProfileIni, WriteFailuresLeaveTheFileAsItWas)
{
    TempDir tmp;
    ProfileIni ini{test::TestFiles()};
    EXPECT_FALSE(ini.WriteString(tmp.path() / "no-such-folder" / "x.ini", "S", "k", "v"));

    const auto file = tmp.path() / "f.ini";
    WriteFileBytes(file, "[S]\nk=v\n");
    // Values and names that would change the file's structure are refused.
    EXPECT_FALSE(ini.WriteString(file, "S", "k", "a\n[Other]\nx=1"));
    EXPECT_FALSE(ini.WriteString(file, "S]", "k", "v"));
    EXPECT_FALSE(ini.WriteString(file, "S", "a=b", "v"));
    EXPECT_EQ(ReadFileBytes(file), "[S]\nk=v\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(tmp.path()), {}), 1);
}

TEST(ProfileIni, SeesChangesMadeBehindItsBack)
{
    TempDir tmp;
    ProfileIni ini{test::TestFiles()};
    const auto file = tmp.path() / "c.ini";
    WriteFileBytes(file, "[S]\nk=1\n");
    EXPECT_EQ(ini.ReadString(file, "S", "k"), "1");
    std::filesystem::remove(file);
    EXPECT_EQ(ini.ReadString(file, "S", "k", "gone"), "gone");
    WriteFileBytes(file, "[S]\nk=22\n");
    EXPECT_EQ(ini.ReadString(file, "S", "k"), "22");
}

TEST(ProfileIni, AnyBytesReadWithoutHarm)
{
    TempDir tmp;
    ProfileIni ini{test::TestFiles()};
    const auto file = tmp.path() / "junk.ini";
    std::string junk;
    for (int i = 0; i < 70000; ++i)
        junk += char((i * 131) ^ (i >> 3));
    junk += "\n[S]\nk=\xFF\xFE\xC3\n" + std::string(900 << 10, 'y'); // under the 1 MiB an INI file may hold
    WriteFileBytes(file, junk);
    EXPECT_EQ(ini.ReadString(file, "S", "k"), "\xFF\xFE\xC3");
    EXPECT_EQ(ini.ReadString(file, "S", "nothing", "d"), "d");
    // An odd-length UTF-16 file and a lone surrogate decode to replacement characters.
    WriteFileBytes(file, std::string("\xFF\xFE[\0S\0]\0\n\0k\0=\0\x00\xD8\n", 17));
    EXPECT_EQ(ini.ReadString(file, "S", "k"), "\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(ProfileIni, LeadingNumberReader)
{
    const struct {
        const char* text;
        int value;
    } cases[] = {{"12", 12},
                 {"  7abc", 7},
                 {"-3", -3},
                 {"+4", 4},
                 {"", 0},
                 {"abc", 0},
                 {"- 3", 0},
                 {"--3", 0},
                 {"3.9", 3},
                 {"99999999999", INT_MAX},
                 {"-99999999999", INT_MIN},
                 {"\t 2000000000", 2000000000}};
    for (const auto& c : cases)
        EXPECT_EQ(ParseLeadingInt(c.text), c.value) << '"' << c.text << '"';
}

} // namespace
} // namespace lumeno
