#include "win32/library_search.h"

#include <windows.h>
#include <delayimp.h>

#include <atomic>
#include <string>
#include <utility>

namespace quillon::platform::win32 {
namespace {

using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
using SetDllDirectoryAFunction = BOOL(WINAPI*)(LPCSTR);

// Looked up by name: systems before Windows 8 (without its update) lack
// the first, and the program must still start there.
template <typename Function>
Function Kernel32Function(const char* name) {
    return LookUpFunction<Function>(GetModuleHandleA("kernel32.dll"), name);
}

// The loader's state is the process's, and so is this: whether the search
// is limited to the system folder, and who is told of a missing library.
bool searchLimited = false;
std::function<void(const std::string&)> missingHandler;
// The common controls as the loader found them for the manifest.
HMODULE commonControls = nullptr;

[[noreturn]] void Missing(const std::string& what) {
    if (missingHandler) missingHandler(what);
    ExitProcess(2);
}

// Before each library loaded on first use. Where the search is limited the
// loader finds it by name in the system folder; elsewhere it is loaded by
// its full path there, so that no other folder is searched. The common
// controls are the exception: the manifest names their version, and the
// loader takes that from the side-by-side store only when asked by name.
// Their module is kept, since another version of them may be in the
// process too (loaded by a shell extension), and a look-up by name could
// find that one.
FARPROC WINAPI BeforeDelayLoad(unsigned notice, PDelayLoadInfo info) {
    if (notice != dliNotePreLoadLibrary) return nullptr;
    if (lstrcmpiA(info->szDll, "comctl32.dll") == 0) {
        commonControls = LoadLibraryA(info->szDll);
        if (commonControls == nullptr) Missing(info->szDll);
        return reinterpret_cast<FARPROC>(commonControls);
    }
    if (searchLimited) return nullptr;
    HMODULE module = LoadSystemLibrary(info->szDll);
    if (module == nullptr) Missing(info->szDll);
    return reinterpret_cast<FARPROC>(module);
}

// A library or function that is not there would otherwise end the run with
// an exception nobody handles.
FARPROC WINAPI DelayLoadFailed(unsigned notice, PDelayLoadInfo info) {
    if (notice == dliFailGetProc) {
        const std::string function = info->dlp.fImportByName
                                         ? std::string(info->dlp.szProcName)
                                         : "#" + std::to_string(info->dlp.dwOrdinal);
        Missing(function + " in " + info->szDll);
    }
    Missing(info->szDll);
}

#ifdef __MINGW32__
// Thread-safe statics bring in the thread library of MinGW-w64's C++
// runtime, which imports GetTickCount64. Windows XP x64 and Server 2003,
// the oldest systems the program's header names, lack it, and their loader
// would refuse the program. Its import is answered here instead, by the
// system's own function where there is one.
std::atomic<ULONGLONG> lastTickCount{0};

ULONGLONG WINAPI TickCount64() {
    using TickCount64Function = ULONGLONG(WINAPI*)();
    // Looked up once. Its guard waits without a time-out where two threads
    // come at once, and such waits never ask for the tick count.
    static const auto system = Kernel32Function<TickCount64Function>("GetTickCount64");
    if (system != nullptr) return system();
    // The 32-bit count with its wrap-arounds added, as long as it is read
    // at least once in each 49.7 days.
    ULONGLONG seen = lastTickCount.load();
    for (;;) {
        ULONGLONG now = (seen & ~0xFFFFFFFFULL) | GetTickCount();
        if (now < seen) now += 0x100000000ULL;
        if (lastTickCount.compare_exchange_weak(seen, now)) return now;
    }
}
#endif

}  // namespace

HMODULE LoadSystemLibrary(const char* library) {
    char folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    const std::string path = std::string(folder, length) + "\\" + library;
    // Without the limited search the libraries this one needs would be
    // looked for by name from the program's folder on; the altered search
    // starts in the folder of the library, the system folder.
    return searchLimited ? LoadLibraryA(path.c_str())
                         : LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

HMODULE CommonControlsLibrary() { return commonControls; }

void LoadLibrariesFromSystemFolderOnly() {
    const auto setDefault =
        Kernel32Function<SetDefaultDllDirectoriesFunction>("SetDefaultDllDirectories");
    searchLimited = setDefault != nullptr && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (searchLimited) return;
    // An empty folder takes the current folder out of the search.
    const auto setFolder = Kernel32Function<SetDllDirectoryAFunction>("SetDllDirectoryA");
    if (setFolder != nullptr) setFolder("");
}

void OnMissingSystemLibrary(std::function<void(const std::string& missing)> handler) {
    missingHandler = std::move(handler);
}

}  // namespace quillon::platform::win32

#ifdef __MINGW32__
// The entry of the import table that the thread library's calls go through.
extern "C" {
ULONGLONG(WINAPI* importedTickCount64)() __asm__("__imp_GetTickCount64") =
    &quillon::platform::win32::TickCount64;
}
#endif

// The hooks the delay-load helper calls, declared (with C linkage, and
// const with some toolchains) by <delayimp.h>, whose type is kept.
decltype(__pfnDliNotifyHook2) __pfnDliNotifyHook2 = &quillon::platform::win32::BeforeDelayLoad;
decltype(__pfnDliFailureHook2) __pfnDliFailureHook2 = &quillon::platform::win32::DelayLoadFailed;
