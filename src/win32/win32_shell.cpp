#include "win32/win32_shell.h"

#include <windows.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

// The method keeps its own name; the call below names the ANSI function.
#undef ShellExecute

#include <array>
#include <string>

#include "win32/unique_handle.h"
#include "win32/wide_text.h"
#include "win32/win32_shell_link.h"

namespace quillon::platform::win32 {
void Win32Shell::UseCom() {
    if (!com_) com_.emplace(kShellApartment);
}

std::string Win32Shell::SpecialFolderPath(std::uintptr_t ownerWindow, int csidl) {
    UseCom();
    unique_cotaskmem<ITEMIDLIST> items;
    if (SHGetSpecialFolderLocation(reinterpret_cast<HWND>(ownerWindow), csidl, items.out()) !=
        S_OK) {
        return {};
    }
    // Read wide: MAX_PATH counts characters, which take up to four bytes
    // each in UTF-8.
    std::array<wchar_t, MAX_PATH> buffer{};
    if (!SHGetPathFromIDListW(items.get(), buffer.data())) return {};
    return Narrow(buffer.data());
}

std::unique_ptr<ShellLink> Win32Shell::CreateShellLink(ShellFailure& failure) {
    UseCom();
    return CreateWin32ShellLink(failure);
}

bool Win32Shell::CreateFolder(std::string_view path) {
    const int created = SHCreateDirectoryExA(nullptr, std::string(path).c_str(), nullptr);
    return created == ERROR_SUCCESS || created == ERROR_ALREADY_EXISTS ||
           created == ERROR_FILE_EXISTS;
}

FileKind Win32Shell::KindOfFile(std::string_view path, ShellFailure& failure) {
    const DWORD attributes = GetFileAttributesA(std::string(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
            error == ERROR_INVALID_NAME) {
            return FileKind::Missing;
        }
        failure = FailureOf(HRESULT_FROM_WIN32(error));
        return FileKind::Failed;
    }
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? FileKind::Folder : FileKind::File;
}

bool Win32Shell::ShellExecute(std::string_view target) {
    // The shell may hand the target to an extension that needs COM.
    UseCom();
    const std::string targetText(target);
    // Instance values up to 32 are error codes.
    constexpr std::intptr_t kLastError = 32;
    return reinterpret_cast<std::intptr_t>(ShellExecuteA(nullptr, nullptr, targetText.c_str(),
                                                         nullptr, nullptr, SW_SHOWNORMAL)) >
           kLastError;
}

bool Win32Shell::StartProgram(std::string_view path) {
    const std::string application(path);
    // CreateProcessA may write into the command line, so it gets its own copy.
    std::string commandLine = "\"" + application + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(application.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, nullptr, &startup, &process)) {
        return false;
    }
    unique_handle processHandle(process.hProcess);
    unique_handle threadHandle(process.hThread);
    // Our window has the focus, so it may hand it on to the new program.
    AllowSetForegroundWindow(process.dwProcessId);
    return true;
}

}  // namespace quillon::platform::win32
