#include "win32/win32_task_scheduler.h"

namespace quillon::platform::win32 {

// PLACEHOLDER (i30base): the Task Scheduler body comes with the networks branch.
std::string Win32TaskScheduler::CurrentUser() { return {}; }
bool Win32TaskScheduler::Register(std::string_view, std::string_view) { return false; }
bool Win32TaskScheduler::Exists(std::string_view) { return false; }
bool Win32TaskScheduler::Remove(std::string_view) { return false; }

}  // namespace quillon::platform::win32
