#pragma once

#include <memory>

#include "platform/task_scheduler.h"

namespace quillon::platform::win32 {

// The Task Scheduler's root folder, reached on the first question only:
// a run that never asks loads none of COM.
class Win32TaskScheduler final : public TaskScheduler {
public:
    Win32TaskScheduler();
    ~Win32TaskScheduler() override;

    Account CurrentAccount() override;
    bool Register(std::string_view name, std::string_view definition) override;
    std::optional<std::string> Program(std::string_view name) override;
    std::optional<std::vector<ScheduledTask>> Tasks(std::string_view prefix) override;
    bool Remove(std::string_view name) override;

private:
    struct Connection;
    // Null when the scheduler cannot be reached; asked once.
    Connection* Connect();

    std::unique_ptr<Connection> connection_;
    bool connectTried_ = false;
};

}  // namespace quillon::platform::win32
