// The profile flows through the virtual mouse: switching, a new profile,
// closing the pane after a start on another profile, export and import.
#include "DeviceFixture.h"

#include "config/IniKeys.h"
#include "config/ProfileSettings.h"
#include "flows/ProfileFlows.h"
#include "flows/ProfileLoad.h"

#include <cstring>

namespace lumeno::test {
namespace {

// An image told apart by its DPI stages and a macro byte.
ConfigImage ImageWithDpi(uint8_t firstStage)
{
    ConfigImage image{};
    LoadFactoryDefaults(image);
    for (int s = 0; s < kStageCount; ++s)
        image.dpiCode100[s] = uint8_t(firstStage + s);
    image.macroMemory[0][0] = firstStage;
    return image;
}

std::string ImageBytes(const ConfigImage& image)
{
    return {reinterpret_cast<const char*>(image.Bytes().data()), kConfigImageSize};
}

struct ProfileFlows : DeviceFixture {
    ProfileFlows()
    {
        ctx.languageCode = "EN";
        Connect();
    }

    // str.ini with the names and current one; each profile's file holds an
    // image with its own DPI (10, 20, 30, ...) and its captions.
    void SeedProfiles(const std::vector<std::string>& names, int current)
    {
        const auto list = dataDir / "str.ini";
        ctx.ini.WriteString(list, kProfileSection, kCurProfileNameKey, names[size_t(current)]);
        ctx.ini.WriteString(list, kProfileSection, kItemCountKey, std::to_string(names.size()));
        for (size_t i = 0; i < names.size(); ++i) {
            ctx.ini.WriteString(list, kProfileSection, ItemKey(int(i)), names[i]);
            images.push_back(ImageWithDpi(uint8_t(10 * (i + 1))));
            ctx.image = images.back();
            ctx.currentProfileNumber = uint8_t(i);
            ASSERT_TRUE(SaveConfigFile(ctx));
            ctx.captions.fill("caption of " + names[i]);
            SaveCaptions(ctx, dataDir / SettingsFileName(int(i)));
            ctx.ini.WriteString(dataDir / SettingsFileName(int(i)), kProfileSection, kIsDefaultKey, "Y");
        }
        ctx.image = images[size_t(current)];
        ctx.captions.fill("caption of " + names[size_t(current)]);
        ctx.currentProfileNumber = uint8_t(current);
        ctx.profiles.activePosition = current;
    }

    // What the mouse receives from WriteAll of this image, on a rig of its own.
    static std::vector<TrafficRecord> WriteAllTrafficOf(const ConfigImage& image)
    {
        DeviceRig other;
        other.Connect();
        other.ctx.languageCode = "EN";
        other.ctx.image = image;
        WriteAll(other.ctx);
        return other.mouse.Traffic();
    }

    std::string FileImage(int position) const { return ReadFileBytes(dataDir / ConfigFileName(position)).substr(1); }

