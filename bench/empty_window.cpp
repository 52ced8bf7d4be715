// The least a windowed program can do: show one empty window and wait for
// input. The benchmark times how long quillon.exe takes to show its main
// window against this.
//
//   empty_window.exe             shows the window until it is closed
//   empty_window.exe /hidden F   keeps a hidden window instead, creates the
//                                file F once it exists, and ends when F is
//                                deleted
//
// The hidden form stands in for the rest of a desktop session: as long as
// one program holds a window, Wine keeps its desktop process running, so
// the programs measured beside it do not each pay for starting it again.

#include <windows.h>

#include <string>

namespace {

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Handles messages until the file is gone, woken by changes to its folder.
int RunWhileFileExists(const std::string& path) {
    const auto slash = path.find_last_of("\\/");
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash);
    HANDLE change =
        FindFirstChangeNotificationA(folder.c_str(), FALSE, FILE_NOTIFY_CHANGE_FILE_NAME);
    if (change == INVALID_HANDLE_VALUE) return 1;
    while (FileExists(path)) {
        if (MsgWaitForMultipleObjects(1, &change, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0) {
            FindNextChangeNotification(change);
        }
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    }
    FindCloseChangeNotification(change);
    return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR arguments, int) {
    const std::string line = arguments;
    const bool hidden = line.rfind("/hidden ", 0) == 0;

    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    windowClass.lpszClassName = "QuillonBenchEmptyWindow";
    if (!RegisterClassA(&windowClass)) return 1;
    HWND window = CreateWindowExA(0, windowClass.lpszClassName, "Empty window",
                                  WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 600, 200, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;

    if (hidden) {
        const std::string ready = line.substr(8);
        HANDLE file = CreateFileA(ready.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return 1;
        CloseHandle(file);
        return RunWhileFileExists(ready);
    }

    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
