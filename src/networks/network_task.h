#pragma once

#include <string>
#include <string_view>

#include "base/run_state.h"
#include "platform/task_scheduler.h"

namespace quillon::networks {

// The user's scheduled task that switches the default printer when the
// network changes. The scheduler's root folder is one for every user of the
// PC, so the name carries the account ("Quillon network printer (PC
// anna)"): each user's task is their own, and one user's choice never
// replaces, or is refused for, another's. Every task whose name begins with
// the prefix is this program's.
inline constexpr std::string_view kNetworkTaskPrefix = "Quillon network printer (";
// Named after the account as people read it, or after its identifier where
// the code page cannot carry the name.
std::string NetworkTaskName(const platform::Account& account);

// Whether this system can switch per network: the Network List Manager and
// the Task Scheduler that takes network events came with Windows Vista.
bool NetworkSwitchingAvailable(const RunState& state);

// SYSTEM, LocalService and NetworkService: a run as one of them (software
// distribution, a start-up script) is nobody's log-on, and never registers
// or removes a task.
bool IsServiceAccount(std::string_view sid);

// The task's definition in the scheduler's XML: started at the user's
// log-on and a few seconds after Windows connects or disconnects a network,
// running the program by its full path with "/network /q /nogui", as the
// user named by the account's identifier, on battery too, ended after a
// minute, one run at a time with the latest event's run the one that
// finishes.
std::string NetworkTaskDefinition(std::string_view programPath, std::string_view sid);

enum class TaskChange {
    Done,               // as asked, or already so
    Refused,            // the scheduler refused
    OlderTaskStays,     // registered, but a task of an older name of the account could not be removed
    AccountUnknown,     // the system cannot tell the account: the scheduler was not asked
    NotForThisAccount,  // a service account: the scheduler was not asked
};

// Registers this user's task for this program (replacing an older
// definition, and the user's tasks under an older name of the account).
TaskChange EnsureNetworkTask(RunState& state);
// Removes every task of this user's, under any name of the account.
TaskChange RemoveNetworkTask(RunState& state);
// Registers the task again where it is missing or starts another program
// than this one (the program moved, or another copy registered it); asks
// the scheduler once where it is as it should be.
TaskChange KeepNetworkTask(RunState& state);

// Removes the tasks of every user this run may see (all of them for an
// administrator, as the uninstaller runs it); false when one stays or the
// scheduler cannot list them.
bool RemoveEveryNetworkTask(RunState& state);

}  // namespace quillon::networks
