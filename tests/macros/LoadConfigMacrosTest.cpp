// The last step of loading a profile: the macro library is encoded into the
// image over whatever the configuration file held.
#include "config/ConfigFiles.h"
#include "flows/ProfileLoad.h"

#include "support/TestContext.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace lumeno {
namespace {

class LoadConfigMacrosTest : public ::testing::Test, protected test::ContextFixture {
protected:
    void SetUp() override
    {
        test::WriteFileBytes(dataDir / "str.ini", "[Profile]\nCurProfileName=P1\nItemCount=1\nItem0=P1\n");
        // A configuration file whose macro memory is all 0xAA.
        std::string config(kConfigFileSize, '\xAA');
        config[0] = 1;
        test::WriteFileBytes(dataDir / "config0.bin", config);
        test::WriteFileBytes(dataDir / "config.bin", config);
        test::WriteFileBytes(dataDir / "record.ini",
                             "[MacroName]\nMacroCount=1\n0=Fire\n"
                             "[Fire]\nMacroLoopTimes=2\nItemCount=2\nItem0=A   Dn\nItem1=A   Up\n");
    }
    std::vector<uint8_t> Slot(int k) const { return {ctx.image.macroMemory[k], ctx.image.macroMemory[k] + 8}; }
    const std::vector<uint8_t> kFire = {0x00, 0x02, 0x05, 0x04, 0xFF, 0x04, 0x00, 0x32};
    const std::vector<uint8_t> kUntouched = std::vector<uint8_t>(8, 0xAA);
};

TEST_F(LoadConfigMacrosTest, LoadEncodesTheLibraryOverTheFile)
{
    ASSERT_EQ(LoadProfile(ctx), ConfigLoad::Loaded);
    EXPECT_EQ(Slot(0), kFire);
    EXPECT_EQ(Slot(1), kUntouched);
    EXPECT_EQ(ctx.image.macroMode[0], 0xAA);
}

TEST_F(LoadConfigMacrosTest, ResetLoadEncodesTooButTheBaseLoadDoesNot)
{
    ctx.resetInProgress = true;
    LoadProfile(ctx);
    EXPECT_EQ(Slot(0), kFire);

    LoadBaseConfiguration(ctx);
    EXPECT_EQ(Slot(0), kUntouched);
}

TEST_F(LoadConfigMacrosTest, NoProfileListMeansNoMacrosEither)
{
    test::WriteFileBytes(dataDir / "str.ini", "[Profile]\nItemCount=7\n");
    std::fill(ctx.image.Bytes().begin(), ctx.image.Bytes().end(), uint8_t{0x11});
    EXPECT_EQ(LoadProfile(ctx), ConfigLoad::NoProfileList);
    EXPECT_EQ(ctx.image.macroMemory[0][0], 0x11);
}

} // namespace
} // namespace lumeno
