// Starts a program (the rest of this command line) and prints the seconds
// from its start until it has shown a window and waits for input; then
// closes that window. Exit code 1 when no window came within 30 seconds.

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

constexpr DWORD kPatienceMs = 30000;
constexpr DWORD kClosingMs = 5000;

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK VisitWindow(HWND hwnd, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    DWORD processId = 0;
    GetWindowThreadProcessId(hwnd, &processId);
    if (processId != search->processId || !IsWindowVisible(hwnd)) return TRUE;
    search->found = hwnd;
    return FALSE;
}

HWND VisibleWindowOf(DWORD processId) {
    Search search{processId, nullptr};
    EnumWindows(VisitWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The command line after this program's own name.
std::string RestOfCommandLine() {
    const char* line = GetCommandLineA();
    if (*line == '"') {
        ++line;
        while (*line != '\0' && *line != '"') ++line;
        if (*line == '"') ++line;
    } else {
        while (*line != '\0' && *line != ' ' && *line != '\t') ++line;
    }
    while (*line == ' ' || *line == '\t') ++line;
    return line;
}

double Seconds(LONGLONG ticks) {
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(ticks) / static_cast<double>(frequency.QuadPart);
}

}  // namespace

int main() {
    std::string commandLine = RestOfCommandLine();
    // This program's own first look at the desktop is not part of the
    // figure.
    VisibleWindowOf(GetCurrentProcessId());

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    LARGE_INTEGER start{};
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return 2;
    }
    // Idle comes once the program first waits for input, which for these
    // programs is after their window is shown; the window is looked for in
    // case a program idles before it shows one.
    WaitForInputIdle(process.hProcess, kPatienceMs);
    LARGE_INTEGER shown{};
    QueryPerformanceCounter(&shown);
    HWND window = VisibleWindowOf(process.dwProcessId);
    for (DWORD waited = 0; !window && waited < kPatienceMs; ++waited) {
        Sleep(1);
        window = VisibleWindowOf(process.dwProcessId);
        QueryPerformanceCounter(&shown);
    }
    if (window) std::printf("%.4f\n", Seconds(shown.QuadPart - start.QuadPart));

    if (window) PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, kClosingMs) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return window ? 0 : 1;
}
