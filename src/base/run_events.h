#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "base/run_state.h"
#include "platform/event_log.h"

namespace quillon::events {

// The IDs of the program's events, fixed for good: administrators filter
// on them. The message table (res/quillon_events.mc) and the read-me list
// the same.
enum class EventId : std::uint32_t {
    NetworkSwitched = 1000,             // network, printer, rule
    PrinterNotInstalled = 2001,         // printer as named
    NetworkPrinterNotInstalled = 2002,  // printer as chosen, network, rule
    NothingSet = 2003,                  // command line
    DefaultNotSet = 3001,               // printer, error code, error text
    TaskNotRegistered = 3002,           // user, error code, error text
    TaskNotRemoved = 3003,              // user, error code, error text
    TaskProgramChangeable = 3004,       // user, program, the file or folder others may change
    TasksNotRemoved = 3005,             // error code, error text
};

// What became of a run, as far as an administrator asks why.
enum class Outcome {
    PrinterSet,           // the printer is the default now
    PrinterNotInstalled,  // a printer was named, or chosen for a network, and none installed matches
    DefaultNotSet,        // Windows did not make the printer the default
    NothingSet,           // nobody could see the run, and no printer was named
    TaskNotRegistered,    // the scheduler refused the switching task
    TaskNotRemoved,
    TaskProgramChangeable,  // others may change the program the task would start: none registered
    TasksNotRemoved,        // the run that removes every user's task failed, or ran out of time
};

struct Event {
    platform::EventType type;
    EventId id;
};

// Which event a run writes for what became of it. None where a window of
// the program told the user (answered): the log is for the runs nobody
// watches. None for a printer set by name, so that a log-on adds no line;
// a printer set for a network (a switch) is the one event of a run that
// went well, since it answers "why did my printer change?".
std::optional<Event> EventFor(Outcome outcome, bool answered, bool forNetwork);

// The sites of a run, each writing its event where the rule asks for one.
// The printer as Windows names it, set as the default.
void ReportPrinterSet(RunState& state, std::string_view printer);
// The printer named on the command line, or chosen for the network, that
// no installed printer matches; the run ends now only without its window.
void ReportPrinterNotInstalled(RunState& state);
// The printer Windows did not make the default, with its error code, where
// no message box told the user.
void ReportDefaultNotSet(RunState& state, std::string_view printer, std::uint32_t error);
// The run ends, nobody could see it, and no printer was named.
void ReportNothingSet(RunState& state);
// The scheduler refused to register or to remove the user's switching
// task, in a run no window answers for (an administrator's policy).
void ReportTaskNotChanged(RunState& state, bool registering);
// The switching task was not registered, as others than administrators,
// SYSTEM and the user may change the program it would start, through the
// file or folder named. Written whoever asked for the task: no window
// tells why.
void ReportTaskProgramChangeable(RunState& state, std::string_view program, std::string_view changeable);
// Not every user's switching task could be removed, or the removal did not
// finish in its time.
void ReportTasksNotRemoved(RunState& state, bool finished);

}  // namespace quillon::events
