#pragma once
// Which flow applies a group, and running it.
#include "flows/ConfigCommands.h"
#include "flows/WriteFlows.h"

#include <optional>

namespace lumeno {

// The device flow of a group; none for the groups that do not reach the
// mouse (pointer settings, reshowing controls).
std::optional<Flow> FlowOfGroup(ApplyGroup group);

// Runs the group's flow, or applies and saves the pointer settings; reshowing
// controls is the shell's and does nothing here.
FlowResult ApplyGroupNow(ApplyGroup group, AppContext& ctx);

} // namespace lumeno
