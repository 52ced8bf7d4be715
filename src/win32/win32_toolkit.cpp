#include "win32/win32_toolkit.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "win32/library_search.h"
#include "win32/twips.h"
#include "win32/wide_text.h"
#include "win32/win32_window.h"
#include "win32/window_styles.h"

namespace quillon::platform::win32 {
namespace {

// The screen's device context for the life of the object.
class ScreenDC {
public:
    ScreenDC() : dc_(GetDC(nullptr)) {}
    ScreenDC(const ScreenDC&) = delete;
    ScreenDC& operator=(const ScreenDC&) = delete;
    ~ScreenDC() {
        if (dc_) ReleaseDC(nullptr, dc_);
    }
    int Caps(int index) const { return dc_ ? GetDeviceCaps(dc_, index) : 0; }

private:
    HDC dc_;
};

constexpr int kStandardDpi = 96;
constexpr int kFontPoints = 8;
constexpr int kTwipsPerPoint = 20;

int ScreenDpi() {
    const int dpi = ScreenDC().Caps(LOGPIXELSY);
    return dpi > 0 ? dpi : kStandardDpi;
}

// The monitor's DPI as the user set it for it (MDT_EFFECTIVE_DPI).
constexpr int kEffectiveDpi = 0;

// The program icon's resource identifier.
constexpr WORD kProgramIcon = 1;

// IDI_INFORMATION, which the headers spell for the character width the
// build chose; the function below takes it wide.
constexpr WORD kInformationSymbol = 32516;

// Whether the window system's library is in the process. Without it the
// thread has no message queue, so there are no events to handle or to wait
// for; loading it only to find none would cost more than the whole run.
bool WindowLibraryLoaded() { return GetModuleHandleA("user32.dll") != nullptr; }

}  // namespace

WindowClassRegistration::WindowClassRegistration(HINSTANCE instance, const char* name,
                                                 WNDPROC procedure)
    : instance_(instance), name_(name) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    windowClass.lpszClassName = name;
    // A second toolkit in the same process finds the class already there
    // and leaves it to the first.
    registered_ = RegisterClassExA(&windowClass) != 0;
}

WindowClassRegistration::~WindowClassRegistration() {
    if (registered_) UnregisterClassA(name_, instance_);
}

Win32Toolkit::Win32Toolkit(HINSTANCE instance) : instance_(instance) {}

Win32Toolkit::~Win32Toolkit() = default;

void Win32Toolkit::StartWindowing() {
    if (windowClass_) return;
    windowClass_.emplace(instance_, kWindowClassName, &Win32Window::WindowProc);
    frameClass_.emplace(instance_, kFrameClassName, &FrameWindowProc);
    HMODULE user32 = GetModuleHandleA("user32.dll");
    getDpiForWindow_ = LookUpFunction<GetDpiForWindowFunction>(user32, "GetDpiForWindow");
    getSystemMetricsForDpi_ =
        LookUpFunction<GetSystemMetricsForDpiFunction>(user32, "GetSystemMetricsForDpi");
    getWindowDpiAwarenessContext_ =
        LookUpFunction<GetWindowDpiAwarenessContextFunction>(user32, "GetWindowDpiAwarenessContext");
    areDpiAwarenessContextsEqual_ =
        LookUpFunction<AreDpiAwarenessContextsEqualFunction>(user32, "AreDpiAwarenessContextsEqual");
    adjustWindowRectExForDpi_ =
        LookUpFunction<AdjustWindowRectExForDpiFunction>(user32, "AdjustWindowRectExForDpi");
    // Windows Vista on.
    shutdownBlockReasonCreate_ =
        LookUpFunction<ShutdownBlockReasonCreateFunction>(user32, "ShutdownBlockReasonCreate");
    shutdownBlockReasonDestroy_ =
        LookUpFunction<ShutdownBlockReasonDestroyFunction>(user32, "ShutdownBlockReasonDestroy");
    if (!getDpiForWindow_) {
        // Windows 8.1 and the first Windows 10 tell the DPI per monitor only.
        shcore_.reset(LoadSystemLibrary("shcore.dll"));
        getDpiForMonitor_ = LookUpFunction<GetDpiForMonitorFunction>(shcore_.get(), "GetDpiForMonitor");
    }
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES;
    InitCommonControlsEx(&controls);
    // In the common controls of the version the manifest names, which the
    // call above loaded.
    loadIconWithScaleDown_ = LookUpFunction<LoadIconWithScaleDownFunction>(
        CommonControlsLibrary(), "LoadIconWithScaleDown");
}

std::unique_ptr<Window> Win32Toolkit::Create(const WindowDesign& design, WindowEvents& events,
                                             const Window* owner) {
    return std::make_unique<Win32Window>(*this, design, events,
                                         dynamic_cast<const Win32Window*>(owner));
}

