#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "win32/unique_handle.h"
#include "win32/win32_annotations.h"
#include "platform/window_toolkit.h"

namespace quillon::platform::win32 {

class Win32Window;

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);
using LoadIconWithScaleDownFunction = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, int, HICON*);
using GetWindowDpiAwarenessContextFunction = DPI_AWARENESS_CONTEXT(WINAPI*)(HWND);
using AreDpiAwarenessContextsEqualFunction = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT,
                                                           DPI_AWARENESS_CONTEXT);
using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using ShutdownBlockReasonCreateFunction = BOOL(WINAPI*)(HWND, LPCWSTR);
using ShutdownBlockReasonDestroyFunction = BOOL(WINAPI*)(HWND);

// A registered window class, unregistered when the object goes.
class WindowClassRegistration {
public:
    WindowClassRegistration(HINSTANCE instance, const char* name, WNDPROC procedure);
    WindowClassRegistration(const WindowClassRegistration&) = delete;
    WindowClassRegistration& operator=(const WindowClassRegistration&) = delete;
    ~WindowClassRegistration();

private:
    HINSTANCE instance_;
    const char* name_;
    bool registered_;
};

// The toolkit over plain Win32: windows built from the layouts with
// standard controls, one message loop shared by modeless and modal windows,
// and the dialog manager's keyboard handling (Tab, access keys, Enter and
// Esc) for every window of the program. Nothing of the window system is
// touched before the first window is shown (or a message box), so that a
// run that shows none does not load it. Use on the window thread only; the
// windows must go before the toolkit.
class Win32Toolkit final : public Toolkit {
public:
    // The instance holds the program icon as icon resource 1.
    explicit Win32Toolkit(HINSTANCE instance);
    ~Win32Toolkit() override;
    Win32Toolkit(const Win32Toolkit&) = delete;
    Win32Toolkit& operator=(const Win32Toolkit&) = delete;

    std::unique_ptr<Window> Create(const WindowDesign& design, WindowEvents& events,
                                   const Window* owner) override;
    void MessageBox(std::string_view text, std::string_view title, MessageIcon icon) override;
    bool AskOkCancel(std::string_view text, std::string_view title, MessageIcon icon) override;
    void SetScreenPointer(ScreenPointer pointer) override;
    void DoEvents() override;
    void WaitForEvents(double seconds) override;
    void Run() override;
    // What Windows' sign-out screen shows while a window refuses the end of
    // the session, in the language of the run.
    void SetSessionEndReason(std::string_view reason) { sessionEndReason_ = reason; }
    // What screen readers name a link's default action, in the run's language.
    void SetLinkDefaultAction(std::string_view name) { annotations_.SetLinkDefaultAction(name); }

private:
    // The windows build themselves, route their messages and take turns
    // being modal through the toolkit.
    friend class Win32Window;

    // What the loop does with one message: key preview, then the dialog
    // manager of the program window it is for, then the window itself.
    void Dispatch(MSG& message);
    // Handles messages until the condition holds (checked before each
    // message) or the loop is told to quit.
    void RunUntil(const std::function<bool()>& done);

    HINSTANCE Instance() const { return instance_; }
    // Registers the window classes and the common controls, once, before
    // the first window is built.
    void StartWindowing();
    // The dots per inch of the monitor the window is on: the window's own
    // where the system tells them per window (Windows 10 1607 on), the
    // monitor's where it tells them per monitor (Windows 8.1 on), the
    // screen's otherwise.
    int DpiOf(HWND window);
    // A size the system gives in pixels (SM_CXICON, ...) at a DPI.
    int MetricForDpi(int index, int dpi);
    // Whether the system leaves the window's frame at its old size when the
    // window moves to a monitor of another DPI, as it does in the first
    // per-monitor mode (Windows 8.1 to 10 1607): the rectangle it suggests
    // then holds a client area of the wrong size.
    bool KeepsFrameOnDpiChange(HWND window) const;
    // The size of the window around a client area, with the frame the
    // system draws at the DPI; none where it cannot tell (before Windows 10
    // 1607).
    std::optional<SIZE> WindowSizeForClient(HWND window, SIZE client, int dpi) const;
    // Gives Windows the reason the window refuses the end of the session,
    // shown on its sign-out screen; false where the system takes none.
    bool RefuseSessionEnd(HWND window);
    // Takes the reason back, before the window goes.
    void AllowSessionEnd(HWND window);
    // The dialog font at 8 points for a DPI.
    HFONT Font(int dpi, bool bold, bool underline);
    // The program icon at a size in pixels, from the image of that size or
    // scaled down from a larger one; null when the program has none.
    HICON ProgramIcon(int size);
    // The system's information symbol at a size in pixels.
    HICON InformationIcon(int size);
    // Where the controls' names and descriptions for screen readers go.
    Win32Annotations& Annotations() { return annotations_; }
    // The pointer for all the program's windows; null when each window
    // shows its own.
    HCURSOR ScreenCursor() const;
    // A hidden window that owns windows that must stay out of the taskbar
    // but have no owner of their own.
    HWND HiddenOwner();

    // Every window object of the toolkit, built or not.
    void Add(Win32Window& window);
    void Remove(Win32Window& window);
    // The built window of a window object that still exists; null otherwise.
    HWND HandleOf(const Win32Window* window) const;
    Win32Window* Find(HWND window) const;
    // Disables the program's other windows for a modal one; the windows
    // that were enabled are returned for EnableAgain.
    std::vector<HWND> DisableOthers(const Win32Window& modal);
    static void EnableAgain(std::vector<HWND>& windows);

    // The program window that was active last; its activation event has
    // run (or is on its way).
    Win32Window* lastActive = nullptr;

    bool AnyWindowBuilt() const;
    bool AnyWindowVisible() const;

    HINSTANCE instance_;
    std::optional<int> screenDpi_;
    GetDpiForWindowFunction getDpiForWindow_ = nullptr;
    GetDpiForMonitorFunction getDpiForMonitor_ = nullptr;
    GetSystemMetricsForDpiFunction getSystemMetricsForDpi_ = nullptr;
    LoadIconWithScaleDownFunction loadIconWithScaleDown_ = nullptr;
    GetWindowDpiAwarenessContextFunction getWindowDpiAwarenessContext_ = nullptr;
    AreDpiAwarenessContextsEqualFunction areDpiAwarenessContextsEqual_ = nullptr;
    AdjustWindowRectExForDpiFunction adjustWindowRectExForDpi_ = nullptr;
    ShutdownBlockReasonCreateFunction shutdownBlockReasonCreate_ = nullptr;
    ShutdownBlockReasonDestroyFunction shutdownBlockReasonDestroy_ = nullptr;
    std::string sessionEndReason_;
    unique_hmodule shcore_;
    Win32Annotations annotations_;
    std::optional<WindowClassRegistration> windowClass_;
    std::optional<WindowClassRegistration> frameClass_;
    std::vector<Win32Window*> windows_;
    std::map<std::tuple<int, bool, bool>, unique_hfont> fonts_;
    std::map<int, unique_hicon> icons_;
    std::map<int, unique_hicon> informationIcons_;
    ScreenPointer screenPointer_ = ScreenPointer::Default;
    unique_hwnd hiddenOwner_;
};

}  // namespace quillon::platform::win32
