// Writing the profile list with the files of the profiles it moves: the
// files follow their names, and a crash between any two steps loses nothing
// once the next start has completed the write.
#include "config/ProfileListFile.h"
#include "config/ConfigFiles.h"
#include "config/IniKeys.h"
#include "support/TestContext.h"

#include <gtest/gtest.h>

#include <map>

namespace lumeno {
namespace {

using test::ReadFileBytes;
using test::WriteFileBytes;
using Names = std::vector<std::string>;

// A data folder with a list of profiles, each with its own two files (or
// none, for a name listed in `withoutFiles`).
struct ProfileFolder : test::ContextFixture {
    void Seed(const Names& names, const std::string& current, const std::set<std::string>& withoutFiles = {})
    {
        for (size_t i = 0; i < names.size(); ++i) {
            ctx.ini.WriteString(List(), kProfileSection, ItemKey(int(i)), names[i]);
            if (withoutFiles.contains(names[i]))
                continue;
            WriteFileBytes(Config(int(i)), "image of " + names[i]);
            WriteFileBytes(Settings(int(i)), "[Setting-EN]\nItem1=caption of " + names[i] + "\n");
        }
        ctx.ini.WriteString(List(), kProfileSection, kItemCountKey, std::to_string(names.size()));
        ctx.ini.WriteString(List(), kProfileSection, kCurProfileNameKey, current);
        ctx.ini.WriteString(List(), kSkinsSection, kLanguageKey, "EN");
        for (const auto& name : names)
            hasFiles[name] = !withoutFiles.contains(name);
    }
    std::filesystem::path List() const { return dataDir / "str.ini"; }
    std::filesystem::path Config(int p) const { return dataDir / ConfigFileName(p); }
    std::filesystem::path Settings(int p) const { return dataDir / SettingsFileName(p); }

    // Every listed name finds its own image and captions, or none when it
    // never had any.
    ::testing::AssertionResult EveryNameOpensItsOwnData()
    {
        const Names names = ReadProfileList(ctx);
        for (size_t i = 0; i < names.size(); ++i) {
            const std::string& name = names[i];
            const bool expectFiles = hasFiles.at(name);
            if (std::filesystem::exists(Config(int(i))) != expectFiles ||
                std::filesystem::exists(Settings(int(i))) != expectFiles)
                return ::testing::AssertionFailure() << name << " at " << i << ": files present " << !expectFiles;
            if (expectFiles && ReadFileBytes(Config(int(i))) != "image of " + name)
                return ::testing::AssertionFailure()
                       << name << " at " << i << " opens " << ReadFileBytes(Config(int(i)));
            if (expectFiles && ReadFileBytes(Settings(int(i))) != "[Setting-EN]\nItem1=caption of " + name + "\n")
                return ::testing::AssertionFailure() << name << " at " << i << " has other captions";
        }
        return ::testing::AssertionSuccess();
    }

