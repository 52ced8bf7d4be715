#pragma once

#include <string_view>

#include "base/run_state.h"

namespace quillon::printers {

// "Let Windows manage my default printer": from Windows 10 1511 on, while
// it is on, Windows makes the printer used last the default again, and
// what the program set lasts only until the next print to another printer.
// Windows' settings keep it per user as LegacyDefaultPrinterMode, a
// REG_DWORD in the key behind the profile's [windows] section: absent or 0
// is on, 1 is off.
inline constexpr std::string_view kWindowsKey =
    "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
inline constexpr std::string_view kLegacyDefaultPrinterMode = "LegacyDefaultPrinterMode";
// Windows 10 1511, the November update.
inline constexpr unsigned kFirstManagingBuild = 10586;

// Whether Windows manages the current user's default printer.
bool WindowsManagesDefault(RunState& state);

// Turns Windows' management off for the current user, as its own settings
// do; false when the value could not be written.
bool StopWindowsManagingDefault(RunState& state);

}  // namespace quillon::printers
