// The profile list rules: names made by New and Copy, Delete, rename, what
// closing writes and asks for, and the import-pending rule.
#include "config/ProfileList.h"

#include <gtest/gtest.h>

namespace lumeno {
namespace {

using Names = std::vector<std::string>;

ProfileListModel Model(Names names, std::string_view current = {}, ProfileSession session = {},
                       std::string_view language = "EN")
{
    return ProfileListModel(std::move(names), current, session, language);
}

struct NewCase {
    const char* what;
    Names before;
    const char* language;
    const char* expected;
};

class NewName : public ::testing::TestWithParam<NewCase> {};

TEST_P(NewName, AppendsAndSelectsTheName)
{
    const auto& c = GetParam();
    auto model = Model(c.before, {}, {}, c.language);
    ASSERT_EQ(model.New(), ProfileListModel::NewResult::Added) << c.what;
    EXPECT_EQ(model.Names().back(), c.expected) << c.what;
    EXPECT_EQ(model.Selected(), model.Count() - 1) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Table, NewName,
    ::testing::Values(NewCase{"numbered list", {"Profile 1", "Profile 2"}, "EN", "Profile 3"},
                      NewCase{"names without a blank take the count", {"Game", "Work"}, "EN", "Profile 2"},
                      NewCase{"no blank: English whatever the language", {"Spiel", "Arbeit"}, "DE", "Profile 2"},
                      NewCase{"German word after a blank", {"Profil 1"}, "DE", "Profil 2"},
                      NewCase{"traditional Chinese word", {"設定檔 1"}, "CHT", "設定檔 2"},
                      NewCase{"simplified Chinese keeps Profile", {"Profile 1"}, "CHS", "Profile 2"},
                      NewCase{"empty list", {}, "DE", "Profil 1"},
                      // After "Copy Work" the number read is 0 + 1, and
                      // "Profile 1" is taken: the next free number.
                      NewCase{"after a copy, not a duplicate", {"Profile 1", "Work", "Copy Work"}, "EN", "Profile 2"},
                      NewCase{"skips every taken number", {"Profile 3", "Profile 4", "Profile 2"}, "EN", "Profile 5"},
                      NewCase{"count name taken", {"Profile 2", "Work"}, "EN", "Profile 3"}));

TEST(ProfileListModel, NewOnAnEmptyListSetsNoNewFlagButLaterOnesDo)
{
    auto model = Model({});
    model.New();
    EXPECT_FALSE(model.IsNew(0));
    model.New();
    EXPECT_TRUE(model.IsNew(1));
}

TEST(ProfileListModel, TheSeventhProfileIsRefused)
{
    auto model = Model({"Profile 1"});
    for (int i = 0; i < 5; ++i)
        ASSERT_EQ(model.New(), ProfileListModel::NewResult::Added);
    EXPECT_EQ(model.New(), ProfileListModel::NewResult::LimitReached);
    EXPECT_EQ(model.Count(), kMaxProfiles);
}

struct DeleteCase {
    const char* what;
    Names before;
    int selected; // -1: none
    bool done;
    Names after;
    std::optional<int> selectedAfter;
};

class Delete : public ::testing::TestWithParam<DeleteCase> {};

TEST_P(Delete, RemovesTheSelectedEntry)
{
    const auto& c = GetParam();
    auto model = Model(c.before);
    if (c.selected >= 0)
        model.Select(c.selected);
    EXPECT_EQ(model.Delete(), c.done) << c.what;
    EXPECT_EQ(model.Names(), c.after) << c.what;
    EXPECT_EQ(model.Selected(), c.selectedAfter) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Table, Delete,
    ::testing::Values(DeleteCase{"one profile stays", {"A"}, 0, false, {"A"}, 0},
                      DeleteCase{"nothing selected", {"A", "B"}, -1, false, {"A", "B"}, {}},
                      DeleteCase{"middle: the next moves up", {"A", "B", "C"}, 1, true, {"A", "C"}, 1},
                      DeleteCase{"last: the new last is selected", {"A", "B", "C"}, 2, true, {"A", "B"}, 1}));

struct RenameCase {
    const char* typed;
    bool accepted;
    const char* name;
};

class Rename : public ::testing::TestWithParam<RenameCase> {};

TEST_P(Rename, AcceptsOnlyAFreeNonEmptyName)
{
    const auto& c = GetParam();
    auto model = Model({"Game", "Work"});
    EXPECT_EQ(model.Rename(1, c.typed), c.accepted) << c.typed;
    EXPECT_EQ(model.Names()[1], c.name) << c.typed;
}

INSTANTIATE_TEST_SUITE_P(Table, Rename,
                         ::testing::Values(RenameCase{"", false, "Work"}, RenameCase{"   ", false, "Work"},
                                           RenameCase{"Game", false, "Work"}, RenameCase{"Work", true, "Work"},
                                           RenameCase{"Office", true, "Office"},
                                           RenameCase{" Office ", true, "Office"}));

TEST(ProfileListModel, CopyAppendsTheCopyWordAndTheName)
{
    auto model = Model({"Game", "Work"}, "Work", {}, "DE");
    EXPECT_TRUE(model.Copy());
    EXPECT_EQ(model.Names().back(), "Kopieren Work");
    EXPECT_FALSE(model.IsNew(2));
    // A second copy of the same profile does not repeat the name.
    EXPECT_TRUE(model.Copy());
    EXPECT_EQ(model.Names().back(), "Kopieren Work 2");
}

TEST(ProfileListModel, CopyIsRefusedAtSixOrEmptyOrWithoutSelection)
{
    auto full = Model({"A", "B", "C", "D", "E", "F"}, "A");
    EXPECT_FALSE(full.Copy());
    auto empty = Model({});
    EXPECT_FALSE(empty.Copy());
    auto none = Model({"A"}, "nothing matches");
    EXPECT_FALSE(none.Copy());
    EXPECT_EQ(none.Count(), 1);
}

TEST(ProfileListModel, ASecondClickOnTheEntryClickedLastStartsARename)
{
    ProfileSession session;
    session.activePosition = 1;
    auto model = Model({"A", "B", "C"}, "B", session);
    EXPECT_FALSE(model.Click(2));
    EXPECT_TRUE(model.Click(2));
    // The entry clicked last starts as the active one.
    auto fresh = Model({"A", "B", "C"}, "B", session);
    EXPECT_TRUE(fresh.Click(1));
}

TEST(ProfileListModel, CloseWritesTheSelectedNameAndPosition)
{
    auto model = Model({"Game", "Work", "Office"}, "Game");
    model.Select(2);
    const auto request = model.Close();
    EXPECT_EQ(request.commit.names, (Names{"Game", "Work", "Office"}));
    EXPECT_EQ(request.commit.currentName, "Office");
    EXPECT_EQ(request.commit.position, 2);
    EXPECT_EQ(request.action, ProfileAction::Switch);
    EXPECT_TRUE(request.commit.moves.empty());
    EXPECT_TRUE(request.commit.removals.empty());
}

TEST(ProfileListModel, CloseWithoutSelectionNamesTheFirstEntry)
{
    auto model = Model({"Game", "Work"}, "missing");
    const auto request = model.Close();
    EXPECT_EQ(request.commit.currentName, "Game");
    EXPECT_EQ(request.commit.position, 0);
}

TEST(ProfileListModel, ANewProfileIsInitialisedOnceItIsChosen)
{
    auto model = Model({"Profile 1"}, "Profile 1");
    model.New();
    const auto request = model.Close();
    EXPECT_EQ(request.action, ProfileAction::SwitchAndInitialise);
    EXPECT_EQ(request.commit.position, 1);
    EXPECT_FALSE(request.commit.newFlags[1]); // cleared as it is made current

    model.Select(0);
    const auto other = model.Close();
    EXPECT_EQ(other.action, ProfileAction::Switch);
    EXPECT_TRUE(other.commit.newFlags[1]); // still waiting to be chosen
}

TEST(ProfileListModel, TheNewFlagsOfTheSessionCarryOver)
{
    ProfileSession session;
    session.newFlags[2] = true;
    auto model = Model({"A", "B", "Profile 3"}, "Profile 3", session);
    EXPECT_EQ(model.Close().action, ProfileAction::SwitchAndInitialise);
}

TEST(ProfileListModel, DeletingMovesTheLaterProfilesFilesWithThemAndTheirFlags)
{
    ProfileSession session;
    session.activePosition = 3;
    session.newFlags[2] = true;
    auto model = Model({"A", "B", "C", "D"}, "D", session);
    model.Select(1);
    ASSERT_TRUE(model.Delete());
    model.Select(2);
    const auto commit = model.Close().commit;
    EXPECT_EQ(commit.names, (Names{"A", "C", "D"}));
    EXPECT_EQ(commit.moves, (std::vector<ProfileMove>{{2, 1}, {3, 2}}));
    EXPECT_EQ(commit.removals, std::vector<int>{3});
    EXPECT_TRUE(commit.newFlags[1]); // C's flag moved with it
    EXPECT_FALSE(commit.newFlags[2]);
    EXPECT_EQ(commit.activePosition, 2); // D, active, moved down
}

TEST(ProfileListModel, DeletingTheActiveProfileLeavesNoActivePosition)
{
    ProfileSession session;
    session.activePosition = 1;
    auto model = Model({"A", "B", "C"}, "B", session);
    ASSERT_TRUE(model.Delete());
    const auto commit = model.Close().commit;
    EXPECT_EQ(commit.activePosition, -1);
    EXPECT_EQ(commit.position, 1); // C, which now has to be loaded
}

TEST(ProfileListModel, EntriesWithoutDataHaveTheirPositionCleared)
{
    // A copy has no files of its own: whatever lies at its position is removed,
    // so it takes the data of the profile active when it is first chosen.
    auto model = Model({"A", "B", "C"}, "C");
    ASSERT_TRUE(model.Delete()); // C goes: A, B
    ASSERT_TRUE(model.Copy());   // A, B, Copy B at position 2, where C's files are
    const auto commit = model.Close().commit;
    EXPECT_TRUE(commit.moves.empty());
    EXPECT_EQ(commit.removals, std::vector<int>{2});
}

TEST(ProfileListModel, AfterTheListIsWrittenPositionsAreTheirOwn)
{
    ProfileSession session;
    session.activePosition = 2;
    auto model = Model({"A", "B", "C"}, "C", session);
    model.Select(0);
    ASSERT_TRUE(model.Delete());
    model.Committed();
    const auto commit = model.Close().commit;
    EXPECT_TRUE(commit.moves.empty());
    EXPECT_TRUE(commit.removals.empty());
    EXPECT_EQ(commit.activePosition, 1);
}

TEST(ProfileListModel, AnImportedEntryIsActiveAndNoLongerNew)
{
    auto model = Model({"Profile 1"}, "Profile 1");
    model.New();
    model.Committed();
    model.Imported(1);
    const auto request = model.Close();
    EXPECT_EQ(request.action, ProfileAction::Switch);
    EXPECT_EQ(request.commit.activePosition, 1);
}

struct ImportPendingCase {
    const char* what;
    bool pending;
    ProfileAction action;
    int position;
    bool skipped;
};

class ImportPending : public ::testing::TestWithParam<ImportPendingCase> {};

TEST_P(ImportPending, TheNextRequestClearsTheFlag)
{
    const auto& c = GetParam();
    ProfileSession session;
    session.activePosition = 1; // the import went here
    session.importPending = c.pending;
    EXPECT_EQ(SwitchSkippedAfterImport(session, c.action, c.position), c.skipped) << c.what;
    EXPECT_FALSE(session.importPending) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Table, ImportPending,
    ::testing::Values(ImportPendingCase{"no import", false, ProfileAction::Switch, 1, false},
                      ImportPendingCase{"the imported position", true, ProfileAction::Switch, 1, true},
                      ImportPendingCase{"another position is switched to", true, ProfileAction::Switch, 0, false},
                      ImportPendingCase{"a new profile is initialised", true, ProfileAction::SwitchAndInitialise, 1,
                                        false}));

TEST(ProfileWords, ByLanguage)
{
    EXPECT_EQ(ProfileWord("EN"), "Profile");
    EXPECT_EQ(ProfileWord("CHS"), "Profile");
    EXPECT_EQ(ProfileWord("DE"), "Profil");
    EXPECT_EQ(ProfileWord("CHT"), "設定檔");
    EXPECT_EQ(CopyWord("EN"), "Copy");
    EXPECT_EQ(CopyWord("DE"), "Kopieren");
    EXPECT_EQ(CopyWord("CHS"), "复制");
    EXPECT_EQ(CopyWord("CHT"), "複製");
}

} // namespace
} // namespace lumeno
