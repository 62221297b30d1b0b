#include "config/ProfileList.h"

#include "config/ProfileIni.h"

#include <algorithm>

namespace lumeno {

namespace {

struct LanguageWords {
    std::string_view code;
    std::string_view profile;
    std::string_view copy;
};
constexpr std::array<LanguageWords, 4> kWords{{
    {"EN", "Profile", "Copy"},
    {"DE", "Profil", "Kopieren"},
    {"CHS", "Profile", "复制"},
    {"CHT", "設定檔", "複製"},
}};

const LanguageWords& WordsOf(std::string_view languageCode)
{
    for (const auto& words : kWords)
        if (words.code == languageCode)
            return words;
    return kWords[0];
}

// The English word, whatever the language, for a name made after a last
// name without a blank.
constexpr std::string_view kEnglishProfileWord = "Profile";

std::string Trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

} // namespace

std::string_view ProfileWord(std::string_view languageCode) { return WordsOf(languageCode).profile; }
std::string_view CopyWord(std::string_view languageCode) { return WordsOf(languageCode).copy; }

ProfileListModel::ProfileListModel(std::vector<std::string> names, std::string_view currentName,
                                   const ProfileSession& session, std::string_view languageCode)
    : storedCount_(int(names.size())), active_(session.activePosition), languageCode_(languageCode)
{
    for (size_t i = 0; i < names.size(); ++i) {
        const bool isNew = i < session.newFlags.size() && session.newFlags[i];
        entries_.push_back({std::move(names[i]), int(i), isNew});
        if (entries_.back().name == currentName && !selected_)
            selected_ = int(i);
    }
    clickedLast_ = active_;
}

std::vector<std::string> ProfileListModel::Names() const
{
    std::vector<std::string> names;
    for (const auto& entry : entries_)
        names.push_back(entry.name);
    return names;
}

bool ProfileListModel::IsNew(int index) const { return index >= 0 && index < Count() && entries_[size_t(index)].isNew; }

bool ProfileListModel::Click(int index)
{
    if (index < 0 || index >= Count())
        return false;
    const bool again = index == clickedLast_;
    selected_ = index;
    clickedLast_ = index;
    return again;
}

void ProfileListModel::Select(int index)
{
    if (index >= 0 && index < Count())
        selected_ = index;
}

std::string ProfileListModel::NewName() const
{
    const std::string_view word = ProfileWord(languageCode_);
    if (entries_.empty())
        return std::string(word) + " 1";
    const std::string& last = entries_.back().name;
    const auto blank = last.find(' ');
    const std::string_view stem = blank == std::string::npos ? kEnglishProfileWord : word;
    int number = blank == std::string::npos ? Count() : ParseLeadingInt(std::string_view(last).substr(blank)) + 1;
    // A name the list already has would make two entries share one name; the
    // number goes up until the name is free.
    for (;; ++number) {
        std::string name = std::string(stem) + " " + std::to_string(number);
        const bool taken =
            std::any_of(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.name == name; });
        if (!taken)
            return name;
    }
}

ProfileListModel::NewResult ProfileListModel::New()
{
    if (Count() >= kMaxProfiles)
        return NewResult::LimitReached;
    const bool first = entries_.empty();
    entries_.push_back({NewName(), std::nullopt, !first});
    selected_ = Count() - 1;
    return NewResult::Added;
}

bool ProfileListModel::Delete()
{
    if (Count() < 2 || !selected_)
        return false;
    const int at = *selected_;
    entries_.erase(entries_.begin() + at);
    selected_ = std::min(at, Count() - 1);
    clickedLast_ = -1;
    return true;
}

bool ProfileListModel::Copy()
{
    if (entries_.empty() || Count() >= kMaxProfiles || !selected_)
        return false;
    const std::string base = std::string(CopyWord(languageCode_)) + " " + entries_[size_t(*selected_)].name;
    // A second copy of the same profile gets a number, so names stay unique.
    std::string name = base;
    for (int n = 2; std::any_of(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.name == name; }); ++n)
        name = base + " " + std::to_string(n);
    entries_.push_back({name, std::nullopt, false});
    return true;
}

bool ProfileListModel::Rename(int index, std::string_view typed)
{
    if (index < 0 || index >= Count())
        return false;
    const std::string name = Trimmed(typed);
    if (name.empty())
        return false;
    for (int i = 0; i < Count(); ++i)
        if (i != index && entries_[size_t(i)].name == name)
            return false;
    entries_[size_t(index)].name = name;
    return true;
}

ProfileListCommit ProfileListModel::Commit() const
{
    ProfileListCommit commit;
    commit.names = Names();
    commit.position = selected_.value_or(0);
    if (!commit.names.empty())
        commit.currentName = commit.names[size_t(commit.position)];

    commit.activePosition = active_;
    bool activeKept = false;
    for (int i = 0; i < Count(); ++i) {
        const Entry& entry = entries_[size_t(i)];
        if (entry.origin && *entry.origin != i)
            commit.moves.push_back({*entry.origin, i});
        if (entry.origin && *entry.origin == active_) {
            commit.activePosition = i;
            activeKept = true;
        }
        if (i < kMaxProfiles)
            commit.newFlags[size_t(i)] = entry.isNew;
    }
    if (!activeKept && active_ >= 0 && active_ < storedCount_)
        commit.activePosition = -1; // its profile was deleted

    const int span = std::max(storedCount_, Count());
    for (int p = 0; p < span; ++p) {
        const bool holdsData = p < Count() && entries_[size_t(p)].origin.has_value();
        if (!holdsData)
            commit.removals.push_back(p);
    }
    return commit;
}

void ProfileListModel::Committed()
{
    active_ = Commit().activePosition;
    for (int i = 0; i < Count(); ++i)
        entries_[size_t(i)].origin = i;
    storedCount_ = Count();
}

void ProfileListModel::Imported(int index)
{
    if (index < 0 || index >= Count())
        return;
    entries_[size_t(index)].isNew = false;
    active_ = index;
}

ProfileListModel::CloseRequest ProfileListModel::Close() const
{
    CloseRequest request{Commit(), ProfileAction::Switch};
    const int position = request.commit.position;
    if (IsNew(position)) {
        request.commit.newFlags[size_t(position)] = false;
        request.action = ProfileAction::SwitchAndInitialise;
    }
    return request;
}

bool SwitchSkippedAfterImport(ProfileSession& session, ProfileAction action, int position)
{
    if (!session.importPending)
        return false;
    session.importPending = false;
    return action == ProfileAction::Switch && position == session.activePosition;
}

} // namespace lumeno
