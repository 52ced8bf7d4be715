// Runs for the whole Wine session of a test prefix, started by
// tests/wine/wine-run with its output going nowhere. Wine closes a desktop,
// and ends the process that draws it, a second after the last program on
// it ends; without a program that stays, each test would start the desktop
// anew (holding that test's output) while the last one's was still going
// away. Writes the file its argument names once it is on the desktop.

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    // Asking for the desktop window joins the desktop, and waits for the
    // desktop's process to be up.
    if (GetDesktopWindow() == nullptr) return 1;
    HANDLE ready = CreateFileA(commandLine, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (ready == INVALID_HANDLE_VALUE) return 1;
    CloseHandle(ready);
    // Ended with the session.
    Sleep(INFINITE);
    return 0;
}
