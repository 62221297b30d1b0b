// Damaged or hostile "record.ini" files: loading and encoding finish, stay
// inside the macro memory and never take the index apart.
#include "MacroTestSupport.h"

#include "macros/MacroEncoder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace lumeno {
namespace {

std::string ManyLines(int count)
{
    std::string text =
        "[MacroName]\nMacroCount=1\n0=Big\n[Big]\nMacroLoopTimes=2\nItemCount=" + std::to_string(count) + "\n";
    for (int i = 0; i < count; ++i)
        text += "Item" + std::to_string(i) + (i % 2 ? "=B   Up\n" : "=B   Dn\n");
    return text;
}

struct BadFile {
    const char* what;
    std::string text;
    size_t listed; // macros whose slots may change
};

std::vector<BadFile> BadFiles()
{
    return {
        {"huge MacroCount", "[MacroName]\nMacroCount=2000000000\n0=A\n", 12},
        {"negative MacroCount", "[MacroName]\nMacroCount=-3\n0=A\n", 0},
        {"huge ItemCount", "[MacroName]\nMacroCount=1\n0=A\n[A]\nItemCount=1000000000\nItem0=A   Dn\n", 1},
        {"100 000 lines", ManyLines(100000), 1},
        {"delays of 10^12 ms",
         "[MacroName]\nMacroCount=1\n0=A\n[A]\nItemCount=3\nItem0=A   Dn\n"
         "Item1=1000000000000 ms\nItem2=A   Up\n",
         1},
        {"names with brackets and separators",
         "[MacroName]\nMacroCount=4\n0=a[b\n1=c]d\n2=e=f\n3=;g\n[a[b]\nItemCount=1\nItem0=A   Dn\n"
         "[e=f]\nItemCount=1\nItem0=B   Dn\n",
         4},
        {"invalid UTF-8",
         "[MacroName]\nMacroCount=1\n0=\xFF\xC3(\n[\xFF\xC3(]\nItemCount=2\nItem0=\xC0\xAF   Dn\n"
         "Item1=\xE2\x82   Up\n",
         1},
        {"binary noise", std::string("\0\xFF[\n=\r\r\n]]]\0", 13), 0},
    };
}

class BadLibraryTest : public ::testing::Test, protected test::ManagerFixture {};

TEST_F(BadLibraryTest, EncodingStaysInsideTheListedSlots)
{
    for (const BadFile& bad : BadFiles()) {
        WriteLibrary(bad.text);
        ConfigImage before;
        std::fill(before.Bytes().begin(), before.Bytes().end(), uint8_t{0xA5});
        ConfigImage after = before;
        EncodeLibrary(ini, file, after);
        const size_t end = offsetof(ConfigImage, macroMemory) + bad.listed * kMacroSlotSize;
        EXPECT_TRUE(std::equal(before.Bytes().begin() + end, before.Bytes().end(), after.Bytes().begin() + end))
            << bad.what;
        EXPECT_TRUE(std::equal(before.Bytes().begin(), before.Bytes().begin() + offsetof(ConfigImage, macroMemory),
                               after.Bytes().begin()))
            << bad.what;

        ManagerMacroCopy copy;
        EncodeForManager(ini, file, copy);
        for (size_t k = bad.listed; k < copy.size(); ++k)
            EXPECT_TRUE(std::all_of(copy[k].begin(), copy[k].end(), [](uint8_t b) { return !b; })) << bad.what;

        Open(); // the manager reads the same files
        EXPECT_LE(model.Names().size(), size_t(kMacroSlotCount)) << bad.what;
        EXPECT_LE(model.Lines().size(), size_t(kMaxMacroLines)) << bad.what;
    }
}

TEST_F(BadLibraryTest, HugeDelayIsHeldAtTheMaximum)
{
    WriteLibrary(BadFiles()[4].text);
    ConfigImage image{};
    EncodeLibrary(ini, file, image);
    EXPECT_EQ(image.macroMemory[0][6], 0xFF);
    EXPECT_EQ(image.macroMemory[0][7], 0xFF);
}

TEST_F(BadLibraryTest, MacrosNamedLikeTheIndexNeverOverwriteIt)
{
    WriteLibrary("[MacroName]\nMacroCount=3\n0=macroname\n1=\n2=Real\n"
                 "[Real]\nMacroLoopTimes=2\nItemCount=1\nItem0=A   Dn\n");
    Open();
    ASSERT_EQ(model.Names(), (std::vector<std::string>{"macroname", "", "Real"}));
    model.SetLoopCountText("9");
    model.ClickLine(0);
    model.New();
    model.SelectMacro(1);
    model.SelectMacro(0);
    model.Ok();
    EXPECT_EQ(StoredNames(), (std::vector<std::string>{"macroname", "", "Real", "Macro_4"}));
    EXPECT_EQ(Stored("Real").lines, std::vector<std::string>{"A   Dn"});

    // Renaming it to a proper name gives it a section of its own.
    model.SelectMacro(0);
    model.EndRename("Proper");
    ASSERT_TRUE(model.StartRecording().started);
    Tap(0x43);
    model.StopRecording();
    EXPECT_EQ(StoredNames()[0], "Proper");
    EXPECT_EQ(Stored("Proper").lines, (std::vector<std::string>{"C   Dn", "C   Up"}));
}

} // namespace
} // namespace lumeno
