#pragma once
// The profile list in "str.ini" (section "Profile": "CurProfileName",
// "ItemCount", "Item0".."Item<n-1>") and writing a changed list together with
// the files of the profiles it moved.
//
// A list that moves or removes files is written as a journal first: the new
// list, the moves (each with whether its source files exist) and the number
// of moves done, in "str.ini.new" beside "str.ini". Then each pair moves in
// ascending order, one rename per file, and the journal counts it; then the
// pairs left behind are removed; then the new list replaces the "Profile"
// section of "str.ini" and the journal goes. A crash at any point leaves the
// journal, and FinishProfileListWrite completes the work at the next start,
// so every listed name opens its own data.
#include "config/ProfileList.h"

#include <functional>
#include <string>
#include <vector>

namespace lumeno {

struct ProfileStore;

inline constexpr char kProfileListJournalFile[] = "str.ini.new";

// The names of "str.ini", or none when "ItemCount" is not 1..6.
std::vector<std::string> ReadProfileList(ProfileStore& ctx);
std::string ReadCurrentProfileName(ProfileStore& ctx);

enum class ProfileListWrite {
    Written,     // list and files are in place
    NoList,      // "str.ini" does not exist: nothing was written or moved
    Failed,      // a file could not be written or moved; what was done is journalled
    Interrupted, // the step hook stopped it, as a crash would
};

// Called before each step with its number (from 0); false stops the write
// there. Tests use it to stop between any two steps.
using ProfileListStepHook = std::function<bool(int step)>;

// Writes the list and moves the files. Unless the result is Failed or
// Interrupted, the session takes the commit's active position and "new"
// flags and currentProfileNumber becomes the commit's position.
ProfileListWrite WriteProfileList(ProfileStore& ctx, ProfileSession& session, const ProfileListCommit& commit,
                                  const ProfileListStepHook& hook = {});

// Completes a list write that a crash interrupted. True when there was one
// and it is now complete.
bool FinishProfileListWrite(ProfileStore& ctx);

} // namespace lumeno
