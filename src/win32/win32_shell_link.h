#pragma once

#include <windows.h>

#include <memory>

#include "platform/shell.h"

namespace quillon::platform::win32 {

// How a call with the failing result code failed: a refused access, or the
// system's text for the code.
ShellFailure FailureOf(HRESULT result);

// A new shell link object through IShellLinkA and IPersistFile; nothing,
// and why in failure, when COM cannot make one on this thread.
std::unique_ptr<ShellLink> CreateWin32ShellLink(ShellFailure& failure);

}  // namespace quillon::platform::win32
