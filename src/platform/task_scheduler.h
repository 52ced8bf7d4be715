#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quillon::platform {

// The user's own scheduled tasks, by name in the scheduler's root folder.
// Abstract so that tests can see what a run registers; the real one is
// Windows' Task Scheduler, loaded only when a run first asks.
class TaskScheduler {
public:
    virtual ~TaskScheduler() = default;

    // The account tasks run as and start for: "DOMAIN\user". Empty when the
    // system cannot tell.
    virtual std::string CurrentUser() = 0;

    // Creates the task, or replaces the one of that name, from its
    // definition (the scheduler's XML), to run as the current user while
    // that user is logged on. False when the scheduler refused it.
    virtual bool Register(std::string_view name, std::string_view definition) = 0;

    // Whether a task of that name exists.
    virtual bool Exists(std::string_view name) = 0;

    // Deletes the task; true when it is gone, also when there was none.
    virtual bool Remove(std::string_view name) = 0;

    // Why the last Register or Remove was refused: the scheduler's HRESULT,
    // or a system error code; 0 after one that succeeded.
    virtual std::uint32_t LastError() = 0;
};

}  // namespace quillon::platform
