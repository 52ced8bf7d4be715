#include <windows.h>

#include "wine/font_report/font_report.h"

using quillon::e2e::kFontReportName;

extern "C" __declspec(dllexport) LRESULT CALLBACK FontReportHook(int code, WPARAM wParam,
                                                                 LPARAM lParam) {
    static const UINT report = RegisterWindowMessageA(kFontReportName);
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && message->message == report) {
        const auto control = reinterpret_cast<HWND>(message->wParam);
        auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
        // Without a font of its own a control draws with the system font.
        if (font == nullptr) font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
        if (HANDLE shared = OpenFileMappingA(FILE_MAP_WRITE, FALSE, kFontReportName)) {
            if (void* view = MapViewOfFile(shared, FILE_MAP_WRITE, 0, 0, sizeof(LOGFONTW))) {
                GetObjectW(font, sizeof(LOGFONTW), view);
                UnmapViewOfFile(view);
            }
            CloseHandle(shared);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
