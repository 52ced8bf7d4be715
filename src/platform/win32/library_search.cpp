#include "platform/win32/library_search.h"

#include <windows.h>

namespace quillon::platform::win32 {
namespace {

using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
using SetDllDirectoryAFunction = BOOL(WINAPI*)(LPCSTR);

// Looked up by name: systems before Windows 8 (without its update) lack
// the first, and the program must still start there. The detour through
// void(*)() is the cast that compilers accept between unrelated function
// types.
template <typename Function>
Function Kernel32Function(const char* name) {
    const HMODULE kernel = GetModuleHandleA("kernel32.dll");
    const FARPROC found = kernel != nullptr ? GetProcAddress(kernel, name) : nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

}  // namespace

void LoadLibrariesFromSystemFolderOnly() {
    const auto setDefault =
        Kernel32Function<SetDefaultDllDirectoriesFunction>("SetDefaultDllDirectories");
    if (setDefault != nullptr && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) return;
    // An empty folder takes the current folder out of the search.
    const auto setFolder = Kernel32Function<SetDllDirectoryAFunction>("SetDllDirectoryA");
    if (setFolder != nullptr) setFolder("");
}

}  // namespace quillon::platform::win32
