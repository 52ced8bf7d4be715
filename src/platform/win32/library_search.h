#pragma once

namespace quillon::platform::win32 {

// Makes every library the program loads from here on come from the system
// folder only, never from the program's own folder or the current one, so
// that a library of the same name planted beside the program is never run.
// The libraries the program needs only on some paths are loaded on first
// use (delay-loaded), after this has run. Call it first thing. On systems
// without the search setting the current folder is at least taken out.
void LoadLibrariesFromSystemFolderOnly();

}  // namespace quillon::platform::win32