void Win32Toolkit::MessageBox(std::string_view text, std::string_view title, MessageIcon icon) {
    HWND owner = GetActiveWindow();
    const UINT flags = MessageBoxFlags(icon, owner != nullptr, AnyWindowVisible());
    MessageBoxA(owner, std::string(text).c_str(), std::string(title).c_str(), flags);
}

bool Win32Toolkit::AskOkCancel(std::string_view text, std::string_view title, MessageIcon icon) {
    HWND owner = GetActiveWindow();
    // MB_OK is no bit of its own: the same box, with Cancel beside OK.
    const UINT flags = MessageBoxFlags(icon, owner != nullptr, AnyWindowVisible()) | MB_OKCANCEL;
    return MessageBoxA(owner, std::string(text).c_str(), std::string(title).c_str(), flags) == IDOK;
}

void Win32Toolkit::SetScreenPointer(ScreenPointer pointer) {
    screenPointer_ = pointer;
    // Shown at once: the pointer usually changes before work that handles
    // no messages for a while. Without a window of the program on the
    // screen the pointer is other programs' to set.
    if (AnyWindowBuilt()) {
        HCURSOR cursor = ScreenCursor();
        SetCursor(cursor ? cursor : LoadCursor(nullptr, IDC_ARROW));
    }
}

HCURSOR Win32Toolkit::ScreenCursor() const {
    switch (screenPointer_) {
    case ScreenPointer::Hourglass:
        return LoadCursor(nullptr, IDC_WAIT);
    case ScreenPointer::Custom:
        return LoadCursor(nullptr, IDC_HAND);
    case ScreenPointer::Default:
        break;
    }
    return nullptr;
}

void Win32Toolkit::Dispatch(MSG& message) {
    HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (message.message == WM_KEYUP || message.message == WM_SYSKEYUP) {
        if (Win32Window* window = Find(root)) {
            window->PreviewKeyUp(message.wParam);
            // The key may have closed the window.
            if (!IsWindow(message.hwnd)) return;
        }
    }
    // Wide throughout, so that a typed character the code page lacks
    // reaches the window whole.
    if (root && Find(root) && IsDialogMessageW(root, &message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

void Win32Toolkit::DoEvents() {
    if (!WindowLibraryLoaded()) return;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Left for the outermost loop.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        Dispatch(message);
    }
}

void Win32Toolkit::WaitForEvents(double seconds) {
    const double milliseconds = std::ceil(std::max(seconds, 0.0) * 1000.0);
    const DWORD timeout = milliseconds >= static_cast<double>(INFINITE - 1)
                              ? INFINITE - 1
                              : static_cast<DWORD>(milliseconds);
    if (!WindowLibraryLoaded()) {
        Sleep(timeout);
        return;
    }
    MsgWaitForMultipleObjectsEx(0, nullptr, timeout, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

void Win32Toolkit::RunUntil(const std::function<bool()>& done) {
    MSG message;
    while (!done()) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (got == -1) return;
        Dispatch(message);
    }
}

void Win32Toolkit::Run() {
    RunUntil([this] { return !AnyWindowBuilt(); });
}

bool Win32Toolkit::AnyWindowBuilt() const {
    return std::any_of(windows_.begin(), windows_.end(),
                       [](const Win32Window* window) { return window->Handle() != nullptr; });
}

bool Win32Toolkit::AnyWindowVisible() const {
    return std::any_of(windows_.begin(), windows_.end(), [](const Win32Window* window) {
        return window->Handle() != nullptr && IsWindowVisible(window->Handle());
    });
}

int Win32Toolkit::DpiOf(HWND window) {
    UINT dpi = getDpiForWindow_ && window ? getDpiForWindow_(window) : 0;
    if (dpi == 0 && getDpiForMonitor_ && window) {
        UINT dpiY = 0;
        if (FAILED(getDpiForMonitor_(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST),
                                     kEffectiveDpi, &dpi, &dpiY))) {
            dpi = 0;
        }
    }
    if (dpi > 0) return static_cast<int>(dpi);
    if (!screenDpi_) screenDpi_ = ScreenDpi();
    return *screenDpi_;
}

int Win32Toolkit::MetricForDpi(int index, int dpi) {
    if (getSystemMetricsForDpi_) return getSystemMetricsForDpi_(index, static_cast<UINT>(dpi));
    // Before Windows 10 1607 the system gives its sizes at the screen's DPI.
    return MulDiv(GetSystemMetrics(index), dpi, DpiOf(nullptr));
}

bool Win32Toolkit::KeepsFrameOnDpiChange(HWND window) const {
    // Before Windows 10 1607 the system cannot say; there only the first
    // per-monitor mode tells a window of a new DPI at all.
    if (!getWindowDpiAwarenessContext_ || !areDpiAwarenessContextsEqual_) return true;
    return areDpiAwarenessContextsEqual_(getWindowDpiAwarenessContext_(window),
                                         DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE) != FALSE;
}

std::optional<SIZE> Win32Toolkit::WindowSizeForClient(HWND window, SIZE client, int dpi) const {
    if (!adjustWindowRectExForDpi_) return std::nullopt;
    RECT frame{0, 0, client.cx, client.cy};
    if (!adjustWindowRectExForDpi_(&frame, static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)),
                                   FALSE, static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)),
                                   static_cast<UINT>(dpi))) {
        return std::nullopt;
    }
    return SIZE{frame.right - frame.left, frame.bottom - frame.top};
}

