#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillon::platform {

// The account a run is: its security identifier ("S-1-5-21-...-1001"),
// which every scheduler maps whatever the account's name or domain, and its
// name as people read it ("DOMAIN\user"). The name is empty where the code
// page cannot carry it exactly; both are empty when the system cannot tell.
struct Account {
    std::string sid;
    std::string name;
};

// A task of the scheduler's root folder: its name, and the identifier of
// the account it runs as (empty where the scheduler does not say).
struct ScheduledTask {
    std::string name;
    std::string sid;
};

struct RegisteredTask {
    std::string program;
    std::string version;
};

// Scheduled tasks, by name in the scheduler's root folder, which every user
// of the PC shares. Abstract so that tests can see what a run registers;
// the real one is Windows' Task Scheduler, loaded only when a run first
// asks it something.
class TaskScheduler {
public:
    virtual ~TaskScheduler() = default;

    // The account this run is; asks the scheduler nothing.
    virtual Account CurrentAccount() = 0;

    // Creates the task, or replaces the one of that name, from its
    // definition (the scheduler's XML), to run as the account the
    // definition names while that user is logged on. False when the
    // scheduler refused it.
    virtual bool Register(std::string_view name, std::string_view definition) = 0;

    // What the task of that name holds: the program it starts (its first
    // action's path, as registered, quotes and all) and the version its
    // registration gives (RegistrationInfo's Version), each "" where the
    // scheduler tells of none; nothing when there is no such task.
    virtual std::optional<RegisteredTask> Registered(std::string_view name) = 0;

    // The tasks whose names begin with the prefix, of every user this run
    // may see (all of them for an administrator); nothing when the
    // scheduler cannot list them.
    virtual std::optional<std::vector<ScheduledTask>> Tasks(std::string_view prefix) = 0;

    // Deletes the task; true when it is gone, also when there was none.
    virtual bool Remove(std::string_view name) = 0;

    // Why the last Register, Tasks or Remove was refused: the scheduler's
    // HRESULT, or a system error code; 0 after one that succeeded.
    virtual std::uint32_t LastError() = 0;
};

}  // namespace quillon::platform
