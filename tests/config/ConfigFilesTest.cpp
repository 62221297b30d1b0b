#include "config/ConfigFiles.h"

#include "config/ProfileSettings.h"
#include "flows/ProfileLoad.h"
#include "support/TestContext.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace lumeno {
namespace {

using test::ReadFileBytes;
using test::WriteFileBytes;

class ConfigFiles : public ::testing::Test, protected test::ContextFixture {
protected:
    void WriteProfileList(std::string_view text) { WriteFileBytes(dataDir / "str.ini", text); }
    void FillImage(uint8_t seed)
    {
        for (size_t i = 0; i < kConfigImageSize; ++i)
            ctx.image.Bytes()[i] = uint8_t(i * 31 + seed);
    }
    std::string ImageBytes() const { return std::string(ctx.image.Bytes().begin(), ctx.image.Bytes().end()); }
};

TEST_F(ConfigFiles, SaveThenLoadRestoresEveryByte)
{
    WriteProfileList("[Profile]\nCurProfileName=Two\nItemCount=2\nItem0=One\nItem1=Two\n");
    ctx.currentProfileNumber = 1;
    FillImage(3);
    const std::string saved = ImageBytes();
    ASSERT_TRUE(SaveConfigFile(ctx));
    EXPECT_TRUE(debug.Contains("Data num:1 BYTE -1892 BYTE\n Struct size:1892 BYTE"));
    EXPECT_EQ(ctx.paths.currentSettingsFile, dataDir / "str1.ini");

    const std::string file = ReadFileBytes(dataDir / "config1.bin");
    ASSERT_EQ(file.size(), 1893u);
    EXPECT_EQ(file[0], '\x01');

    FillImage(99);
    ctx.currentProfileNumber = 0;
    EXPECT_EQ(LoadConfigFile(ctx), ConfigLoad::Loaded);
    EXPECT_EQ(ctx.currentProfileNumber, 1);
    EXPECT_EQ(ImageBytes(), saved);
    EXPECT_TRUE(debug.Contains("Program First Run Flag:1\nRead Size is: 1892"));
}

TEST_F(ConfigFiles, ShortFileFillsOnlyItsBytes)
{
    WriteProfileList("[Profile]\nCurProfileName=A\nItemCount=1\nItem0=A\n");
    WriteFileBytes(dataDir / "config0.bin", std::string(1, '\x07') + std::string(99, '\x55'));
    FillImage(1);
    const std::string before = ImageBytes();
    LoadConfigFile(ctx);
    EXPECT_TRUE(debug.Contains("Program First Run Flag:7\nRead Size is: 99"));
    EXPECT_EQ(ImageBytes().substr(0, 99), std::string(99, '\x55'));
    EXPECT_EQ(ImageBytes().substr(99), before.substr(99));
}

TEST_F(ConfigFiles, ProfileListChoosesTheFile)
{
    const struct {
        const char* list;
        int startNumber;
        ConfigLoad result;
        int number;
    } cases[] = {
        {"[Profile]\nCurProfileName=B\nItemCount=3\nItem0=A\nItem1=B\nItem2=B\n", 0, ConfigLoad::Loaded, 2},
        {"[Profile]\nCurProfileName=b\nItemCount=2\nItem0=A\nItem1=B\n", 1, ConfigLoad::Loaded, 1},
        {"[Profile]\nCurProfileName=Z\nItemCount=2\nItem0=A\nItem1=B\n", 0, ConfigLoad::Loaded, 0},
        {"[Profile]\nCurProfileName=A\nItemCount=7\nItem0=A\n", 0, ConfigLoad::NoProfileList, 0},
        {"[Profile]\nCurProfileName=A\nItemCount=0\nItem0=A\n", 0, ConfigLoad::NoProfileList, 0},
        {"[Profile]\nCurProfileName=A\nItemCount=-3\nItem0=A\n", 0, ConfigLoad::NoProfileList, 0},
        {"[Profile]\nCurProfileName=A\nItemCount=two\n", 0, ConfigLoad::NoProfileList, 0},
        {"", 0, ConfigLoad::NoProfileList, 0},
    };
    for (const auto& c : cases) {
        WriteProfileList(c.list);
        ctx.currentProfileNumber = uint8_t(c.startNumber);
        EXPECT_EQ(LoadConfigFile(ctx), c.result) << c.list;
        EXPECT_EQ(ctx.currentProfileNumber, c.number) << c.list;
    }
}

TEST_F(ConfigFiles, InvalidCountReadsNothing)
{
    WriteProfileList("[Profile]\nCurProfileName=A\nItemCount=7\nItem0=A\n");
    WriteFileBytes(dataDir / "config0.bin", std::string(1893, '\x11'));
    FillImage(5);
    const std::string before = ImageBytes();
    debug.lines.clear();
    EXPECT_EQ(LoadConfigFile(ctx), ConfigLoad::NoProfileList);
    EXPECT_EQ(ImageBytes(), before);
    EXPECT_TRUE(debug.lines.empty());
}

TEST_F(ConfigFiles, ResetLoadsTheBaseFileAndSavesTheProfileFile)
{
    WriteProfileList("[Profile]\nCurProfileName=A\nItemCount=2\nItem0=X\nItem1=A\n");
    const std::string base = std::string(1, '\x01') + std::string(1892, '\x42');
    WriteFileBytes(dataDir / "config.bin", base);
    ctx.currentProfileNumber = 1;
    ctx.resetInProgress = true;
    LoadConfigFile(ctx);
    EXPECT_EQ(ImageBytes(), std::string(1892, '\x42'));
    EXPECT_EQ(ctx.paths.currentSettingsFile, dataDir / "str.ini");
    ctx.resetInProgress = false;
    ASSERT_TRUE(SaveConfigFile(ctx));
    EXPECT_EQ(ReadFileBytes(dataDir / "config.bin"), base);
    EXPECT_EQ(ReadFileBytes(dataDir / "config1.bin"), base);
}

TEST_F(ConfigFiles, MissingFileLeavesTheImage)
{
    WriteProfileList("[Profile]\nCurProfileName=A\nItemCount=1\nItem0=A\n");
    FillImage(8);
    const std::string before = ImageBytes();
    LoadConfigFile(ctx);
    EXPECT_TRUE(debug.Contains("Config file is not exist.\n"));
    EXPECT_EQ(ImageBytes(), before);
}

TEST_F(ConfigFiles, FailedSaveKeepsThePreviousFile)
{
    FillImage(1);
    ASSERT_TRUE(SaveConfigFile(ctx));
    const std::string previous = ReadFileBytes(dataDir / "config0.bin");

    // A file-size limit below the file's size makes the write fail part-way,
    // as a full disk would.
    FillImage(2);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 1000;
    setrlimit(RLIMIT_FSIZE, &small);
    const bool saved = SaveConfigFile(ctx);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved);
    EXPECT_TRUE(debug.Contains("Error Code is: 27 \n")); // EFBIG
    EXPECT_EQ(ReadFileBytes(dataDir / "config0.bin"), previous);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dataDir), {}), 1);
}