bool Win32Toolkit::RefuseSessionEnd(HWND window) {
    if (!shutdownBlockReasonCreate_) return false;
    return shutdownBlockReasonCreate_(window, Widen(sessionEndReason_).c_str()) != FALSE;
}

void Win32Toolkit::AllowSessionEnd(HWND window) {
    if (shutdownBlockReasonDestroy_) shutdownBlockReasonDestroy_(window);
}

HFONT Win32Toolkit::Font(int dpi, bool bold, bool underline) {
    auto& font = fonts_[{dpi, bold, underline}];
    if (!font) {
        LOGFONTA description{};
        description.lfHeight = -TwipsToPixels(kFontPoints * kTwipsPerPoint, dpi);
        description.lfWeight = bold ? FW_BOLD : FW_NORMAL;
        description.lfUnderline = underline ? TRUE : FALSE;
        description.lfCharSet = DEFAULT_CHARSET;
        // The dialog font of the system: the layouts were made for its
        // metrics at 8 points.
        std::strncpy(description.lfFaceName, "MS Shell Dlg 2", LF_FACESIZE - 1);
        font.reset(CreateFontIndirectA(&description));
    }
    return font.get();
}

HICON Win32Toolkit::ProgramIcon(int size) {
    auto& icon = icons_[size];
    if (!icon) {
        // The plain load would blow up the next smaller image for a size
        // the icon lacks (72 pixels from 64); the common controls scale
        // the next larger one down instead.
        HICON loaded = nullptr;
        if (loadIconWithScaleDown_ &&
            SUCCEEDED(loadIconWithScaleDown_(instance_, MAKEINTRESOURCEW(kProgramIcon), size, size,
                                             &loaded))) {
            icon.reset(loaded);
        } else {
            icon.reset(static_cast<HICON>(LoadImageA(instance_, MAKEINTRESOURCEA(kProgramIcon),
                                                     IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
        }
    }
    return icon.get();
}

HICON Win32Toolkit::InformationIcon(int size) {
    auto& icon = informationIcons_[size];
    if (!icon) {
        // Drawn from the symbol's own images for that size, not stretched
        // from the one for the screen's DPI.
        HICON loaded = nullptr;
        if (loadIconWithScaleDown_ &&
            SUCCEEDED(loadIconWithScaleDown_(nullptr, MAKEINTRESOURCEW(kInformationSymbol), size,
                                             size, &loaded))) {
            icon.reset(loaded);
        }
    }
    // The system's shared one where it cannot be had at the size.
    return icon ? icon.get() : LoadIcon(nullptr, IDI_INFORMATION);
}

HWND Win32Toolkit::HiddenOwner() {
    if (!hiddenOwner_) {
        hiddenOwner_.reset(CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                           instance_, nullptr));
    }
    return hiddenOwner_.get();
}

void Win32Toolkit::Add(Win32Window& window) { windows_.push_back(&window); }

void Win32Toolkit::Remove(Win32Window& window) {
    windows_.erase(std::remove(windows_.begin(), windows_.end(), &window), windows_.end());
    if (lastActive == &window) lastActive = nullptr;
}

HWND Win32Toolkit::HandleOf(const Win32Window* window) const {
    if (!window || std::find(windows_.begin(), windows_.end(), window) == windows_.end()) {
        return nullptr;
    }
    return window->Handle();
}

Win32Window* Win32Toolkit::Find(HWND hwnd) const {
    if (!hwnd) return nullptr;
    const auto it = std::find_if(windows_.begin(), windows_.end(),
                                 [&](const Win32Window* window) { return window->Handle() == hwnd; });
    return it == windows_.end() ? nullptr : *it;
}

std::vector<HWND> Win32Toolkit::DisableOthers(const Win32Window& modal) {
    std::vector<HWND> disabled;
    for (const auto* window : windows_) {
        HWND hwnd = window->Handle();
        if (window != &modal && hwnd && IsWindowEnabled(hwnd)) {
            EnableWindow(hwnd, FALSE);
            disabled.push_back(hwnd);
        }
    }
    return disabled;
}

void Win32Toolkit::EnableAgain(std::vector<HWND>& windows) {
    for (HWND hwnd : windows) {
        if (IsWindow(hwnd)) EnableWindow(hwnd, TRUE);
    }
    windows.clear();
}

}  // namespace quillon::platform::win32
