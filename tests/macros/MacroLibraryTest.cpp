#include "macros/MacroLibraryFile.h"
#include "macros/MacroLine.h"
#include "macros/MacroNames.h"

#include "config/ProfileIni.h"
#include "platform/Pacer.h"
#include "support/TestContext.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lumeno {
namespace {

using Names = std::vector<std::string>;

class MacroLibraryFileTest : public ::testing::Test {
protected:
    void Create(const std::string& text = "") { test::WriteFileBytes(file_, text); }
    std::string Text() const { return test::ReadFileBytes(file_); }

    test::TempDir tmp_;
    std::filesystem::path file_ = tmp_.path() / "record.ini";
    ProfileIni ini_{test::TestFiles()};
    VirtualPacer pacer_;
    MacroLibraryFile library_{ini_, file_, &pacer_};
};

TEST_F(MacroLibraryFileTest, WritesTheExampleLibraryKeyByKey)
{
    Create();
    library_.WriteIndex({"Macro_1", "Macro_2"});
    library_.WriteMacro("Macro_1", true, "3", {"A   Dn", "120 ms", "A   Up"});
    EXPECT_EQ(pacer_.Now(), kMacroWritePause);
    library_.WriteMacro("Macro_2", false, "1", {"L-Button   Dn", "L-Button   Up"});
    EXPECT_EQ(pacer_.Now(), 2 * kMacroWritePause);

    EXPECT_EQ(Text(), "[MacroName]\nMacroCount=2\n0=Macro_1\n1=Macro_2\n"
                      "[Macro_1]\nDelayTimeSelStatus=1\nMacroLoopTimes=3\nItemCount=3\n"
                      "Item0=A   Dn\nItem1=120 ms\nItem2=A   Up\n"
                      "[Macro_2]\nDelayTimeSelStatus=0\nMacroLoopTimes=1\nItemCount=2\n"
                      "Item0=L-Button   Dn\nItem1=L-Button   Up\n");

    EXPECT_EQ(library_.LoadNames(), (Names{"Macro_1", "Macro_2"}));
    const StoredMacro m = library_.LoadMacro("macro_1"); // sections ignore case
    EXPECT_EQ(m.delayStatus, "1");
    EXPECT_EQ(m.loopTimes, "3");
    EXPECT_EQ(m.lines, (Names{"A   Dn", "120 ms", "A   Up"}));
}

TEST_F(MacroLibraryFileTest, EmptySequenceLeavesNoSection)
{
    Create();
    library_.WriteMacro("Fire", false, "2", {"A   Dn"});
    library_.WriteMacro("Fire", false, "2", {});
    EXPECT_EQ(Text(), "");
    const StoredMacro m = library_.LoadMacro("Fire");
    EXPECT_TRUE(m.lines.empty());
    EXPECT_EQ(LoopCountOf(m.loopTimes), 1);
    EXPECT_EQ(m.delayStatus, "");
}

TEST_F(MacroLibraryFileTest, EmptyIndexKeepsAnEmptyKeyZero)
{
    Create("[MacroName]\nMacroCount=1\n0=Only\n[Only]\nItemCount=0\n");
    library_.WriteIndex({});
    library_.DeleteMacroSection("Only");
    EXPECT_EQ(Text(), "[MacroName]\nMacroCount=0\n0=\n");
    EXPECT_TRUE(library_.LoadNames().empty());
}

TEST_F(MacroLibraryFileTest, OnlyLoopTimesCreatesAMissingFile)
{
    library_.WriteIndex({"A"});
    library_.WriteMacro("A", false, "1", {"A   Dn"});
    library_.DeleteMacroSection("A");
    library_.WriteMacroSection("A", "0", "1", {});
    EXPECT_FALSE(library_.Exists());
    EXPECT_EQ(pacer_.Now().count(), 0);

    library_.WriteLoopTimes("Macro_1", "1");
    EXPECT_EQ(Text(), "[Macro_1]\nMacroLoopTimes=1\n");
}

TEST_F(MacroLibraryFileTest, MacroNamesNeverReachTheIndexSection)
{
    const std::string index = "[MacroName]\nMacroCount=1\n0=macroname\n";
    Create(index);
    library_.WriteMacro("macroname", false, "1", {"A   Dn"});
    library_.WriteMacroSection("MACRONAME", "0", "1", {"A   Dn"});
    library_.WriteLoopTimes("MacroName", "5");
    library_.DeleteMacroSection("MacroName");
    library_.WriteMacro("", false, "1", {"A   Dn"});
    EXPECT_EQ(Text(), index);
    EXPECT_TRUE(library_.LoadMacro("MacroName").lines.empty());
}

struct CountCase {
    const char* file;
    size_t names;
};

TEST_F(MacroLibraryFileTest, DamagedCountsReadQuickly)
{
    const CountCase cases[] = {
        {"[MacroName]\nMacroCount=2000000000\n0=A\n", 12},
        {"[MacroName]\nMacroCount=-3\n0=A\n", 0},
        {"[MacroName]\nMacroCount=99999999999999999999\n", 12},
        {"[MacroName]\nMacroCount=two\n0=A\n", 0},
        {"", 0},
    };
    for (const auto& c : cases) {
        Create(c.file);
        EXPECT_EQ(library_.LoadNames().size(), c.names) << c.file;
    }
    Create("[M]\nItemCount=1000000000\nItem0=A   Dn\n");
    const StoredMacro m = library_.LoadMacro("M");
    EXPECT_EQ(m.lines.size(), size_t(kMaxMacroLines));
    EXPECT_EQ(m.lines[0], "A   Dn");
    EXPECT_EQ(m.lines[1], "");
}

// --- lines ----------------------------------------------------------------

TEST(MacroLine, KindsAndKeyNames)
{
    struct Case {
        const char* line;
        MacroLineKind kind;
        const char* key;
        bool delay;
    } const cases[] = {
        {"Shift   Dn", MacroLineKind::Press, "Shift", false}, {"Shift   Up", MacroLineKind::Release, "Shift", false},
        {"50 ms", MacroLineKind::Other, "50 ms", true},       {"1000 ms", MacroLineKind::Other, "1000 ms", true},
        {"Up   Up", MacroLineKind::Release, "Up", false},     {"A   Up   Dn", MacroLineKind::Press, "A   Up", false},
        {"A  Dn", MacroLineKind::Other, "A  Dn", false},      {"", MacroLineKind::Other, "", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(KindOfLine(c.line), c.kind) << c.line;
        EXPECT_EQ(KeyNameOfLine(c.line), c.key) << c.line;
        EXPECT_EQ(IsDelayLine(c.line), c.delay) << c.line;
    }
    EXPECT_EQ(PressLine("Num Enter"), "Num Enter   Dn");
    EXPECT_EQ(ReleaseLine("A"), "A   Up");
    EXPECT_EQ(DelayLine(250), "250 ms");
}

// --- names ----------------------------------------------------------------

TEST(MacroNames, DefaultNameFollowsTheLastAndNeverRepeats)
{
    struct Case {
        Names names;
        const char* word;
        const char* expected;
    } const cases[] = {
        {{}, "Macro", "Macro_1"},
        {{"Macro_1", "Macro_2"}, "Macro", "Macro_3"},
        {{"Macro_1", "Fire"}, "Macro", "Macro_3"},
        {{"A", "B", "Fire"}, "Macro", "Macro_4"},
        {{"A", "Macro_7"}, "Macro", "Macro_8"},
        {{"X", "My_Fire"}, "Macro", "Macro_1"},
        {{"Macro_1", "My_Fire"}, "Macro", "Macro_2"},            // not a second Macro_1
        {{"macro_1", "MACRO_2", "My_Fire"}, "Macro", "Macro_3"}, // sections ignore case
        {{"Makro_2"}, "Makro", "Makro_3"},
        {{"x_2147483647"}, "Macro", "Macro_2147483648"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DefaultMacroName(c.names, c.word), c.expected) << c.expected;
    EXPECT_EQ(MacroWordForLanguage("EN"), "Macro");
    EXPECT_EQ(MacroWordForLanguage("DE"), "Makro");
    EXPECT_EQ(MacroWordForLanguage("CHS"), "宏");
    EXPECT_EQ(MacroWordForLanguage("CHT"), "巨集");
    EXPECT_EQ(MacroWordForLanguage("xx"), "Macro");
}

TEST(MacroNames, RenameRules)
{
    const Names names = {"Fire", "Jump", "Run"};
    struct Case {
        const char* typed;
        const char* accepted; // nullptr: refused
    } const cases[] = {
        {"Blast", "Blast"},      {"  Blast\t", "Blast"}, {"fire", nullptr}, // another macro's section
        {"Jump", nullptr},       {"JUMP", nullptr},      {"Run", "Run"},    // its own name
        {"run", "run"},                                                     // its own section
        {"", nullptr},           {"   ", nullptr},       {"MacroName", nullptr},  {"macroNAME", nullptr},
        {"a[b", nullptr},        {"a]b", nullptr},       {"two\nlines", nullptr}, {"cr\r", nullptr},
        {"\"quoted\"", nullptr}, {"'quoted'", nullptr},  {"a=b;c", "a=b;c"},      {"宏_9", "宏_9"},
    };
    for (const auto& c : cases) {
        const auto got = AcceptedMacroRename(names, 2, c.typed);
        if (c.accepted) {
            ASSERT_TRUE(got.has_value()) << c.typed;
            EXPECT_EQ(*got, c.accepted);
        } else {
            EXPECT_FALSE(got.has_value()) << c.typed;
        }
    }
    EXPECT_FALSE(AcceptedMacroRename(names, 0, std::string(kProfileBufferChars, 'x')));
}

TEST(MacroNames, CaptionNamesTheTextAfterItsLastColon)
{
    EXPECT_EQ(MacroNameOfCaption("Macro:Fire"), "Fire");
    EXPECT_EQ(MacroNameOfCaption("Makro:a:b"), "b");
    EXPECT_EQ(MacroNameOfCaption("Macro:"), "");
    EXPECT_FALSE(MacroNameOfCaption("Click").has_value());
}

// Names the rename accepts come back from the file as they were written.
TEST_F(MacroLibraryFileTest, AcceptedNamesSurviveTheFile)
{
    Create();
    const Names names = {"a=b", ";c", "#d", "宏_1", "x y", "Ä'"};
    library_.WriteIndex(names);
    for (const auto& n : names) {
        ASSERT_TRUE(AcceptedMacroRename(names, &n - names.data(), n)) << n;
        library_.WriteMacro(n, false, "2", {"A   Dn"});
    }
    EXPECT_EQ(library_.LoadNames(), names);
    for (const auto& n : names)
        EXPECT_EQ(library_.LoadMacro(n).lines, Names{"A   Dn"}) << n;
}

} // namespace
} // namespace lumeno
