#include "ui/SkinName.h"
#include "ui/Premultiply.h"

#include "support/TestContext.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace lumeno {
namespace {

TEST(SkinName, KeyIgnoresSeparatorKindDoublingAndFolderCase)
{
    const struct {
        const char* name;
        const char* key;
    } cases[] = {
        {"Skins\\DPISetting\\BK_DPISetting.png", "dpisetting/bk_dpisetting.png"},
        {"\\skins\\ItemBK.png", "itembk.png"},
        {"/Skins/XYSensitivity/BK_XYSensSetting.png", "xysensitivity/bk_xysenssetting.png"},
        {"skins/Lighting/BK_Lighting.png", "lighting/bk_lighting.png"},
        {"Skins\\/USBReportRate/1000HZ.png", "usbreportrate/1000hz.png"},
        {"Skins\\\\MouseAttribute//Speed\\7.png", "mouseattribute/speed/7.png"},
        {"macro-key.png", "macro-key.png"},
        {"Config/./Config.png", "config/config.png"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SkinKey(c.name), c.key) << c.name;
}

TEST(SkinName, SplitDropsEmptyAndDotComponents)
{
    EXPECT_EQ(SplitSkinName("C:\\app\\\\Skins/./a.png"), (std::vector<std::string>{"C:", "app", "Skins", "a.png"}));
    EXPECT_TRUE(SplitSkinName("//\\").empty());
}

class SkinFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(root / "Skins" / "DPISetting" / "DPIStage");
        Touch(root / "Skins" / "ItemBK.png");
        Touch(root / "Skins" / "DPISetting" / "DPIStage" / "82.png");
        Touch(root / "Skins" / "macro-key.png");
    }
    static void Touch(const std::filesystem::path& p) { std::ofstream(p) << "x"; }
    test::TempDir tmp;
    const std::filesystem::path root = tmp.path();
};

TEST_F(SkinFolder, ResolvesEveryWayTheWindowsSpellANameWithTheAppFolderSeparator)
{
    // The application folder ends with a separator, so "\skins\..." doubles it.
    const std::string folder = root.string() + "/";
    const char* names[] = {"\\skins\\ItemBK.png",
                           "Skins\\ItemBK.png",
                           "skins/itembk.PNG",
                           "/SKINS//ItemBK.png",
                           "\\skins\\DPISetting\\DPIStage\\82.png",
                           "Skins\\/dpisetting/dpistage/82.png",
                           "macro-key.png"};
    for (const char* name : names) {
        auto found = ResolveSkinFile(folder, name);
        ASSERT_TRUE(found.has_value()) << name;
        EXPECT_TRUE(std::filesystem::is_regular_file(*found)) << name;
    }
}

TEST_F(SkinFolder, MissingNamesFoldersAndEscapesGiveNothing)
{
    for (const char* name : {"Skins\\nothing.png", "Skins\\DPISetting", "Skins\\..\\Skins\\ItemBK.png", "", "Skins"})
        EXPECT_FALSE(ResolveSkinFile(root, name).has_value()) << name;
    EXPECT_FALSE(ResolveSkinFile(root / "absent", "Skins\\ItemBK.png").has_value());
}

TEST(Premultiply, IntegerDivisionByTheAlpha)
{
    const struct {
        uint8_t value, alpha, expected;
    } cases[] = {{255, 0, 0}, {200, 0, 0},     {255, 128, 128}, {200, 128, 100},
                 {1, 128, 0}, {255, 255, 255}, {37, 255, 37},   {254, 254, 253}};
    for (const auto& c : cases)
        EXPECT_EQ(PremultiplyChannel(c.value, c.alpha), c.expected) << int(c.value) << "/" << int(c.alpha);
}

TEST(Premultiply, BufferKeepsAlphaAndBlendLeavesTargetUnderTransparentPixels)
{
    uint8_t pixels[] = {200, 100, 50, 128, 10, 20, 30, 0, 9, 8, 7, 255};
    PremultiplyBgra(pixels, 3);
    const uint8_t expected[] = {100, 50, 25, 128, 0, 0, 0, 0, 9, 8, 7, 255};
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(pixels[i], expected[i]) << i;
    EXPECT_EQ(BlendPremultipliedChannel(0, 0, 77), 77);       // alpha 0 draws nothing
    EXPECT_EQ(BlendPremultipliedChannel(100, 128, 200), 199); // half over half
    EXPECT_EQ(BlendPremultipliedChannel(9, 255, 200), 9);
}

} // namespace
} // namespace lumeno
