#include "config/ProfileSettings.h"

#include "support/TestContext.h"

#include <gtest/gtest.h>

namespace lumeno {
namespace {

class ProfileSettings : public ::testing::Test, protected test::ContextFixture {};

TEST_F(ProfileSettings, CaptionsLiveInTheSectionOfTheLanguage)
{
    const auto file = dataDir / "str0.ini";
    ctx.languageCode = "EN";
    ctx.captions = {"Left", "Right", "Middle", "Forward", "Back", "DPI +", "DPI -"};
    SaveCaptions(ctx, file); // creates the file
    EXPECT_EQ(ctx.ini.ReadString(file, "Setting-EN", "Item4"), "Forward");

    // Another language sees no captions until they are saved under it.
    ctx.languageCode = "DE";
    LoadProfileSettings(ctx, file);
    EXPECT_EQ(ctx.captions[0], "");
    ctx.captions[0] = "Links";
    SaveCaptions(ctx, file);
    ctx.languageCode = "EN";
    LoadProfileSettings(ctx, file);
    EXPECT_EQ(ctx.captions[0], "Left");
    EXPECT_EQ(ctx.captions[6], "DPI -");
}

TEST_F(ProfileSettings, SectionNames)
{
    EXPECT_EQ(CaptionSectionName("EN"), "Setting-EN");
    EXPECT_EQ(CaptionSectionName("DE"), "Setting-DE");
    EXPECT_EQ(CaptionSectionName("CHS"), "Setting-CHS");
    EXPECT_EQ(CaptionSectionName("CHT"), "Setting-CHT");
    EXPECT_EQ(CaptionSectionName("en"), "");
    EXPECT_EQ(CaptionSectionName(""), "");
}

} // namespace
} // namespace lumeno
