#pragma once

namespace quillon::fakes {

// Where the shortcut tests' substitutes keep the two Startup folders and the
// program, and the notice an all-users entry brings on version 6 and later.
inline constexpr const char* kUserStartup =
    "C:\\Users\\ann\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup";
inline constexpr const char* kAllStartup =
    "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Startup";
inline constexpr const char* kTarget = "C:\\Program Files\\Quillon\\quillon.exe";
inline constexpr const char* kAllUsersInfo =
    "To add to startup for all users, you must run Quillon as Administator!";

}  // namespace quillon::fakes
