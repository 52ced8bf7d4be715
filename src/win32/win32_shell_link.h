#pragma once

#include <memory>

#include "platform/shell.h"

namespace quillon::platform::win32 {

// A new shell link object through IShellLinkA and IPersistFile; nothing
// when COM cannot make one on this thread.
std::unique_ptr<ShellLink> CreateWin32ShellLink();

}  // namespace quillon::platform::win32
