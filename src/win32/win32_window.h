#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "win32/unique_handle.h"
#include "platform/window_toolkit.h"

namespace quillon::platform::win32 {

class Win32Toolkit;

// Posted to a window when it has become the program's active window, so
// that its activation event runs from the message loop once the window is
// fully shown and focused, not in the middle of the activation.
inline constexpr UINT kActivatedMessage = WM_APP + 1;

// Sent when the window moved to a monitor with other dots per inch.
inline constexpr UINT kDpiChangedMessage = 0x02E0;
// Sent before it, under per-monitor v2, to ask the window's size there.
inline constexpr UINT kGetDpiScaledSizeMessage = 0x02E4;

// The first control identifier; the dialog manager's IDOK and IDCANCEL
// stay free for Enter and Esc.
inline constexpr int kFirstControlId = 100;

// One window of the program, built from its layout. Until it is first
// shown the window is only its layout and the state the program gave its
// controls (captions, list entries, selection, checks, enabled and visible
// flags); the real window and controls are made from that state when it is
// shown, so that a run that never shows it never touches the display. From
// then on the controls hold the state, as the user changes it. The window
// procedure only routes messages to the WindowEvents handlers.
// After an unload the object stays; showing it again starts from the
// layout with a fresh load event. Never destroy the object from one of its
// own handlers.
class Win32Window final : public Window {
public:
    // The owner may be a window that is not built yet; the window is owned
    // by it only if it is there when this one is built.
    Win32Window(Win32Toolkit& toolkit, const WindowDesign& design, WindowEvents& events,
                const Win32Window* owner);
    ~Win32Window() override;
    Win32Window(const Win32Window&) = delete;
    Win32Window& operator=(const Win32Window&) = delete;

    // Null until the window is built.
    HWND Handle() const { return hwnd_.get(); }
    // Builds the real window and its controls from the state, hidden, if
    // they are not there yet; Show does it after the load event. False
    // when the window is not loaded or the system refused to make it.
    bool Realize();
    // The dots per inch the window is laid out for.
    int Dpi() const { return dpi_; }
    const WindowDesign& Design() const { return design_; }
    // The control's own window; null for a name that is not in the layout
    // or while the window is not built.
    HWND ControlHandle(std::string_view control) const;

    // A key went up in this window (for any of its controls); with key
    // preview on, the window's key event sees it first.
    void PreviewKeyUp(WPARAM key);

    void Show() override;
    void ShowModal() override;
    void Unload() override;
    bool IsLoaded() const override { return loaded_; }
    std::uintptr_t NativeHandle() const override {
        return reinterpret_cast<std::uintptr_t>(hwnd_.get());
    }

    void SetCaption(std::string_view control, std::string_view text) override;
    std::string Caption(std::string_view control) const override;
    void SetEnabled(std::string_view control, bool enabled) override;
    bool IsEnabled(std::string_view control) const override;
    void SetVisible(std::string_view control, bool visible) override;
    bool IsVisible(std::string_view control) const override;
    void SetChecked(std::string_view control, bool checked) override;
    bool IsChecked(std::string_view control) const override;
    void SetTextColor(std::string_view control, std::uint32_t bgr) override;
    std::uint32_t TextColor(std::string_view control) const override;

    void AddItem(std::string_view list, std::string_view text) override;
    void RemoveItem(std::string_view list, int index) override;
    void Clear(std::string_view list) override;
    int ListCount(std::string_view list) const override;
    std::string ListText(std::string_view list, int index) const override;
    int ListIndex(std::string_view list) const override;
    void SetListIndex(std::string_view list, int index) override;

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    // A control as the program set it, and its real window once built.
    struct Control {
        const ControlDesign* design = nullptr;
        std::string caption;
        bool enabled = true;
        bool visible = true;
        // Unset until the program sets it: setting a check also takes the
        // option in or out of the tab order, which a built control must
        // only see where the program set one.
        std::optional<bool> checked;
        std::optional<COLORREF> textColor;
        std::vector<std::string> entries;
        int listIndex = -1;
        HWND hwnd = nullptr;  // destroyed with the window
    };

    // Starts from the layout: the state a freshly loaded window has.
    void Load();
    void Forget();
    void CreateControls(HWND parent, std::string_view container);
    void FillList(const Control& list);
    // Places and sizes the window and its controls for the DPI.
    void Layout();
    // Places and sizes the controls, gives them the fonts and icons of the
    // DPI; the window keeps its size.
    void LayoutControls();
    // The window's icons at the sizes of the DPI.
    void SetWindowIcons();
    // The icon of an image or picture box at the size of its place.
    void SetControlIcon(const Control& control, const RECT& place);
    // Where each control goes at the DPI so that its caption fits, and the
    // client area that takes.
    void FitCaptions();
    RECT PlaceOf(const ControlDesign& design) const;
    // Sizes the window so that its client area is the layout's.
    void FitToClientArea();
    HFONT FontOf(const ControlDesign& design);
    void FitFrameToControls(HWND frame, std::string_view name);
    void Position();
    void Destroyed();

    LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommand(HWND control, WORD code, WORD id);
    void OnDpiChanged(int dpi, const RECT& suggested);
    // The window's size at the DPI, for the rectangle the system suggests
    // next; false to let it scale the window in proportion.
    bool OnGetDpiScaledSize(int dpi, SIZE& size);
    // Takes back the controls' names for screen readers before they go.
    void ClearAnnotations();
    void OnActivate(HWND hwnd, bool active);
    bool OnSetCursor(HWND under, WORD hitTest, WORD mouseMessage);
    LRESULT OnControlColor(HDC dc, HWND control) const;
    void PressButton(const Control* button);
    // Puts the focus back where it was when the window was last active, or
    // on the first control in tab order.
    bool RestoreFocus();
    void MoveFocusFrom(HWND control);
    // WM_NEXTDLGCTL: the control given, or the next or previous tab stop.
    void OnNextControl(WPARAM which, bool isHandle);

    Control* Find(std::string_view name);
    const Control* Find(std::string_view name) const;
    const Control* Find(HWND control) const;
    Control* FindOfKind(std::string_view name, ControlKind kind);
    const Control* FindOfKind(std::string_view name, ControlKind kind) const;
    Control* FindList(std::string_view name);
    const Control* FindList(std::string_view name) const;

    Win32Toolkit& toolkit_;
    const WindowDesign& design_;
    WindowEvents& events_;
    const Win32Window* owner_;
    std::string caption_;
    std::vector<Control> controls_;  // in the order of the layout; empty while not loaded
    std::vector<RECT> places_;       // of the controls, in the order of the layout
    SIZE client_{};                  // the client area, in pixels
    std::vector<HWND> disabledForModal_;
    HWND savedFocus_ = nullptr;
    int dpi_ = 96;
    bool loaded_ = false;
    bool formLoaded_ = false;
    bool positioned_ = false;
    bool modal_ = false;
    bool destroying_ = false;
    // Windows holds the reason the window refused the end of the session.
    bool sessionEndRefused_ = false;
    unique_hwnd hwnd_;
};

// The window procedure of the borderless frames: their controls' messages
// go on to the window the frame sits in.
LRESULT CALLBACK FrameWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace quillon::platform::win32
