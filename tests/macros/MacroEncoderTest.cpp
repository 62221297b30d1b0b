#include "macros/MacroEncoder.h"

#include "config/ProfileIni.h"
#include "support/TestContext.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace lumeno {
namespace {

using Bytes = std::vector<uint8_t>;
using Lines = std::vector<std::string>;

// A slot that held something before, so that stale bytes would show.
std::array<uint8_t, kMacroSlotSize> EncodedSlot(const char* loop, const Lines& lines, MacroEncodePath path)
{
    std::array<uint8_t, kMacroSlotSize> slot;
    slot.fill(0xAA);
    EncodeMacro(loop, lines, path, slot);
    return slot;
}

// The slot is `prefix` followed by zeros.
void ExpectSlot(const std::array<uint8_t, kMacroSlotSize>& slot, const Bytes& prefix, const char* what)
{
    Bytes expected(prefix);
    expected.resize(kMacroSlotSize, 0);
    EXPECT_EQ(Bytes(slot.begin(), slot.end()), expected) << what;
}

struct EncodeCase {
    const char* what;
    const char* loop;
    Lines lines;
    MacroEncodePath path;
    Bytes prefix;
};

const EncodeCase kEncodeCases[] = {
    {"press, delay, release",
     "3",
     {"A   Dn", "120 ms", "A   Up"},
     MacroEncodePath::Library,
     {0x00, 0x03, 0x05, 0x04, 0xFF, 0x04, 0x00, 0x78}},
    {"same on the manager path",
     "3",
     {"A   Dn", "120 ms", "A   Up"},
     MacroEncodePath::Manager,
     {0x00, 0x03, 0x32, 0x04, 0xFF, 0x04, 0x00, 0x78}},
    {"no delay line: default 50 ms",
     "1",
     {"A   Dn", "A   Up"},
     MacroEncodePath::Library,
     {0x00, 0x01, 0x05, 0x04, 0xFF, 0x04, 0x00, 0x32}},
    {"5 ms becomes 10 ms",
     "1",
     {"A   Dn", "5 ms", "A   Up"},
     MacroEncodePath::Library,
     {0x00, 0x01, 0x05, 0x04, 0xFF, 0x04, 0x00, 0x0A}},
    {"0 ms becomes 10 ms",
     "1",
     {"A   Dn", "0 ms", "A   Up"},
     MacroEncodePath::Library,
     {0x00, 0x01, 0x05, 0x04, 0xFF, 0x04, 0x00, 0x0A}},
    {"a delay of 70000 ms is held at the 16-bit maximum",
     "1",
     {"A   Dn", "70000 ms", "A   Up"},
     MacroEncodePath::Library,
     {0x00, 0x01, 0x05, 0x04, 0xFF, 0x04, 0xFF, 0xFF}},
    {"a hand-edited delay line is read without its \" ms\"",
     "1",
     {"A   Dn", "12 ms34", "A   Up", " ms500", "B   Dn"},
     MacroEncodePath::Library,
     {0x00, 0x01, 0x05, 0x04, 0xFF, 0x04, 0x04, 0xD2, 0x7F, 0x05, 0x01, 0xF4}},
    {"1000 ms",
     "1",
     {"Shift   Dn", "1000 ms", "B   Dn"},
     MacroEncodePath::Library,
     {0x00, 0x01, 0x05, 0xE1, 0x7F, 0x05, 0x03, 0xE8}},
    {"mouse button",
     "1",
     {"L-Button   Dn", "L-Button   Up"},
     MacroEncodePath::Library,
     {0x00, 0x01, 0x05, 0xF0, 0xFF, 0xF0, 0x00, 0x32}},
    {"App is unknown to the library path",
     "1",
     {"App   Dn", "App   Up"},
     MacroEncodePath::Library,
     {0x00, 0x01, 0x05, 0x00, 0xFF, 0x00, 0x00, 0x32}},
    {"App is 0x65 on the manager path",
     "1",
     {"App   Dn", "App   Up"},
     MacroEncodePath::Manager,
     {0x00, 0x01, 0x32, 0x65, 0xFF, 0x65, 0x00, 0x32}},
    {"lines of no meaning are skipped",
     "2",
     {"A   Dn", "hello", "", "A   Up"},
     MacroEncodePath::Library,
     {0x00, 0x02, 0x05, 0x04, 0xFF, 0x04, 0x00, 0x32}},
    {"loop count 0 plays once", "0", {"A   Dn"}, MacroEncodePath::Library, {0x00, 0x01, 0x05, 0x04}},
    {"loop count 70000 plays once", "70000", {"A   Dn"}, MacroEncodePath::Library, {0x00, 0x01, 0x05, 0x04}},
    {"loop count 65535", "65535", {"A   Dn"}, MacroEncodePath::Library, {0xFF, 0xFF, 0x05, 0x04}},
    {"unparsable loop count plays once", "many", {"A   Dn"}, MacroEncodePath::Library, {0x00, 0x01, 0x05, 0x04}},
    {"empty sequence clears the slot", "5", {}, MacroEncodePath::Library, {}},
    {"a leading release is skipped",
     "1",
     {"A   Up", "B   Dn", "80 ms", "B   Up"},
     MacroEncodePath::Library,
     {0x00, 0x01, 0x05, 0x05, 0xFF, 0x05, 0x00, 0x50}},
    {"a leading delay is skipped",
     "1",
     {"300 ms", "A   Dn", "A   Up"},
     MacroEncodePath::Library,
     {0x00, 0x01, 0x05, 0x04, 0xFF, 0x04, 0x00, 0x32}},
    {"no press at all clears the slot", "4", {"A   Up", "20 ms", "B   Up"}, MacroEncodePath::Library, {}},
};

TEST(MacroEncoder, EncodesOneMacro)
{
    for (const auto& c : kEncodeCases)
        ExpectSlot(EncodedSlot(c.loop, c.lines, c.path), c.prefix, c.what);
}

Lines PressesAndReleases(int pairs)
{
    Lines lines;
    for (int i = 0; i < pairs; ++i) {
        const std::string key(1, char('A' + i % 26));
        lines.push_back(key + "   Dn");
        lines.push_back(key + "   Up");
    }
    return lines;
}

TEST(MacroEncoder, LongSequenceKeepsThirtyTwoEventsAndTheStartOfTheThirtyThird)
{
    // 40 presses and releases: events 1..80; events 1..32 fit, event 33 (the
    // press of the 17th key, "Q") leaves its type and key in bytes 128..129.
    const auto slot = EncodedSlot("1", PressesAndReleases(40), MacroEncodePath::Library);
    EXPECT_EQ(slot[2], 0x05);
    EXPECT_EQ(slot[3], 0x04); // event 1: press A
    EXPECT_EQ(Bytes(slot.begin() + 4, slot.begin() + 8), (Bytes{0xFF, 0x04, 0x00, 0x32}));
    EXPECT_EQ(Bytes(slot.begin() + 124, slot.begin() + 128), (Bytes{0xFF, 0x13, 0x00, 0x32})); // event 32: release P
    EXPECT_EQ(slot[128], 0x7F);
    EXPECT_EQ(slot[129], 0x14); // event 33: press Q
}

TEST(MacroEncoder, ManagerRecordHoldsOneHundredTwentySevenEvents)
{
    ManagerRecord record;
    record.fill(0xAA);
    EncodeMacro("1", PressesAndReleases(70), MacroEncodePath::Manager, record);
    // Event 127 is the press of key 64 (0-based 63 -> 'L'); its delay ends the record.
    EXPECT_EQ(Bytes(record.end() - 4, record.end()), (Bytes{0x7F, 0x0F, 0x00, 0x32}));
    // A short record is never written past its end.
    std::array<uint8_t, 7> tiny{};
    std::array<uint8_t, 9> guarded{};
    guarded.fill(0xEE);
    EncodeMacro("1", PressesAndReleases(3), MacroEncodePath::Library,
                std::span<uint8_t>(guarded.data() + 1, tiny.size()));
    EXPECT_EQ(guarded.front(), 0xEE);
    EXPECT_EQ(guarded.back(), 0xEE);
}

// --- the library file ------------------------------------------------------

class LibraryEncodeTest : public ::testing::Test {
protected:
    void WriteLibrary(const std::string& text) { test::WriteFileBytes(file_, text); }

