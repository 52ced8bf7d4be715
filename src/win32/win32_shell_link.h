#pragma once

#include <windows.h>

#include <memory>

#include "platform/shell.h"

namespace quillon::platform::win32 {

// The shell link object with the result code of its last call, so that the
// shell's own reading of a shortcut can tell a refused access from other
// failures.
class Win32ShellLink : public ShellLink {
public:
    virtual HRESULT LastResult() const = 0;
};

// A new shell link object through IShellLinkA and IPersistFile; nothing,
// and the failing result code in failure when given, when COM cannot make
// one on this thread.
std::unique_ptr<Win32ShellLink> CreateWin32ShellLink(HRESULT* failure = nullptr);

}  // namespace quillon::platform::win32
