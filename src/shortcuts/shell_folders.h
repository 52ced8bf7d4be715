#pragma once

#include <cstdint>
#include <string>

#include "platform/shell.h"

namespace quillon::shortcuts::WindowsShellFolders {

// The path of the special folder with the CSIDL number, or "" when the
// system does not know it.
std::string GetSpecialFolderPath(platform::Shell& shell, std::uintptr_t hwnd, std::int32_t csidl);

}  // namespace quillon::shortcuts::WindowsShellFolders