    ProfileSession session;
    std::map<std::string, bool> hasFiles;
};

class ProfileListFile : public ::testing::Test, protected ProfileFolder {};

TEST_F(ProfileListFile, DeletingTheSecondOfThreeMovesTheThirdsFilesToPositionOne)
{
    Seed({"Game", "Work", "Office"}, "Office");
    session.activePosition = 2;
    const std::string officeImage = ReadFileBytes(Config(2));
    const std::string officeCaptions = ReadFileBytes(Settings(2));

    ProfileListModel model(ReadProfileList(ctx), ReadCurrentProfileName(ctx), session, "EN");
    model.Select(1);
    ASSERT_TRUE(model.Delete());
    ASSERT_EQ(WriteProfileList(ctx, session, model.Close().commit), ProfileListWrite::Written);

    EXPECT_EQ(ReadFileBytes(Config(1)), officeImage);
    EXPECT_EQ(ReadFileBytes(Settings(1)), officeCaptions);
    EXPECT_FALSE(std::filesystem::exists(Config(2)));
    EXPECT_FALSE(std::filesystem::exists(Settings(2)));
    EXPECT_FALSE(std::filesystem::exists(dataDir / kProfileListJournalFile));
    EXPECT_EQ(ReadProfileList(ctx), (Names{"Game", "Office"}));
    EXPECT_EQ(ReadCurrentProfileName(ctx), "Office");
    EXPECT_EQ(ctx.ini.ReadString(List(), kSkinsSection, kLanguageKey), "EN"); // the rest of str.ini stays
    EXPECT_EQ(session.activePosition, 1);
    EXPECT_EQ(ctx.currentProfileNumber, 1);
    EXPECT_TRUE(EveryNameOpensItsOwnData());
}

TEST_F(ProfileListFile, AProfileWithoutFilesDoesNotInheritTheDeletedOnes)
{
    Seed({"Game", "Work", "Copy Work"}, "Game", {"Copy Work"});
    ProfileListModel model(ReadProfileList(ctx), "Game", session, "EN");
    model.Select(1);
    ASSERT_TRUE(model.Delete());
    ASSERT_EQ(WriteProfileList(ctx, session, model.Close().commit), ProfileListWrite::Written);
    EXPECT_FALSE(std::filesystem::exists(Config(1)));
    EXPECT_TRUE(EveryNameOpensItsOwnData());
}

TEST_F(ProfileListFile, WithoutStrIniNothingIsWritten)
{
    ProfileListModel model({}, "", session, "EN");
    model.New();
    model.New();
    const auto request = model.Close();
    EXPECT_EQ(WriteProfileList(ctx, session, request.commit), ProfileListWrite::NoList);
    EXPECT_FALSE(std::filesystem::exists(List()));
    EXPECT_EQ(ctx.currentProfileNumber, 1);
}

TEST_F(ProfileListFile, AnEmptyListWritesOnlyTheCurrentName)
{
    Seed({"Game"}, "Game");
    ProfileListCommit commit; // what a pane with no entries writes
    ASSERT_EQ(WriteProfileList(ctx, session, commit), ProfileListWrite::Written);
    EXPECT_EQ(ctx.ini.ReadString(List(), kProfileSection, kItemCountKey), "");
    EXPECT_EQ(ctx.ini.ReadString(List(), kProfileSection, ItemKey(0)), "");
}

// Four profiles, the second deleted, the last one selected: two moves (one
// of a profile without captions) and the removal of the old last pair.
struct CrashCase : ProfileFolder {
    CrashCase()
    {
        Seed({"A", "B", "C", "D"}, "A");
        std::filesystem::remove(Settings(3)); // D has an image but no captions yet
        session.activePosition = 0;
        ProfileListModel model(ReadProfileList(ctx), "A", session, "EN");
        model.Select(1);
        model.Delete();
        commit = model.Close().commit;
    }
    ::testing::AssertionResult EveryNameOpensItsOwnDataButD()
    {
        // D's captions were never there.
        const Names names = ReadProfileList(ctx);
        for (size_t i = 0; i < names.size(); ++i) {
            const std::string want = "image of " + names[i];
            if (ReadFileBytes(Config(int(i))) != want)
                return ::testing::AssertionFailure()
                       << names[i] << " at " << i << " opens " << ReadFileBytes(Config(int(i)));
            const bool captions = std::filesystem::exists(Settings(int(i)));
            if (captions != (names[i] != "D"))
                return ::testing::AssertionFailure() << names[i] << " at " << i << " captions " << captions;
            if (captions && ReadFileBytes(Settings(int(i))).find("caption of " + names[i]) == std::string::npos)
                return ::testing::AssertionFailure() << names[i] << " at " << i << " has other captions";
        }
        return ::testing::AssertionSuccess();
    }
    ProfileListCommit commit;
};

TEST(ProfileListCrash, AfterACrashBetweenAnyTwoStepsTheNextStartFindsEveryProfilesData)
{
    int steps = 0;
    {
        CrashCase whole;
        ASSERT_EQ(WriteProfileList(whole.ctx, whole.session, whole.commit,
                                   [&](int step) {
                                       steps = step + 1;
                                       return true;
                                   }),
                  ProfileListWrite::Written);
        ASSERT_TRUE(whole.EveryNameOpensItsOwnDataButD());
    }
    ASSERT_GT(steps, 6); // the journal, two moves of three steps, a removal, the list, the journal's end

    for (int stopAt = 0; stopAt <= steps; ++stopAt) {
        CrashCase c;
        const auto result = WriteProfileList(c.ctx, c.session, c.commit, [stopAt](int step) { return step < stopAt; });
        EXPECT_EQ(result, stopAt == steps ? ProfileListWrite::Written : ProfileListWrite::Interrupted) << stopAt;
        // The next start.
        FinishProfileListWrite(c.ctx);
        EXPECT_FALSE(std::filesystem::exists(c.dataDir / kProfileListJournalFile)) << stopAt;
        const Names names = ReadProfileList(c.ctx);
        EXPECT_TRUE(names == (Names{"A", "C", "D"}) || (stopAt == 0 && names == Names{"A", "B", "C", "D"})) << stopAt;
        EXPECT_TRUE(c.EveryNameOpensItsOwnDataButD()) << "stopped before step " << stopAt;
        EXPECT_EQ(std::filesystem::exists(c.Config(3)), stopAt == 0) << stopAt; // before the journal: no change
    }
}

TEST(ProfileListCrash, ACrashBetweenTwoMovesKeepsEveryImageOnDisk)
{
    CrashCase c;
    // Steps: 0 journal, 1..3 first move (image, captions, count), 4 the
    // second move's image: stop there.
    ASSERT_EQ(WriteProfileList(c.ctx, c.session, c.commit, [](int step) { return step < 4; }),
              ProfileListWrite::Interrupted);
    std::set<std::string> images;
    for (int p = 0; p < kMaxProfiles; ++p)
        if (std::filesystem::exists(c.Config(p)))
            images.insert(ReadFileBytes(c.Config(p)));
    for (const char* name : {"A", "C", "D"})
        EXPECT_TRUE(images.contains(std::string("image of ") + name)) << name;
    // The session is untouched until the write is complete.
    EXPECT_EQ(c.session.activePosition, 0);
}

TEST_F(ProfileListFile, NoJournalMeansNothingToFinish)
{
    Seed({"A"}, "A");
    EXPECT_FALSE(FinishProfileListWrite(ctx));
    EXPECT_EQ(ReadProfileList(ctx), Names{"A"});
}

} // namespace
} // namespace lumeno
