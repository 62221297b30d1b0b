#pragma once
// Temporary files that a killed save leaves in the data folder. Every data
// file is replaced in one step (written beside it, then renamed over it), so
// a save cut short leaves the old file whole and a temporary file next to it.
namespace lumeno {

struct ProfileStore;

// Removes the temporary files of the program's own data files from the data
// folder, one debug line each; other files are left alone. Start-up only,
// while no save can run. Returns how many were removed.
int RemoveInterruptedWrites(ProfileStore& ctx);

} // namespace lumeno
