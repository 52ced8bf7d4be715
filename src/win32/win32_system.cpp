#include "win32/win32_system.h"

#include <windows.h>

#include <process.h>

#include <algorithm>
#include <memory>

#include "win32/library_search.h"
#include "win32/unique_handle.h"
#include "win32/program_arguments.h"
#include "win32/wide_text.h"
#include "win32/win32_code_page.h"

namespace quillon::platform::win32 {

namespace {

static_assert(sizeof(OSVERSIONINFOA) == 148);

using GetVersionExAFunction = BOOL(WINAPI*)(OSVERSIONINFOA*);

// GetVersionExA is marked deprecated in the newer SDKs, but it is the one
// call that still tells the 95/98/Me family from NT. Fetching it by name
// keeps the warning away on every compiler.
GetVersionExAFunction FindGetVersionExA() {
    return LookUpFunction<GetVersionExAFunction>(GetModuleHandleA("kernel32.dll"),
                                                 "GetVersionExA");
}

// The program's path as the loader has it, read wide, so that no character
// the code page lacks becomes "?"; "" where it cannot be read.
std::wstring WideModuleFileName() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        // Truncated: the long-path limit is 32767 characters.
        if (path.size() > 32768) return {};
        path.resize(path.size() * 2);
    }
}

// The same in the code page, as the folder and name of the program are
// read for the log and the shortcuts.
std::string ModuleFileName() { return Narrow(WideModuleFileName()); }

// The path with every part in its long form; the path as it is where the
// file system cannot tell.
std::wstring LongForm(const std::wstring& path) {
    const DWORD needed = path.empty() ? 0 : GetLongPathNameW(path.c_str(), nullptr, 0);
    if (needed == 0) return path;
    std::wstring longPath(needed, L'\0');
    const DWORD length = GetLongPathNameW(path.c_str(), longPath.data(), needed);
    if (length == 0 || length >= needed) return path;
    longPath.resize(length);
    return longPath;
}

// The work a thread of its own runs, which it owns: a wait that gives up
// leaves it to finish alone.
unsigned WINAPI RunWork(void* parameter) {
    const std::unique_ptr<std::function<void()>> work(static_cast<std::function<void()>*>(parameter));
    (*work)();
    return 0;
}

using ProcessIdToSessionIdFunction = BOOL(WINAPI*)(DWORD, DWORD*);

using GetUserPreferredUILanguagesFunction = BOOL(WINAPI*)(DWORD, PULONG, PZZWSTR, PULONG);

// The name of a language identifier ("de-DE"), from the ISO names its
// locale gives; "" when it has none.
std::string NameOfLanguage(LANGID language) {
    const LCID locale = MAKELCID(language, SORT_DEFAULT);
    char primary[16] = {};
    char country[16] = {};
    if (GetLocaleInfoA(locale, LOCALE_SISO639LANGNAME, primary, sizeof primary) == 0) return {};
    if (GetLocaleInfoA(locale, LOCALE_SISO3166CTRYNAME, country, sizeof country) == 0) {
        return primary;
    }
    return std::string(primary) + "-" + country;
}

}  // namespace

Win32System::Win32System() {
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    counterFrequency_ = frequency.QuadPart;
}

VersionInfo Win32System::Version() {
    const auto getVersionEx = FindGetVersionExA();
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (getVersionEx == nullptr || !getVersionEx(&info)) return {};
    // On the 95/98/Me family the build number's high word repeats the
    // version; only NT's counts.
    const DWORD build = info.dwPlatformId == VER_PLATFORM_WIN32_NT ? info.dwBuildNumber : 0;
    return VersionInfo{info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion, build};
}

std::string Win32System::CommandLine() {
    // Read wide: the narrow command line has already turned what the code
    // page lacks into "?" or look-alikes.
    const wchar_t* const commandLine = GetCommandLineW();
    return std::string(ProgramArguments(NarrowExactly(commandLine != nullptr ? commandLine : L"")));
}

std::string Win32System::EnvironmentVariable(std::string_view name) {
    const std::string nameText(name);
    std::string value;
    DWORD size = GetEnvironmentVariableA(nameText.c_str(), nullptr, 0);
    // The variable may change between the size query and the read; the
    // result then reports the size needed now.
    while (size != 0) {
        value.assign(size, '\0');
        const DWORD length = GetEnvironmentVariableA(nameText.c_str(), value.data(), size);
        if (length < size) {
            value.resize(length);
            return value;
        }
        size = length;
    }
    return {};
}

