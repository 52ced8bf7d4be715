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

// The version of the task's definition, which its registration carries:
// raised with every change of the definition, so that a run registers a
// task of an older version again and leaves a newer program's alone. A
// task registered before it was carried counts as older.
inline constexpr int kNetworkTaskVersion = 2;

// The value under the machine's options key where the installer records
// the full path of the program it installed.
inline constexpr std::string_view kInstalledProgramValue = "program";

// The task's definition in the scheduler's XML: started at the user's
// log-on and a few seconds after Windows connects or disconnects a network,
// running the program by its full path with "/network /q /nogui", as the
// user named by the account's identifier, on battery too, ended after a
// minute, one run at a time with the latest event's run the one that
// finishes; its registration carries kNetworkTaskVersion.
std::string NetworkTaskDefinition(std::string_view programPath, std::string_view sid);

// The first of the program, its folder and the folders above it that an
// account other than the administrators, SYSTEM, TrustedInstaller and the
// one of that identifier may change so as to put another program in the
// program's place: write, append to or delete the file; add to, delete
// from or delete its folder; delete or rename a folder above; change an
// access list or take an owner's place. "" where none, as far as Windows
// tells: a path on another computer is not asked about.
std::string ChangeableByOthers(platform::Files& files, std::string_view program, std::string_view sid);

enum class TaskChange {
    Done,               // as asked, or already so
    Refused,            // the scheduler refused
    OlderTaskStays,     // registered, but a task of an older name of the account could not be removed
    AccountUnknown,     // the system cannot tell the account: the scheduler was not asked
    NotForThisAccount,  // a service account: the scheduler was not asked
    ProgramChangeable,  // others may change the program it would start: not registered
    ProgramUnknown,     // the code page cannot carry the program's path: the scheduler was not asked
};

// The task starts the installed program where the installer recorded one
// that is there; else the program it starts already, while that is there,
// so that copies on a share, a stick or under a short name do not take it
// over in turn; else this one.
// Registers this user's task (replacing an older definition, and the
// user's tasks under an older name of the account), unless others may
// change the program it would start: that run writes an event.
TaskChange EnsureNetworkTask(RunState& state);
// Removes every task of this user's, under any name of the account.
TaskChange RemoveNetworkTask(RunState& state);
// Registers the task again where it is missing, is of an older version or
// is to start another program; asks the scheduler once where it is as it
// should be.
TaskChange KeepNetworkTask(RunState& state);

// Removes the tasks of every user this run may see (all of them for an
// administrator, as the uninstaller runs it); false when one stays or the
// scheduler cannot list them.
bool RemoveEveryNetworkTask(RunState& state);

}  // namespace quillon::networks
