#pragma once

#include <optional>

#include "platform/shell.h"
#include "win32/unique_handle.h"

namespace quillon::platform::win32 {

// The shell through its ANSI calls and the shell link object. COM is
// initialised apartment-threaded on the calling thread (the window thread)
// when the shell is first used, not before: most runs never use it, and
// loading COM costs them time. It stays initialised for the life of the
// object.
class Win32Shell final : public Shell {
public:
    std::string SpecialFolderPath(std::uintptr_t ownerWindow, int csidl) override;
    using Shell::CreateShellLink;
    std::unique_ptr<ShellLink> CreateShellLink(ShellFailure& failure) override;
    bool CreateFolder(std::string_view path) override;
    FileKind KindOfFile(std::string_view path, ShellFailure& failure) override;
    bool ShellExecute(std::string_view target) override;
    bool StartProgram(std::string_view path) override;

private:
    void UseCom();

    std::optional<unique_couninitialize> com_;
};

}  // namespace quillon::platform::win32
