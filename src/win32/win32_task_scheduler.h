#pragma once

#include "platform/task_scheduler.h"

namespace quillon::platform::win32 {

// The Task Scheduler's root folder, reached on the first question only.
class Win32TaskScheduler final : public TaskScheduler {
public:
    std::string CurrentUser() override;
    bool Register(std::string_view name, std::string_view definition) override;
    bool Exists(std::string_view name) override;
    bool Remove(std::string_view name) override;
};

}  // namespace quillon::platform::win32
