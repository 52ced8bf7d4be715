#include "win32/win32_shell.h"

#include <windows.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

// The method keeps its own name; the call below names the ANSI function.
#undef ShellExecute

#include <array>
#include <optional>
#include <span>
#include <string>

#include "win32/unique_handle.h"
#include "win32/wide_text.h"
#include "win32/win32_shell_link.h"

namespace quillon::platform::win32 {
namespace {

constexpr std::string_view kLinkExtension = ".lnk";

bool IsAccessDenied(HRESULT result) {
    return result == E_ACCESSDENIED || result == STG_E_ACCESSDENIED;
}

// The system's text for a result code, without its line end.
std::string Describe(HRESULT result) {
    std::array<char, 512> buffer{};
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, static_cast<DWORD>(result), 0, buffer.data(),
                                  static_cast<DWORD>(buffer.size()), nullptr);
    while (length > 0 && (buffer[length - 1] == '\r' || buffer[length - 1] == '\n' ||
                          buffer[length - 1] == ' ')) {
        --length;
    }
    if (length > 0) return std::string(buffer.data(), length);
    std::array<char, 32> code{};
    wsprintfA(code.data(), "Error 0x%08lX", static_cast<unsigned long>(result));
    return code.data();
}

void Fail(ShortcutReading& reading, HRESULT result) {
    reading.outcome = IsAccessDenied(result) ? ShortcutReading::Outcome::AccessDenied
                                             : ShortcutReading::Outcome::Failed;
    if (reading.outcome == ShortcutReading::Outcome::Failed) reading.errorText = Describe(result);
}

bool EndsWithLinkExtension(std::string_view name) {
    if (name.size() < kLinkExtension.size()) return false;
    const auto tail = name.substr(name.size() - kLinkExtension.size());
    return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, tail.data(),
                          static_cast<int>(tail.size()), kLinkExtension.data(),
                          static_cast<int>(kLinkExtension.size())) == CSTR_EQUAL;
}

// Reads one text of a link object into a buffer of the given size.
template <typename Getter>
std::optional<std::string> ReadText(std::size_t size, Getter&& getter) {
    std::string buffer(size, '\0');
    if (!getter(std::span<char>(buffer))) return std::nullopt;
    buffer.resize(std::string_view(buffer.c_str()).size());
    return buffer;
}

}  // namespace

void Win32Shell::UseCom() {
    if (!com_) com_.emplace(COINIT_APARTMENTTHREADED);
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

std::unique_ptr<ShellLink> Win32Shell::CreateShellLink() {
    UseCom();
    return CreateWin32ShellLink();
}

bool Win32Shell::CreateFolder(std::string_view path) {
    const int created = SHCreateDirectoryExA(nullptr, std::string(path).c_str(), nullptr);
    return created == ERROR_SUCCESS || created == ERROR_ALREADY_EXISTS ||
           created == ERROR_FILE_EXISTS;
}

ShortcutReading Win32Shell::ReadShortcut(std::string_view folder, std::string_view fileName) {
    using Outcome = ShortcutReading::Outcome;
    ShortcutReading reading;
    const std::string path = std::string(folder) + std::string(fileName);
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
            error == ERROR_INVALID_NAME) {
            reading.outcome = Outcome::NotFound;
        } else {
            Fail(reading, HRESULT_FROM_WIN32(error));
        }
        return reading;
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        reading.outcome = Outcome::NotALink;
        return reading;
    }

    // The shell shows a shortcut by its file name without the extension.
    reading.name = std::string(EndsWithLinkExtension(fileName)
                                   ? fileName.substr(0, fileName.size() - kLinkExtension.size())
                                   : fileName);

    UseCom();
    HRESULT failure = E_FAIL;
    const auto link = CreateWin32ShellLink(&failure);
    if (!link || !link->Load(path)) {
        Fail(reading, link ? link->LastResult() : failure);
        return reading;
    }

    // Descriptions and arguments may be longer than a path. A path is at
    // most MAX_PATH characters, each up to four bytes in UTF-8.
    constexpr std::size_t kLongText = 1024;
    constexpr std::size_t kPathBytes = MAX_PATH * 4;
    reading.description =
        ReadText(kLongText, [&](std::span<char> buffer) { return link->GetDescription(buffer); });
    if (reading.description) {
        reading.target = ReadText(kPathBytes, [&](std::span<char> buffer) {
            return link->GetPath(buffer, SLGP_UNCPRIORITY);
        });
    }
    if (reading.target) {
        reading.workingFolder = ReadText(
            kPathBytes, [&](std::span<char> buffer) { return link->GetWorkingDirectory(buffer); });
    }
    if (reading.workingFolder) {
        reading.arguments =
            ReadText(kLongText, [&](std::span<char> buffer) { return link->GetArguments(buffer); });
    }
    if (!reading.arguments) {
        Fail(reading, link->LastResult());
        return reading;
    }
    reading.outcome = Outcome::Read;
    return reading;
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
