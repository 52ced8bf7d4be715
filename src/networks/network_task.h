#pragma once

#include <string>
#include <string_view>

#include "base/run_state.h"

namespace quillon::networks {

// The user's scheduled task that switches the default printer when the
// network changes. The scheduler's root folder is one for every user of the
// PC, so the name carries the account ("Quillon network printer (PC
// anna)"): each user's task is their own, and one user's choice never
// replaces, or is refused for, another's.
inline constexpr std::string_view kNetworkTaskName = "Quillon network printer";
std::string NetworkTaskName(std::string_view user);

// Whether this run's user has the task.
bool NetworkTaskExists(RunState& state);

// The task's definition in the scheduler's XML: started at the user's
// log-on and when Windows connects a network, running the program by its
// full path with "/network /q /nogui", as the user, on battery too, ended
// after a minute, and never queued behind a run already going.
std::string NetworkTaskDefinition(std::string_view programPath, std::string_view user);

// Registers the task (replacing an older definition) or removes it; false
// when the scheduler refused.
bool EnsureNetworkTask(RunState& state);
bool RemoveNetworkTask(RunState& state);

}  // namespace quillon::networks
