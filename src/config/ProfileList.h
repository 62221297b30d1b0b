#pragma once
// The profile list as the profile pane edits it: names, selection and the
// rules of New, Delete, Copy and rename; what closing the pane writes and
// asks for. Positions are indexes into the list; position k's data are
// "config%d.bin" and "str%d.ini" with k.
//
// Entries remember the position whose files hold their data when the pane
// opened (their origin), so that deleting a profile moves the files of the
// profiles after it with them when the list is written (ProfileListFile.h).
#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumeno {

inline constexpr int kMaxProfiles = 6;

// "Profile", "Profil", "設定檔": the first word of a name made by New.
std::string_view ProfileWord(std::string_view languageCode);
// "Copy", "Kopieren", "复制", "複製": the first word of a copy's name.
std::string_view CopyWord(std::string_view languageCode);

// What the program keeps about its profiles while it runs.
struct ProfileSession {
    // The position whose data the image holds; -1 when it holds the data of a
    // profile that was deleted (the next switch then loads whatever is chosen).
    int activePosition = 0;
    // Set by New, cleared when the new profile is first made current.
    std::array<bool, kMaxProfiles> newFlags{};
    // Set by an import; the next request to make a position current clears it.
    bool importPending = false;
    // The folder of the last profile file imported or exported; empty: none yet.
    std::filesystem::path lastTransferFolder;
};

// The pane's requests to the program.
enum class ProfileAction { Import = 0, Export = 1, Switch = 2, SwitchAndInitialise = 3 };

// A pair of files moving from one position to another.
struct ProfileMove {
    int from = 0;
    int to = 0;
    bool operator==(const ProfileMove&) const = default;
};

// What writing the list changes on disk and in the session.
struct ProfileListCommit {
    std::vector<std::string> names;
    std::string currentName; // "CurProfileName"
    int position = 0;        // the selected position (the first when none is)
    // Ascending by target; each source is after its target.
    std::vector<ProfileMove> moves;
    // Positions whose pair is removed after the moves: those left behind by
    // deleted profiles, and those of entries that have no data yet.
    std::vector<int> removals;
    std::array<bool, kMaxProfiles> newFlags{};
    // Where the active profile's data are afterwards; -1: it was deleted.
    int activePosition = 0;
};

class ProfileListModel {
public:
    enum class NewResult { Added, LimitReached };

    // names: the list as stored (empty when there is none); currentName
    // selects its entry; active: the session's active position, which also
    // starts as the entry clicked last.
    ProfileListModel(std::vector<std::string> names, std::string_view currentName, const ProfileSession& session,
                     std::string_view languageCode);

    std::vector<std::string> Names() const;
    int Count() const { return int(entries_.size()); }
    std::optional<int> Selected() const { return selected_; }
    bool IsNew(int index) const;

    // A click on an entry: selects it. True when the entry was the one
    // clicked last, which starts a rename.
    bool Click(int index);
    void Select(int index);

    NewResult New();
    // Refused (false) unless the list holds at least two profiles and one is
    // selected. Selects the entry now at the same position, or the last one.
    bool Delete();
    // Refused when the list is empty, full, or nothing is selected.
    bool Copy();
    // Refused (false) when the text is empty or another entry's name.
    bool Rename(int index, std::string_view typed);

    // The list written to disk as it stands. Selected position and current
    // name as closing the pane writes them.
    ProfileListCommit Commit() const;
    // The list reached the disk: every entry's data are now at its own position.
    void Committed();
    // A profile file was imported into the entry (after Committed): it now
    // holds the image's data, and is no longer new.
    void Imported(int index);

    // Closing: the commit and the request. The selected entry's "new" flag is
    // cleared in the commit, and the request is SwitchAndInitialise for it.
    struct CloseRequest {
        ProfileListCommit commit;
        ProfileAction action = ProfileAction::Switch;
    };
    CloseRequest Close() const;

private:
    struct Entry {
        std::string name;
        std::optional<int> origin; // the position of its files when the list was last written
        bool isNew = false;
    };
    std::string NewName() const;

    std::vector<Entry> entries_;
    std::optional<int> selected_;
    int clickedLast_ = -1;
    int storedCount_ = 0; // entries with files when the list was last written
    int active_ = 0;
    std::string languageCode_;
};

// After an import, the next request to make a position current clears the
// flag; a plain switch to the position the import went into (the active one)
// then does nothing more (true). Any other position is switched to as usual,
// so the imported data never land in another profile's files.
bool SwitchSkippedAfterImport(ProfileSession& session, ProfileAction action, int position);

} // namespace lumeno
