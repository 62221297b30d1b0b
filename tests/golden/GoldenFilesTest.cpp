// Golden files: each stored format is written by the code under test into a
// temporary data folder and compared byte for byte with its file in data/.
//
// After a deliberate format change, rewrite the golden files with
//   LUMENO_UPDATE_GOLDEN=1 ./test_golden
// and review the difference before committing it. data/str0-utf16.ini is an
// input, never rewritten: str0.ini as a Windows editor saves it (UTF-16LE with
// a byte-order mark, CRLF line ends).
#include "buttons/ButtonCodes.h"
#include "config/ConfigFiles.h"
#include "config/ProfileSettings.h"
#include "flows/ProfileFlows.h"
#include "flows/ProfileLoad.h"
#include "macros/MacroEncoder.h"
#include "macros/MacroManagerModel.h"
#include "platform/Pacer.h"
#include "support/TestContext.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace lumeno {
namespace {

using test::ReadFileBytes;

const std::filesystem::path kGoldenDir = LUMENO_GOLDEN_DIR;

bool UpdateRequested()
{
    const char* value = std::getenv("LUMENO_UPDATE_GOLDEN");
    return value && std::string_view(value) == "1";
}

std::string ByteAt(const std::string& bytes, size_t offset)
{
    if (offset >= bytes.size())
        return "end of file";
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", unsigned(uint8_t(bytes[offset])));
    return text;
}

// Equal bytes, or the first offset where they differ and the byte on each side.
::testing::AssertionResult SameBytes(const std::string& actual, const std::string& expected)
{
    if (actual == expected)
        return ::testing::AssertionSuccess();
    size_t at = 0;
    while (at < actual.size() && at < expected.size() && actual[at] == expected[at])
        ++at;
    return ::testing::AssertionFailure() << "first difference at offset " << at << ": written " << ByteAt(actual, at)
                                         << ", expected " << ByteAt(expected, at) << " (sizes " << actual.size()
                                         << " and " << expected.size() << ")";
}

// The written file against data/<name>; rewrites data/<name> instead when
// LUMENO_UPDATE_GOLDEN=1.
::testing::AssertionResult MatchesGolden(const std::filesystem::path& written, const char* name)
{
    const std::filesystem::path golden = kGoldenDir / name;
    if (!std::filesystem::is_regular_file(written))
        return ::testing::AssertionFailure() << written << " was not written";
    const std::string bytes = ReadFileBytes(written);
    if (UpdateRequested()) {
        if (!std::filesystem::exists(golden) || ReadFileBytes(golden) != bytes) {
            test::WriteFileBytes(golden, bytes);
            std::printf("rewrote %s\n", golden.c_str());
        }
        return ::testing::AssertionSuccess();
    }
    if (!std::filesystem::is_regular_file(golden))
        return ::testing::AssertionFailure() << golden << " is missing; LUMENO_UPDATE_GOLDEN=1 writes it";
    return SameBytes(bytes, ReadFileBytes(golden)) << " in " << name;
}

class GoldenFiles : public ::testing::Test, protected test::ContextFixture {};

TEST_F(GoldenFiles, ConfigurationFile)
{
    LoadFactoryDefaults(ctx.image);
    ctx.image.dpiCode50[2] = 64; // stage 3: 3200 DPI
    ctx.image.dpiCode100[2] = 32;
    ctx.image.buttonFunction[5] = uint8_t(ButtonFunction::Multimedia);
    ctx.image.consumerUsage[5] = 0xE9; // Volume Up
    ctx.image.buttonFunction[4] = kMacroButtonFunction;
    ctx.image.macroIndex[4] = 0;
    ctx.image.macroMode[4] = 1;
    EncodeMacro("3", {"A   Dn", "50 ms", "A   Up"}, MacroEncodePath::Library, ctx.image.macroMemory[0]);
    ctx.currentProfileNumber = 0;
    ASSERT_TRUE(SaveConfigFile(ctx));
    EXPECT_TRUE(MatchesGolden(dataDir / "config0.bin", "config0.bin"));
}

TEST_F(GoldenFiles, ProfileListOfAFreshInstallation)
{
    RunStartupFileSteps(ctx, "DE");
    EXPECT_TRUE(MatchesGolden(dataDir / "str.ini", "str.ini"));
}

TEST_F(GoldenFiles, ProfileSettingsFile)
{
    RunStartupFileSteps(ctx, "EN");
    ASSERT_EQ(ctx.paths.currentSettingsFile, dataDir / "str0.ini");
    ctx.captions = {"Click", "Menu", "Scroll", "Zurück", "Forward", "音量+", "DPI -"};
    ASSERT_TRUE(SaveCaptions(ctx, ctx.paths.currentSettingsFile));
    EXPECT_TRUE(MatchesGolden(dataDir / "str0.ini", "str0.ini"));
}

TEST_F(GoldenFiles, ExportedProfileAndItsCompanion)
{
    RunStartupFileSteps(ctx, "EN");
    LoadFactoryDefaults(ctx.image);
    ctx.image.profileIndex = 0;
    ctx.image.dpiCode100[0] = 16; // stage 1: 1600 DPI
    ctx.image.lightingMode = 2;
    ctx.captions = {"Click", "Menu", "Scroll", "Back", "Forward", "DPI +", "Macro:Macro_1"};
    const auto folder = tmp.path() / "export";
    std::filesystem::create_directories(folder);
    // Named without an extension: the pair is profile.bin and profile.ini.
    const TransferResult result = ExportProfile(ctx, folder / "profile");
    ASSERT_EQ(result.problem, TransferProblem::None);
    EXPECT_TRUE(MatchesGolden(folder / "profile.bin", "profile.bin"));
    EXPECT_TRUE(MatchesGolden(folder / "profile.ini", "profile.ini"));
}

// A recorder hook the platform always grants.
class GrantedHook final : public RecorderHook {
public:
    bool Install(int&) override { return true; }
    void Remove() override {}
};

TEST_F(GoldenFiles, MacroLibrary)
{
    VirtualPacer pacer;
    GrantedHook hook;
    MacroManagerModel model(ctx.ini, dataDir / "record.ini", pacer, hook, "EN");
    uint64_t now = 1000;
    auto key = [&](uint32_t vk, bool up, uint64_t after) {
        now += after;
        const HookDecision d = model.OnKeyboardEvent({vk, 0, up ? kKeyFlagUp : 0u});
        ASSERT_TRUE(d.report);
        model.OnRecordedKey(*d.report, now);
    };
    model.Open({}, &ctx.image);

    // Macro_1: "A" held 50 ms with delays recorded, played three times.
    ASSERT_EQ(model.New(), MacroManagerModel::AddResult::Added);
    model.ToggleDelayOption();
    ASSERT_TRUE(model.StartRecording().started);
    key(0x41, false, 0);
    key(0x41, true, 50);
    model.StopRecording();
    model.ToggleLoopOption();
    model.SetLoopCountText("3");

    // Macro_2: "B" without delays, then a left click inserted after it.
    ASSERT_EQ(model.New(), MacroManagerModel::AddResult::Added);
    ASSERT_TRUE(model.StartRecording().started);
    key(0x42, false, 0);
    key(0x42, true, 20);
    model.StopRecording();
    model.ClickLine(1);
    model.InsertClick(MouseClickKind::Left);
    model.Ok();

    ASSERT_EQ(model.Names(), (std::vector<std::string>{"Macro_1", "Macro_2"}));
    EXPECT_TRUE(MatchesGolden(dataDir / "record.ini", "record.ini"));
}

// UTF-16LE code units as bytes, low byte first.
std::string Utf16Le(std::u16string_view text)
{
    std::string bytes;
    for (const char16_t unit : text) {
        bytes += char(unit & 0xFF);
        bytes += char(unit >> 8);
    }
    return bytes;
}

TEST_F(GoldenFiles, SettingsFileFromWindowsKeepsItsEncoding)
{
    const std::string input = ReadFileBytes(kGoldenDir / "str0-utf16.ini");
    ASSERT_TRUE(input.starts_with("\xFF\xFE")) << "the input is UTF-16LE with a byte-order mark";
    const auto file = dataDir / "str0.ini";
    test::WriteFileBytes(file, input);

    ctx.languageCode = "EN";
    LoadProfileSettings(ctx, file);
    ASSERT_EQ(ctx.captions[3], "Zurück");
    ASSERT_EQ(ctx.captions[5], "音量+");
    ctx.captions[4] = "Vorwärts";
    ASSERT_TRUE(SaveCaptions(ctx, file));

    // Only that value changed: same byte-order mark, encoding and line ends.
    std::string expected = input;
    const std::string before = Utf16Le(u"\r\nItem5=Forward\r\n");
    const size_t at = expected.find(before);
    ASSERT_NE(at, std::string::npos);
    ASSERT_EQ(at % 2, 0u);
    expected.replace(at, before.size(), Utf16Le(u"\r\nItem5=Vorwärts\r\n"));
    const std::string written = ReadFileBytes(file);
    EXPECT_TRUE(SameBytes(written, expected));
    EXPECT_TRUE(MatchesGolden(file, "str0-utf16-after.ini"));
}

} // namespace
} // namespace lumeno
