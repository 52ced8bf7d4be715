#include "win32/win32_event_log.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace quillon::platform::win32 {
namespace {

// An event carries Windows' text of its error code: a system error's also
// where it comes as an HRESULT (the Task Scheduler's), none for a code
// Windows has no text for.
TEST(Win32EventLogTest, ErrorTextIsWindowsOwnForSystemErrorsAndTheirHresults) {
    Win32EventLog log;
    const std::string denied = log.ErrorText(ERROR_ACCESS_DENIED);
    EXPECT_FALSE(denied.empty());
    EXPECT_EQ(denied.find('\n'), std::string::npos) << "one line, no line end";
    EXPECT_EQ(log.ErrorText(static_cast<std::uint32_t>(HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED))), denied);
    EXPECT_EQ(log.ErrorText(0xDEAD0000), "");
}

}  // namespace
}  // namespace quillon::platform::win32
