#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace quillon::platform {

// How Event Viewer marks an event.
enum class EventType { Error, Warning, Information };

// The program's events in Windows' Application log, where administrators
// read them. Abstract so that tests can see which events a run writes; the
// real one opens the log only to write an event.
class EventLog {
public:
    virtual ~EventLog() = default;

    // Writes one event of the program's source, as the user the program
    // runs as: its ID picks the message of the program's message table, and
    // the strings fill the message's %1, %2, ... A log that cannot be
    // written, or does not answer soon, is given up: the run goes on as it
    // would have without the event.
    virtual void Report(EventType type, std::uint32_t id, std::span<const std::string> strings) = 0;

    // Windows' own text for an error code (a system error or an HRESULT,
    // the Task Scheduler's among them), in the user's language; empty when
    // Windows has none.
    virtual std::string ErrorText(std::uint32_t code) = 0;
};

}  // namespace quillon::platform