TEST_F(ConfigFiles, SaveIntoAMissingFolderFails)
{
    std::filesystem::remove_all(dataDir);
    EXPECT_FALSE(SaveConfigFile(ctx));
    EXPECT_EQ(debug.lines.back().rfind("Error Code is: ", 0), 0u);
}

TEST_F(ConfigFiles, FirstRunMarker)
{
    const struct {
        const char* settings;
        bool defaults;
    } cases[] = {{"", true}, {"[Profile]\nIsDefault=N\n", true}, {"[Profile]\nIsDefault=Y\n", false}};
    for (const auto& c : cases) {
        WriteProfileList("[Profile]\nCurProfileName=A\nItemCount=1\nItem0=A\n");
        std::filesystem::remove(dataDir / "config0.bin");
        WriteFileBytes(dataDir / "str0.ini", c.settings);
        FillImage(4);
        LoadConfigFile(ctx);
        RunFirstRunInitialisation(ctx);
        EXPECT_EQ(ctx.image.dpiCode100[6] == 120, c.defaults) << c.settings;
        EXPECT_EQ(std::filesystem::exists(dataDir / "config0.bin"), c.defaults) << c.settings;
        EXPECT_EQ(ctx.ini.ReadString(dataDir / "str0.ini", "Profile", "IsDefault"), "Y");
    }
}