    // n macros: macro i presses and releases key 'A'+i, loop count i+1.
    static std::string Library(int n, int count)
    {
        std::string text = "[MacroName]\nMacroCount=" + std::to_string(count) + "\n";
        for (int i = 0; i < n; ++i)
            text += std::to_string(i) + "=M" + std::to_string(i) + "\n";
        for (int i = 0; i < n; ++i) {
            const char key = char('A' + i);
            text += "[M" + std::to_string(i) + "]\nDelayTimeSelStatus=0\nMacroLoopTimes=" + std::to_string(i + 1) +
                    "\nItemCount=2\nItem0=" + key + "   Dn\nItem1=" + key + "   Up\n";
        }
        return text;
    }

    test::TempDir tmp_;
    std::filesystem::path file_ = tmp_.path() / "record.ini";
    ProfileIni ini_{test::TestFiles()};
};

TEST_F(LibraryEncodeTest, ThreeMacrosLeaveLibrarySlotsThreeToElevenUntouched)
{
    WriteLibrary(Library(3, 3));
    ConfigImage image{};
    std::fill(image.Bytes().begin(), image.Bytes().end(), uint8_t{0xAA});
    EncodeLibrary(ini_, file_, image);

    for (int k = 0; k < 3; ++k) {
        const uint8_t key = uint8_t(0x04 + k);
        const Bytes expected = {0x00, uint8_t(k + 1), 0x05, key, 0xFF, key, 0x00, 0x32};
        EXPECT_EQ(Bytes(image.macroMemory[k], image.macroMemory[k] + 8), expected) << k;
        EXPECT_TRUE(std::all_of(image.macroMemory[k] + 8, image.macroMemory[k] + kMacroSlotSize,
                                [](uint8_t b) { return b == 0; }));
    }
    for (int k = 3; k < kMacroSlotCount; ++k)
        EXPECT_TRUE(std::all_of(image.macroMemory[k], image.macroMemory[k] + kMacroSlotSize, [](uint8_t b) {
            return b == 0xAA;
        })) << k;
    EXPECT_EQ(image.macroIndex[0], 0xAA); // nothing outside macroMemory
    EXPECT_EQ(image.reserved1889[0], 0xAA);
}

TEST_F(LibraryEncodeTest, ThreeMacrosLeaveManagerRecordsThreeToElevenZero)
{
    WriteLibrary(Library(3, 3));
    ManagerMacroCopy copy;
    for (auto& r : copy)
        r.fill(0xAA);
    EncodeForManager(ini_, file_, copy);
    EXPECT_EQ(Bytes(copy[2].begin(), copy[2].begin() + 8), (Bytes{0x00, 0x03, 0x32, 0x06, 0xFF, 0x06, 0x00, 0x32}));
    for (int k = 3; k < kMacroSlotCount; ++k)
        EXPECT_TRUE(std::all_of(copy[k].begin(), copy[k].end(), [](uint8_t b) { return b == 0; }));

    ConfigImage image{};
    std::fill(image.Bytes().begin(), image.Bytes().end(), uint8_t{0xAA});
    CopyManagerCopyToImage(copy, image);
    EXPECT_TRUE(std::equal(copy[2].begin(), copy[2].begin() + kMacroSlotSize, image.macroMemory[2]));
    EXPECT_EQ(image.macroMemory[11][0], 0);
    EXPECT_EQ(image.macroMode[7], 0xAA);
    EXPECT_EQ(image.reserved1889[0], 0xAA);
}

TEST_F(LibraryEncodeTest, OnlyTheFirstTwelveMacrosAreEncoded)
{
    WriteLibrary(Library(14, 14));
    ConfigImage image{};
    EncodeLibrary(ini_, file_, image);
    EXPECT_EQ(image.macroMemory[11][3], 0x04 + 11);
    EXPECT_EQ(image.reserved1889[0], 0);
}

TEST_F(LibraryEncodeTest, MissingLibraryChangesNothing)
{
    ConfigImage image{};
    std::fill(image.Bytes().begin(), image.Bytes().end(), uint8_t{0x5A});
    EncodeLibrary(ini_, file_, image);
    EXPECT_TRUE(std::all_of(image.Bytes().begin(), image.Bytes().end(), [](uint8_t b) { return b == 0x5A; }));
}

TEST_F(LibraryEncodeTest, EmptyLibraryClearsTheManagerCopy)
{
    WriteLibrary("[MacroName]\nMacroCount=0\n0=\n");
    ManagerMacroCopy copy;
    for (auto& r : copy)
        r.fill(0xAA);
    EncodeForManager(ini_, file_, copy);
    for (const auto& r : copy)
        EXPECT_TRUE(std::all_of(r.begin(), r.end(), [](uint8_t b) { return b == 0; }));
}

TEST_F(LibraryEncodeTest, IndexedNameWithoutSectionEncodesAsEmpty)
{
    WriteLibrary("[MacroName]\nMacroCount=2\n0=Ghost\n1=\n");
    ConfigImage image{};
    std::fill(image.Bytes().begin(), image.Bytes().end(), uint8_t{0xAA});
    EncodeLibrary(ini_, file_, image);
    for (int k = 0; k < 2; ++k)
        EXPECT_TRUE(
            std::all_of(image.macroMemory[k], image.macroMemory[k] + kMacroSlotSize, [](uint8_t b) { return b == 0; }));
    EXPECT_EQ(image.macroMemory[2][0], 0xAA);
}

} // namespace
} // namespace lumeno
