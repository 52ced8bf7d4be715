#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace quillon::platform::win32 {

// Makes every library the program loads from here on come from the system
// folder only, never from the program's own folder or the current one, so
// that a library of the same name planted beside the program is never run.
// The libraries the program needs only on some paths are loaded on first
// use (delay-loaded), after this has run. Call it first thing. On systems
// without the search setting the current folder is at least taken out, and
// each library loaded on first use is loaded by its full path in the
// system folder instead of by its name.
void LoadLibrariesFromSystemFolderOnly();

// Loads a library of the system folder by its full path there, for the
// libraries some systems lack and the program does without (their
// functions looked up by name); null when it is not there. The libraries it
// needs in turn are looked for in the system folder first.
HMODULE LoadSystemLibrary(const char* library);

// The common controls of the version the manifest names, once the first
// call into them has loaded them; null before.
HMODULE CommonControlsLibrary();

// A function of a loaded library looked up by name, for those that only
// some systems have; null when the module is null or lacks it. The detour
// through void(*)() is the cast that compilers accept between unrelated
// function types.
template <typename Function>
Function LookUpFunction(HMODULE module, const char* name) {
    const FARPROC found = module != nullptr ? GetProcAddress(module, name) : nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

// Called when a library loaded on first use, or a function of one, is not
// there, with what was missing ("user32.dll", "GetMessageW in user32.dll").
// The handler ends the run; until one is set the run ends with exit code 2.
void OnMissingSystemLibrary(std::function<void(const std::string& missing)> handler);

}  // namespace quillon::platform::win32
