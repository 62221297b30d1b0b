// The captions of the factory assignment and where a fresh installation and
// a profile given the factory defaults find them.
#include "buttons/FactoryCaptions.h"

#include "config/ProfileSettings.h"
#include "flows/ProfileLoad.h"
#include "flows/WriteFlows.h"
#include "support/TestContext.h"

#include <gtest/gtest.h>

#include <map>

namespace lumeno {
namespace {

using Captions = std::array<ButtonCaption, kButtonCount>;

// By buttonIndex: Click, Menu, Scroll, Fn, Snipe, DPI +, DPI -.
const std::map<std::string, Captions> kFactory{
    {"EN", {"Click", "Menu", "Scroll ", "Fn", "Snipe", "DPI +", "DPI -"}},
    {"DE", {"Klick", "Menü", "Scrollen", "Fn", "Snipe", "DPI +", "DPI -"}},
    {"CHS", {"左键", "右键", "中键", "Fn", "狙击键", "DPI +", "DPI -"}},
    {"CHT", {"點擊", "選項", "滾輪", "Fn", "Snipe", "DPI +", "DPI -"}},
};

// As a settings file gives them back: INI values lose their trailing blanks
// ("Scroll " reads as "Scroll").
Captions Stored(const std::string& language)
{
    Captions c = kFactory.at(language);
    for (auto& text : c)
        text.erase(text.find_last_not_of(' ') + 1);
    return c;
}

TEST(FactoryCaptions, AreTheMenuTextsOfTheFactoryAssignment)
{
    for (const auto& [language, captions] : kFactory)
        EXPECT_EQ(FactoryCaptions(language), captions) << language;
}

struct SeededFiles : ::testing::Test, test::ContextFixture {
    Captions Read(const std::filesystem::path& file, const std::string& language)
    {
        Captions c;
        for (int i = 0; i < kButtonCount; ++i)
            c[size_t(i)] = ctx.ini.ReadString(file, CaptionSectionName(language), ItemKey(i + 1));
        return c;
    }
};

TEST_F(SeededFiles, SeedingWritesEveryMissingLanguageAndNeverAnExistingOne)
{
    const auto file = dataDir / "str3.ini";
    ctx.ini.WriteString(file, "Setting-DE", "Item1", "Eigene");
    ctx.ini.WriteString(file, "Setting-CHT", "Item5", ""); // present, even if empty
    EXPECT_TRUE(SeedFactoryCaptions(ctx.ini, file));
    EXPECT_EQ(Read(file, "EN"), Stored("EN"));
    EXPECT_EQ(Read(file, "CHS"), Stored("CHS"));
    EXPECT_EQ(Read(file, "DE"), (Captions{"Eigene", "", "", "", "", "", ""}));
    EXPECT_EQ(Read(file, "CHT"), Captions{});
    EXPECT_TRUE(HasCaptionSection(ctx.ini, file, "CHT"));
    EXPECT_FALSE(HasCaptionSection(ctx.ini, dataDir / "none.ini", "EN"));
}

TEST_F(SeededFiles, AnEmptyDataFolderShowsTheFactoryCaptionsInEachLanguage)
{
    for (const auto& [language, unused] : kFactory) {
        std::filesystem::remove_all(dataDir);
        ctx.captions = {};
        ctx.languageCode.clear();
        RunStartupFileSteps(ctx, language);
        EXPECT_EQ(ctx.languageCode, language);
        EXPECT_EQ(ctx.captions, Stored(language)) << language;
        for (const auto& [other, otherCaptions] : kFactory) {
            EXPECT_EQ(Read(dataDir / "str.ini", other), Stored(other)) << "the profile list, " << other;
            EXPECT_EQ(Read(dataDir / "str0.ini", other), Stored(other)) << "the profile's file, " << other;
        }
    }
}

TEST_F(SeededFiles, AResetShowsThemToo)
{
    RunStartupFileSteps(ctx, "CHS");
    ctx.captions = {"x", "y", "z", "", "", "", ""};
    ctx.image.buttonFunction[1] = 13;
    FactoryReset(ctx);
    EXPECT_EQ(ctx.captions, Stored("CHS"));
    EXPECT_EQ(Read(dataDir / "str0.ini", "CHS"), Stored("CHS"));
}

TEST_F(SeededFiles, AProfileWithItsOwnCaptionsKeepsThemWhenGivenTheFactoryDefaults)
{
    RunStartupFileSteps(ctx, "EN");
    const auto settings = dataDir / "str0.ini";
    ctx.ini.WriteString(settings, "Setting-EN", "Item2", "Mine");
    ctx.ini.WriteString(settings, "Profile", "IsDefault", "N");
    RunStartupFileSteps(ctx, "EN");
    EXPECT_EQ(ctx.captions[1], "Mine");
}

} // namespace
} // namespace lumeno
