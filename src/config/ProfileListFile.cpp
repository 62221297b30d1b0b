#include "config/ProfileListFile.h"

#include "config/ConfigFiles.h"
#include "config/IniKeys.h"
#include "config/ProfileStore.h"
#include "platform/DebugOutput.h"
#include "platform/FileStore.h"

#include <sstream>
#include <system_error>

namespace lumeno {

namespace {

// The journal's own section; its "Profile" section is the new list.
constexpr char kMovesSection[] = "Moves";
constexpr char kMoveCountKey[] = "MoveCount";
constexpr char kMovesDoneKey[] = "Done";
constexpr char kRemovalCountKey[] = "RemovalCount";
std::string MoveKey(int n) { return "Move" + std::to_string(n); }
std::string RemovalKey(int n) { return "Removal" + std::to_string(n); }

// One move as the journal holds it: "<from> <to> <bin exists> <ini exists>".
struct PlannedMove {
    int from = 0;
    int to = 0;
    bool bin = false;
    bool ini = false;
};

struct Journal {
    std::vector<ProfileIni::KeyValue> list;
    std::vector<PlannedMove> moves;
    std::vector<int> removals;
    int done = 0;
};

std::filesystem::path Folder(const ProfileStore& ctx) { return DataDirectory(ctx.platform); }
std::filesystem::path ListPath(const ProfileStore& ctx) { return Folder(ctx) / kProfileListFile; }
std::filesystem::path JournalPath(const ProfileStore& ctx) { return Folder(ctx) / kProfileListJournalFile; }

bool IsFile(const std::filesystem::path& p)
{
    std::error_code ec;
    return std::filesystem::is_regular_file(p, ec);
}

std::vector<ProfileIni::KeyValue> ListKeys(const ProfileListCommit& commit)
{
    std::vector<ProfileIni::KeyValue> keys{{kCurProfileNameKey, commit.currentName}};
    if (!commit.names.empty()) {
        keys.emplace_back(kItemCountKey, std::to_string(commit.names.size()));
        for (size_t i = 0; i < commit.names.size(); ++i)
            keys.emplace_back(ItemKey(int(i)), commit.names[i]);
    }
    return keys;
}

std::string JournalText(const Journal& journal)
{
    std::ostringstream out;
    out << "[" << kProfileSection << "]\n";
    for (const auto& [key, value] : journal.list)
        out << key << "=" << value << "\n";
    out << "[" << kMovesSection << "]\n";
    out << kMoveCountKey << "=" << journal.moves.size() << "\n";
    for (size_t i = 0; i < journal.moves.size(); ++i) {
        const PlannedMove& m = journal.moves[i];
        out << MoveKey(int(i)) << "=" << m.from << " " << m.to << " " << int(m.bin) << " " << int(m.ini) << "\n";
    }
    out << kRemovalCountKey << "=" << journal.removals.size() << "\n";
    for (size_t i = 0; i < journal.removals.size(); ++i)
        out << RemovalKey(int(i)) << "=" << journal.removals[i] << "\n";
    out << kMovesDoneKey << "=" << journal.done << "\n";
    return out.str();
}

Journal ReadJournal(ProfileStore& ctx, const std::filesystem::path& file)
{
    Journal journal;
    auto read = [&](std::string_view section, const std::string& key) {
        return ctx.ini.ReadString(file, section, key);
    };
    journal.list.emplace_back(kCurProfileNameKey, read(kProfileSection, kCurProfileNameKey));
    const std::string count = read(kProfileSection, kItemCountKey);
    if (!count.empty()) {
        journal.list.emplace_back(kItemCountKey, count);
        for (int i = 0; i < ParseLeadingInt(count) && i < kMaxProfiles; ++i)
            journal.list.emplace_back(ItemKey(i), read(kProfileSection, ItemKey(i)));
    }
    const int moves = ParseLeadingInt(read(kMovesSection, kMoveCountKey));
    for (int i = 0; i < moves && i < kMaxProfiles; ++i) {
        std::istringstream in(read(kMovesSection, MoveKey(i)));
        PlannedMove m;
        int bin = 0;
        int ini = 0;
        in >> m.from >> m.to >> bin >> ini;
        m.bin = bin != 0;
        m.ini = ini != 0;
        journal.moves.push_back(m);
    }
    const int removals = ParseLeadingInt(read(kMovesSection, kRemovalCountKey));
    for (int i = 0; i < removals && i < kMaxProfiles; ++i)
        journal.removals.push_back(ParseLeadingInt(read(kMovesSection, RemovalKey(i))));
    journal.done = ParseLeadingInt(read(kMovesSection, kMovesDoneKey));
    return journal;
}

// One file of a move. A source that existed when the move was planned and is
// gone now has already moved; a source that did not exist leaves the target
// without a file too, so the profile never opens its predecessor's data.
bool MoveOne(const std::filesystem::path& from, const std::filesystem::path& to, bool sourceExisted)
{
    std::error_code ec;
    if (!sourceExisted) {
        std::filesystem::remove(to, ec);
        return !ec;
    }
    if (!IsFile(from))
        return true;
    std::filesystem::rename(from, to, ec);
    return !ec;
}

bool RemovePair(const std::filesystem::path& folder, int position)
{
    bool removed = true;
    for (const auto& name : {ConfigFileName(position), SettingsFileName(position)}) {
        std::error_code ec;
        std::filesystem::remove(folder / name, ec);
        removed = removed && !ec;
    }
    return removed;
}

// Runs the journal from its done count to the end.
ProfileListWrite RunJournal(ProfileStore& ctx, Journal& journal, const ProfileListStepHook& hook, int step)
{
    const auto folder = Folder(ctx);
    const auto journalPath = JournalPath(ctx);
    auto next = [&] { return !hook || hook(step++); };
    auto failed = [&](const char* what) {
        DebugPrintf(ctx.debug, "Profile list not written: %s failed\n", what);
        return ProfileListWrite::Failed;
    };

    for (int i = journal.done; i < int(journal.moves.size()); ++i) {
        const PlannedMove& m = journal.moves[size_t(i)];
        if (!next())
            return ProfileListWrite::Interrupted;
        if (!MoveOne(folder / ConfigFileName(m.from), folder / ConfigFileName(m.to), m.bin))
            return failed("moving a configuration file");
        if (!next())
            return ProfileListWrite::Interrupted;
        if (!MoveOne(folder / SettingsFileName(m.from), folder / SettingsFileName(m.to), m.ini))
            return failed("moving a settings file");
        if (!next())
            return ProfileListWrite::Interrupted;
        journal.done = i + 1;
        if (!ctx.ini.WriteString(journalPath, kMovesSection, kMovesDoneKey, std::to_string(journal.done)))
            return failed("writing the journal");
    }
    for (int position : journal.removals) {
        if (!next())
            return ProfileListWrite::Interrupted;
        if (!RemovePair(folder, position))
            return failed("removing a profile's files");
    }
    if (!next())
        return ProfileListWrite::Interrupted;
    if (!ctx.ini.ReplaceSection(ListPath(ctx), kProfileSection, journal.list))
        return failed("writing the profile list");
    if (!next())
        return ProfileListWrite::Interrupted;
    std::error_code ec;
    std::filesystem::remove(journalPath, ec);
    return ProfileListWrite::Written;
}

} // namespace

std::vector<std::string> ReadProfileList(ProfileStore& ctx)
{
    const auto list = ListPath(ctx);
    const int count = ParseLeadingInt(ctx.ini.ReadString(list, kProfileSection, kItemCountKey));
    std::vector<std::string> names;
    if (count < 1 || count > kMaxProfiles)
        return names;
    for (int i = 0; i < count; ++i)
        names.push_back(ctx.ini.ReadString(list, kProfileSection, ItemKey(i)));
    return names;
}

std::string ReadCurrentProfileName(ProfileStore& ctx)
{
    return ctx.ini.ReadString(ListPath(ctx), kProfileSection, kCurProfileNameKey);
}

ProfileListWrite WriteProfileList(ProfileStore& ctx, ProfileSession& session, const ProfileListCommit& commit,
                                  const ProfileListStepHook& hook)
{
    ProfileListWrite result = ProfileListWrite::NoList;
    if (IsFile(ListPath(ctx))) {
        const auto folder = Folder(ctx);
        Journal journal;
        journal.list = ListKeys(commit);
        for (const ProfileMove& move : commit.moves)
            journal.moves.push_back({move.from, move.to, IsFile(folder / ConfigFileName(move.from)),
                                     IsFile(folder / SettingsFileName(move.from))});
        for (int position : commit.removals)
            if (IsFile(folder / ConfigFileName(position)) || IsFile(folder / SettingsFileName(position)))
                journal.removals.push_back(position);

        if (journal.moves.empty() && journal.removals.empty()) {
            // Only names change: one atomic rewrite of the list.
            if (hook && !hook(0))
                return ProfileListWrite::Interrupted;
            if (!ctx.ini.ReplaceSection(ListPath(ctx), kProfileSection, journal.list))
                return ProfileListWrite::Failed;
            result = ProfileListWrite::Written;
        } else {
            if (hook && !hook(0))
                return ProfileListWrite::Interrupted;
            const std::string text = JournalText(journal);
            const std::span bytes(reinterpret_cast<const uint8_t*>(text.data()), text.size());
            if (const int error = ctx.files.ReplaceAtomically(JournalPath(ctx), bytes); error != 0) {
                DebugPrintf(ctx.debug, "Profile list not written: journal error %d\n", error);
                return ProfileListWrite::Failed;
            }
            result = RunJournal(ctx, journal, hook, 1);
            if (result != ProfileListWrite::Written)
                return result;
        }
        session.activePosition = commit.activePosition;
    }
    session.newFlags = commit.newFlags;
    ctx.currentProfileNumber = uint8_t(commit.position);
    return result;
}

bool FinishProfileListWrite(ProfileStore& ctx)
{
    const auto journalPath = JournalPath(ctx);
    if (!IsFile(journalPath))
        return false;
    Journal journal = ReadJournal(ctx, journalPath);
    ctx.debug.Write("Completing a profile list write that was interrupted\n");
    return RunJournal(ctx, journal, {}, 0) == ProfileListWrite::Written;
}

} // namespace lumeno
