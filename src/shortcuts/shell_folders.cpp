#include "shortcuts/shell_folders.h"

namespace quillon::shortcuts::WindowsShellFolders {

std::string GetSpecialFolderPath(platform::Shell& shell, std::uintptr_t hwnd, std::int32_t csidl) {
    return shell.SpecialFolderPath(hwnd, csidl);
}

}  // namespace quillon::shortcuts::WindowsShellFolders