    std::vector<ConfigImage> images;
};

TEST_F(ProfileFlows, ASwitchWritesTheLoadedImageAndKeepsTheLiftOffSwitch)
{
    SeedProfiles({"Game", "Work"}, 0);
    ctx.image.SetLiftOffEnabled(1);
    mouse.ClearTraffic();

    SwitchProfile(ctx, 1);

    ConfigImage expected = images[1];
    expected.profileIndex = 1;
    expected.SetLiftOffEnabled(1); // the switch stays as it was
    EXPECT_EQ(ImageBytes(ctx.image), ImageBytes(expected));
    ExpectSameTraffic(mouse.Traffic(), WriteAllTrafficOf(expected), false);
    EXPECT_EQ(FileImage(1), ImageBytes(expected));
    EXPECT_EQ(ctx.captions[0], "caption of Work");
    EXPECT_EQ(ctx.profiles.activePosition, 1);
    EXPECT_EQ(ctx.currentProfileNumber, 1);
    EXPECT_EQ(std::memcmp(&ctx.snapshot, &ctx.image, kConfigImageSize), 0);
}

TEST_F(ProfileFlows, SwitchingToTheActivePositionSendsNothing)
{
    SeedProfiles({"Game", "Work"}, 1);
    const std::string before = ReadFileBytes(dataDir / "config1.bin");
    mouse.ClearTraffic();

    ProfileListModel model({"Game", "Work"}, "Work", ctx.profiles, "EN");
    const auto result = CloseProfilePane(ctx, model.Close());

    EXPECT_FALSE(result.wrote);
    EXPECT_TRUE(mouse.Traffic().empty());
    EXPECT_EQ(ReadFileBytes(dataDir / "config1.bin"), before);
}

TEST_F(ProfileFlows, AfterAStartOnTheThirdProfileChoosingTheFirstLoadsTheFirstFile)
{
    SeedProfiles({"Game", "Work", "Office"}, 2);
    ctx.profiles.activePosition = 0; // as at process start
    ctx.currentProfileNumber = 0;
    ASSERT_TRUE(RunStartupFileSteps(ctx, "EN"));
    ASSERT_EQ(ctx.profiles.activePosition, 2);

    ProfileListModel model(ReadProfileList(ctx), ReadCurrentProfileName(ctx), ctx.profiles, "EN");
    model.Select(0);
    const auto result = CloseProfilePane(ctx, model.Close());

    ASSERT_TRUE(result.wrote);
    EXPECT_EQ(ctx.image.dpiCode100[0], 10);
    EXPECT_EQ(ctx.captions[0], "caption of Game");
    EXPECT_EQ(ReadCurrentProfileName(ctx), "Game");
}

TEST_F(ProfileFlows, DeletingAProfileBeforeTheActiveOneLoadsNothingAndSavesIntoItsNewPosition)
{
    SeedProfiles({"Game", "Work", "Office"}, 2);
    ProfileListModel model(ReadProfileList(ctx), "Office", ctx.profiles, "EN");
    model.Select(0);
    ASSERT_TRUE(model.Delete()); // Work, Office
    model.Select(1);             // Office, the active profile
    mouse.ClearTraffic();
    const auto result = CloseProfilePane(ctx, model.Close());

    EXPECT_FALSE(result.wrote);
    EXPECT_EQ(ctx.profiles.activePosition, 1);
    EXPECT_EQ(ctx.currentProfileNumber, 1);
    // The next save of the active profile lands in its moved file.
    ctx.image.dpiCode100[0] = 99;
    WriteDpi(ctx);
    EXPECT_EQ(uint8_t(ReadFileBytes(dataDir / "config1.bin")[1 + 15]), 99);
    EXPECT_EQ(uint8_t(ReadFileBytes(dataDir / "config0.bin")[1 + 15]), 20); // Work kept its data
}

TEST_F(ProfileFlows, ANewProfileGetsTheFactoryDefaultsAndIsMarkedInitialised)
{
    SeedProfiles({"Game"}, 0);
    ctx.ini.WriteString(dataDir / "str.ini", "Setting-EN", "Item1", "base caption");
    ctx.image.SetLiftOffEnabled(1);
    ProfileListModel model(ReadProfileList(ctx), "Game", ctx.profiles, "EN");
    model.New();
    const auto request = model.Close();
    ASSERT_EQ(request.action, ProfileAction::SwitchAndInitialise);
    mouse.ClearTraffic();

    const auto result = CloseProfilePane(ctx, request);

    ASSERT_TRUE(result.wrote);
    ConfigImage expected = images[0];
    LoadFactoryDefaults(expected); // over what the image held: there is no base file here
    expected.profileIndex = 1;
    expected.SetLiftOffEnabled(1);
    EXPECT_EQ(ImageBytes(ctx.image), ImageBytes(expected));
    EXPECT_EQ(FileImage(1), ImageBytes(expected));
    EXPECT_EQ(ctx.captions[0], "base caption");
    EXPECT_EQ(ctx.ini.ReadString(dataDir / "str1.ini", kProfileSection, kIsDefaultKey), "Y");
    ExpectSameTraffic(mouse.Traffic(), WriteAllTrafficOf(expected), false);
    EXPECT_FALSE(ctx.profiles.newFlags[1]);
}

TEST_F(ProfileFlows, ACopyTakesTheDataOfTheProfileActiveWhenItIsFirstChosen)
{
    SeedProfiles({"Game", "Work"}, 1);
    ProfileListModel model(ReadProfileList(ctx), "Work", ctx.profiles, "EN");
    ASSERT_TRUE(model.Copy());
    model.Select(2);
    const auto result = CloseProfilePane(ctx, model.Close());
    ASSERT_TRUE(result.wrote);
    EXPECT_EQ(ctx.image.dpiCode100[0], 20);
    EXPECT_EQ(ReadFileBytes(dataDir / "config2.bin").substr(1 + 15, 1), std::string(1, char(20)));
    EXPECT_EQ(ReadProfileList(ctx), (std::vector<std::string>{"Game", "Work", "Copy Work"}));
}

TEST_F(ProfileFlows, ExportThenImportGivesBackTheExportedImageWithTheLiftOffSwitchOfTheImport)
{
    SeedProfiles({"Game", "Work"}, 0);
    ctx.image.dpiCode100[3] = 77; // not saved yet: the export takes the image in memory
    ctx.image.SetLiftOffEnabled(1);
    const ConfigImage exported = ctx.image;
    ctx.captions.fill("exported caption");

    const auto out = ExportProfile(ctx, tmp.path() / "mine");
    ASSERT_EQ(out.problem, TransferProblem::None);
    EXPECT_EQ(out.file, tmp.path() / "mine.bin");
    const std::string file = ReadFileBytes(tmp.path() / "mine.bin");
    ASSERT_EQ(file.size(), kConfigFileSize);
    EXPECT_EQ(uint8_t(file[0]), 1);
    EXPECT_EQ(file.substr(1), ImageBytes(exported));
    EXPECT_EQ(ctx.ini.ReadString(tmp.path() / "mine.ini", "Setting-EN", "Item3"), "exported caption");
    // The export reloaded the saved profile: the unsaved change is gone.
    EXPECT_EQ(ctx.image.dpiCode100[3], images[0].dpiCode100[3]);

    ctx.image.SetLiftOffEnabled(0);
    mouse.ClearTraffic();
    const auto in = ImportProfile(ctx, 1, tmp.path() / "mine.bin");
    ASSERT_EQ(in.problem, TransferProblem::None);
    ConfigImage expected = exported;
    expected.SetLiftOffEnabled(0);
    EXPECT_EQ(ImageBytes(ctx.image), ImageBytes(expected));
    EXPECT_EQ(ctx.captions[6], "exported caption");
    EXPECT_EQ(FileImage(1), ImageBytes(expected)); // saved into the selected position
    // The mouse got the whole image: what WriteAll of it sends again.
    const auto importTraffic = mouse.Traffic();
    mouse.ClearTraffic();
    WriteAll(ctx);
    ExpectSameTraffic(importTraffic, mouse.Traffic(), false);
    EXPECT_TRUE(ctx.profiles.importPending);
    EXPECT_EQ(ctx.profiles.activePosition, 1);
    EXPECT_EQ(ctx.profiles.lastTransferFolder, tmp.path());
}

TEST_F(ProfileFlows, ClosingThePaneOnTheImportedPositionKeepsTheImportedData)
{
    SeedProfiles({"Game"}, 0);
    ProfileListModel model(ReadProfileList(ctx), "Game", ctx.profiles, "EN");
    model.New(); // "Profile 2", new
    ASSERT_EQ(WriteProfileList(ctx, ctx.profiles, model.Commit()), ProfileListWrite::Written);
    model.Committed();

    test::WriteFileBytes(tmp.path() / "p.bin", std::string(1, '\1') + ImageBytes(ImageWithDpi(50)));
    ASSERT_EQ(ImportProfile(ctx, 1, tmp.path() / "p.bin").problem, TransferProblem::None);
    model.Imported(1);
    mouse.ClearTraffic();

    const auto result = CloseProfilePane(ctx, model.Close());
    EXPECT_FALSE(result.wrote);
    EXPECT_TRUE(mouse.Traffic().empty());
    EXPECT_FALSE(ctx.profiles.importPending);
    EXPECT_EQ(ctx.image.dpiCode100[0], 50);
    EXPECT_EQ(uint8_t(ReadFileBytes(dataDir / "config1.bin")[1 + 15]), 50);
}

struct BadImport {
    const char* what;
    std::string name;
    size_t size; // 0: the file is not there
};

class ProfileImportRefused : public ProfileFlows, public ::testing::WithParamInterface<BadImport> {};

TEST_P(ProfileImportRefused, ChangesNothing)
{
    const auto& c = GetParam();
    SeedProfiles({"Game", "Work"}, 0);
    const auto file = tmp.path() / c.name;
    if (c.size)
        test::WriteFileBytes(file, std::string(c.size, '\x33'));
    test::WriteFileBytes(CompanionFileName(file), "[Setting-EN]\nItem1=imported\n");
    const std::string before = ImageBytes(ctx.image);
    const std::string fileBefore = ReadFileBytes(dataDir / "config1.bin");
    ctx.profiles.importPending = true;
    mouse.ClearTraffic();

    const auto result = ImportProfile(ctx, 1, file);

    EXPECT_EQ(result.problem, TransferProblem::NotAProfileFile) << c.what;
    EXPECT_FALSE(result.wrote) << c.what;
    EXPECT_EQ(ImageBytes(ctx.image), before) << c.what;
    EXPECT_EQ(ctx.captions[0], "caption of Game") << c.what;
    EXPECT_TRUE(mouse.Traffic().empty()) << c.what;
    EXPECT_EQ(ReadFileBytes(dataDir / "config1.bin"), fileBefore) << c.what;
    EXPECT_FALSE(ctx.profiles.importPending) << c.what;
    EXPECT_EQ(ctx.currentProfileNumber, 0) << c.what;
    EXPECT_FALSE(IsProfileFile(test::TestFiles(), file)) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Files, ProfileImportRefused,
                         ::testing::Values(BadImport{"1892 bytes, without the flag byte", "short.bin", 1892},
                                           BadImport{"one byte too many", "long.bin", 1894},
                                           BadImport{"missing", "gone.bin", 0},
                                           BadImport{"not a .bin name", "profile.txt", 1893}));

TEST_F(ProfileFlows, AnExportThatCannotBeWrittenSaysSo)
{
    SeedProfiles({"Game"}, 0);
    const auto result = ExportProfile(ctx, tmp.path() / "no-such-folder" / "p.bin");
    EXPECT_EQ(result.problem, TransferProblem::NotWritten);
    EXPECT_FALSE(std::filesystem::exists(tmp.path() / "no-such-folder"));
}

TEST_F(ProfileFlows, TheFileChooserStartsInTheLastFolderWithTheCurrentFileName)
{
    ctx.currentProfileNumber = 2;
    EXPECT_EQ(TransferStartPath(ctx, "/home/user"), std::filesystem::path("/home/user/config2.bin"));
    ctx.profiles.lastTransferFolder = "/media/stick";
    EXPECT_EQ(TransferStartPath(ctx, "/home/user"), std::filesystem::path("/media/stick/config2.bin"));
    EXPECT_EQ(ExportFileName("/x/name"), std::filesystem::path("/x/name.bin"));
    EXPECT_EQ(ExportFileName("/x/name.BIN"), std::filesystem::path("/x/name.BIN"));
    EXPECT_EQ(CompanionFileName("/x/name.bin"), std::filesystem::path("/x/name.ini"));
}

struct FirstUseCase {
    const char* marker;
    bool defaults;
};

class FirstUseRule : public ProfileFlows, public ::testing::WithParamInterface<FirstUseCase> {};

TEST_P(FirstUseRule, OnlyNGetsTheFactoryDefaults)
{
    const auto& c = GetParam();
    SeedProfiles({"Game"}, 0);
    const auto settings = dataDir / "str0.ini";
    ctx.ini.WriteString(settings, kProfileSection, kIsDefaultKey, c.marker);
    ctx.paths.currentSettingsFile = settings;
    ctx.image.SetLiftOffEnabled(1);
    ApplyFirstUseRule(ctx);
    ConfigImage defaults = images[0];
    LoadFactoryDefaults(defaults);
    defaults.SetLiftOffEnabled(1);
    if (c.defaults) {
        EXPECT_EQ(ImageBytes(ctx.image), ImageBytes(defaults));
    }
    EXPECT_EQ(ctx.image.dpiCode100[0] == images[0].dpiCode100[0], !c.defaults) << c.marker;
    EXPECT_EQ(ctx.image.LiftOffEnabled(), 1u) << c.marker;
    EXPECT_EQ(ctx.ini.ReadString(settings, kProfileSection, kIsDefaultKey), "Y") << c.marker;
}

INSTANTIATE_TEST_SUITE_P(Markers, FirstUseRule,
                         ::testing::Values(FirstUseCase{"N", true}, FirstUseCase{"", false}, FirstUseCase{"Y", false}));

} // namespace
} // namespace lumeno::test
