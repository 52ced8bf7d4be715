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
    std::optional<RegisteredTask> Registered(std::string_view name) override;
    std::optional<std::vector<ScheduledTask>> Tasks(std::string_view prefix) override;
    bool Remove(std::string_view name) override;
    std::uint32_t LastError() override;

private:
    struct Connection;
    // Null when the scheduler cannot be reached; asked once.
    Connection* Connect();

    // Keeps the result (an HRESULT) as LastError's answer; true when it
    // is a success.
    bool Succeeded(long result);

    std::unique_ptr<Connection> connection_;
    bool connectTried_ = false;
    long connectError_ = 0;  // why Connect found no scheduler
    long lastError_ = 0;
};

}  // namespace quillon::platform::win32