std::string Win32System::ExecutableFolder() {
    const std::string path = ModuleFileName();
    const auto slash = LastBackslash(path);
    return slash == std::string::npos ? std::string{} : path.substr(0, slash);
}

std::string Win32System::ExecutableName() {
    const std::string path = ModuleFileName();
    const auto slash = LastBackslash(path);
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const auto dot = name.rfind('.');
    if (dot != std::string::npos) name.resize(dot);
    return name;
}

std::string Win32System::ProgramPath() {
    const std::string path = NarrowExactly(LongForm(WideModuleFileName()));
    return path.find(kUncarriedCharacter) == std::string::npos ? path : std::string{};
}

bool Win32System::FinishesWithin(double seconds, std::function<void()> work) {
    auto owned = std::make_unique<std::function<void()>>(std::move(work));
    const unique_handle worker(
        reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &RunWork, owned.get(), 0, nullptr)));
    if (!worker) return false;
    static_cast<void>(owned.release());
    return WaitForSingleObject(worker.get(), static_cast<DWORD>(seconds * 1000)) == WAIT_OBJECT_0;
}

std::vector<std::string> Win32System::PreferredUiLanguages() {
    // The list in the user's order came with Windows Vista; before it there
    // is one display language.
    const auto preferred = LookUpFunction<GetUserPreferredUILanguagesFunction>(
        GetModuleHandleA("kernel32.dll"), "GetUserPreferredUILanguages");
    std::vector<std::string> names;
    ULONG count = 0;
    ULONG size = 0;
    if (preferred != nullptr && preferred(MUI_LANGUAGE_NAME, &count, nullptr, &size) && size > 0) {
        std::wstring list(size, L'\0');
        if (preferred(MUI_LANGUAGE_NAME, &count, list.data(), &size)) {
            // Names separated by NULs, ended by two.
            for (std::size_t start = 0; start < list.size() && list[start] != L'\0';) {
                const std::size_t end = std::min(list.find(L'\0', start), list.size());
                names.push_back(Narrow(std::wstring_view(list).substr(start, end - start)));
                start = end + 1;
            }
        }
    }
    if (names.empty()) {
        std::string name = NameOfLanguage(GetUserDefaultUILanguage());
        if (!name.empty()) names.push_back(std::move(name));
    }
    return names;
}

double Win32System::MonotonicSeconds() {
    LARGE_INTEGER counter{};
    QueryPerformanceCounter(&counter);
    if (counterFrequency_ <= 0) return 0.0;
    // Whole seconds and the rest apart, so that a long uptime keeps the
    // fractions exact.
    const long long whole = counter.QuadPart / counterFrequency_;
    const long long rest = counter.QuadPart % counterFrequency_;
    return static_cast<double>(whole) +
           static_cast<double>(rest) / static_cast<double>(counterFrequency_);
}

LocalDateTime Win32System::Now() {
    SYSTEMTIME time{};
    GetLocalTime(&time);
    return LocalDateTime{time.wYear, time.wMonth, time.wDay,
                         time.wHour, time.wMinute, time.wSecond};
}

bool Win32System::WindowStationVisible() {
    // The process's own station handle, which is not to be closed.
    HWINSTA station = GetProcessWindowStation();
    USEROBJECTFLAGS flags{};
    if (station == nullptr ||
        !GetUserObjectInformationA(station, UOI_FLAGS, &flags, sizeof flags, nullptr)) {
        return true;
    }
    return (flags.dwFlags & WSF_VISIBLE) != 0;
}

bool Win32System::InSessionZero() {
    // Documented from Windows Vista on, which is where session 0 matters;
    // looked up so that the program still loads where it is missing.
    const auto sessionOf = LookUpFunction<ProcessIdToSessionIdFunction>(
        GetModuleHandleA("kernel32.dll"), "ProcessIdToSessionId");
    DWORD session = 0;
    return sessionOf != nullptr && sessionOf(GetCurrentProcessId(), &session) && session == 0;
}

void Win32System::End(int exitCode) { ExitProcess(static_cast<UINT>(exitCode)); }

}  // namespace quillon::platform::win32
