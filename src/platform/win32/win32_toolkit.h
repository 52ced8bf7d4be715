#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string_view>
#include <tuple>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "platform/window_toolkit.h"

namespace quillon::platform::win32 {

class Win32Window;

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);

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
// Esc) for every window of the program. Use on the window thread only; the
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
    void SetScreenPointer(ScreenPointer pointer) override;
    void DoEvents() override;
    void WaitForEvents(double seconds) override;
    void Run() override;

    // What the loop does with one message: key preview, then the dialog
    // manager of the program window it is for, then the window itself.
    void Dispatch(MSG& message);
    // Handles messages until the condition holds (checked before each
    // message) or the loop is told to quit.
    void RunUntil(const std::function<bool()>& done);

    // For the windows.
    HINSTANCE Instance() const { return instance_; }
    // The dots per inch of the monitor the window is on, where the system
    // tells them per window; the screen's otherwise.
    int DpiOf(HWND window) const;
    // The dialog font at 8 points for a DPI.
    HFONT Font(int dpi, bool bold, bool underline);
    // The program icon at a size in pixels; null when the program has none.
    HICON ProgramIcon(int size);
    // The pointer for all the program's windows; null when each window
    // shows its own.
    HCURSOR ScreenCursor() const { return screenCursor_; }
    // A hidden window that owns windows that must stay out of the taskbar
    // but have no owner of their own.
    HWND HiddenOwner();

    void Add(Win32Window& window);
    void Remove(Win32Window& window);
    Win32Window* Find(HWND window) const;
    // Disables the program's other windows for a modal one; the windows
    // that were enabled are returned for EnableAgain.
    std::vector<HWND> DisableOthers(const Win32Window& modal);
    static void EnableAgain(std::vector<HWND>& windows);

    // The program window that was active last; its activation event has
    // run (or is on its way).
    Win32Window* lastActive = nullptr;

private:
    HINSTANCE instance_;
    int screenDpi_;
    GetDpiForWindowFunction getDpiForWindow_;
    WindowClassRegistration windowClass_;
    WindowClassRegistration frameClass_;
    std::vector<Win32Window*> windows_;
    std::map<std::tuple<int, bool, bool>, unique_hfont> fonts_;
    std::map<int, unique_hicon> icons_;
    HCURSOR screenCursor_ = nullptr;
    unique_hwnd hiddenOwner_;
};

}  // namespace quillon::platform::win32