TEST(StartupFiles, FreshInstallationGetsFolderProfileAndDefaults)
{
    test::TempDir tmp;
    test::CapturingDebugOutput debug;
    test::FixedPlatformPaths platform(tmp.path() / "config");
    AppContext ctx{debug, platform, test::TestFiles()};
    RunStartupFileSteps(ctx, "DE");

    const auto dir = tmp.path() / "config" / "Lumeno-KV580 Pro";
    EXPECT_EQ(ctx.languageCode, "DE");
    EXPECT_EQ(ctx.ini.ReadString(dir / "str.ini", "Profile", "Item0"), "Profil 1");
    ASSERT_EQ(ReadFileBytes(dir / "config0.bin").size(), 1893u);
    EXPECT_EQ(ctx.image.wheelLines, 3);

    // The next start keeps what the user changed.
    ctx.image.wheelLines = 9;
    ASSERT_TRUE(SaveConfigFile(ctx));
    AppContext again{debug, platform, test::TestFiles()};
    RunStartupFileSteps(again, "EN");
    EXPECT_EQ(again.image.wheelLines, 9);
    EXPECT_EQ(again.snapshot.wheelLines, 9);
    EXPECT_EQ(again.languageCode, "DE");
}

TEST(StartupFiles, TemporaryFilesOfAKilledSaveAreRemovedAndNothingElse)
{
    test::TempDir tmp;
    test::CapturingDebugOutput debug;
    test::FixedPlatformPaths platform(tmp.path() / "config");
    {
        AppContext first{debug, platform, test::TestFiles()};
        RunStartupFileSteps(first, "EN");
        first.image.wheelLines = 7;
        ASSERT_TRUE(SaveConfigFile(first));
    }
    const auto dir = tmp.path() / "config" / "Lumeno-KV580 Pro";
    const struct {
        const char* name;
        bool removed;
    } cases[] = {
        {"config0.bin.a1B2c3", true},  {"str0.ini.ZZZZZZ", true},      {"str.ini.Qw3rty", true},
        {"str.ini.new.000000", true},  {"record.ini.xYz789", true},    {"config.bin.abcdef", true},
        {"config0.bin.abcde", false},  {"config0.bin.abcdef1", false}, {"config0.bin.ab-def", false},
        {"config0.bin.bak", false},    {"notes.txt.abcdef", false},    {"config9.bin.abcdef", false},
        {"Config0.bin.abcdef", false},
    };
    for (const auto& c : cases)
        WriteFileBytes(dir / c.name, "a half-written file");

    AppContext again{debug, platform, test::TestFiles()};
    RunStartupFileSteps(again, "EN");
    for (const auto& c : cases)
        EXPECT_EQ(!std::filesystem::exists(dir / c.name), c.removed) << c.name;
    EXPECT_EQ(again.image.wheelLines, 7); // the whole file beside them is what loads
}

TEST(StartupFiles, LanguageOfTheDesktop)
{
    const struct {
        const char* locale;
        const char* code;
    } cases[] = {{"de_DE.UTF-8", "DE"},
                 {"zh_CN.UTF-8", "CHS"},
                 {"zh_TW.UTF-8", "CHT"},
                 {"zh_HK", "CHT"},
                 {"en_US.UTF-8", "EN"},
                 {"C", "EN"},
                 {"", "EN"}};
    for (const auto& c : cases)
        EXPECT_EQ(LanguageCodeForLocale(c.locale), c.code) << c.locale;
}

} // namespace
} // namespace lumeno
