#include "win32/win32_window.h"

#include "win32/control_colors.h"
#include "win32/win32_toolkit.h"
#include "win32/window_styles.h"

// The window procedure: the system's messages routed to the program's
// handlers, the focus and the activation.
namespace quillon::platform::win32 {
namespace {

int ShiftState() {
    int shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) shift |= kShiftMask;
    if (GetKeyState(VK_CONTROL) < 0) shift |= kCtrlMask;
    if (GetKeyState(VK_MENU) < 0) shift |= kAltMask;
    return shift;
}

}  // namespace

void Win32Window::PreviewKeyUp(WPARAM key) {
    if (design_.keyPreview && !destroying_) events_.Form_KeyUp(static_cast<int>(key), ShiftState());
}

LRESULT CALLBACK Win32Window::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Win32Window* self = nullptr;
    if (message == WM_NCCREATE) {
        self = static_cast<Win32Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->hwnd_.reset(hwnd);
    } else {
        self = reinterpret_cast<Win32Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    }
    if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        self->Destroyed();
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    return self->HandleMessage(hwnd, message, wParam, lParam);
}

LRESULT Win32Window::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (destroying_) return DefWindowProcA(hwnd, message, wParam, lParam);
    switch (message) {
    case WM_COMMAND:
        OnCommand(reinterpret_cast<HWND>(lParam), HIWORD(wParam), LOWORD(wParam));
        return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return OnControlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_SETCURSOR:
        if (OnSetCursor(reinterpret_cast<HWND>(wParam), LOWORD(lParam), HIWORD(lParam))) {
            return TRUE;
        }
        break;
    case WM_ACTIVATE:
        OnActivate(hwnd, LOWORD(wParam) != WA_INACTIVE);
        return 0;
    case WM_SETFOCUS:
        RestoreFocus();
        return 0;
    case WM_NEXTDLGCTL:
        // The dialog manager moves the focus with this, as for the access
        // key of a label, which hands the focus on to the control after it;
        // only a dialog's own procedure would do it for us.
        OnNextControl(wParam, LOWORD(lParam) != 0);
        return 0;
    case kActivatedMessage:
        events_.Form_Activate();
        return 0;
    case WM_CLOSE:
        Unload();
        return 0;
    case kDpiChangedMessage:
        OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case kGetDpiScaledSizeMessage:
        return OnGetDpiScaledSize(static_cast<int>(wParam), *reinterpret_cast<SIZE*>(lParam)) ? TRUE
                                                                                             : FALSE;
    case WM_DESTROY:
        ClearAnnotations();
        break;
    case WM_QUERYENDSESSION:
        if (events_.Form_QueryUnload()) return TRUE;
        // Without a reason Windows tells the user only that the program
        // prevents the sign-out; the reason stays until the window goes.
        if (!sessionEndRefused_) sessionEndRefused_ = toolkit_.RefuseSessionEnd(hwnd);
        return FALSE;
    default:
        break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

void Win32Window::OnCommand(HWND control, WORD code, WORD id) {
    const Control* source = control ? Find(control) : nullptr;
    if (!source) {
        // Enter and Esc, as the dialog manager reports them.
        if (id == IDOK) {
            const Control* focused = Find(GetFocus());
            if (focused && (focused->design->kind == ControlKind::PushButton ||
                            IsLink(*focused->design))) {
                PressButton(focused);
                return;
            }
        }
        std::uint32_t role = kStyleNone;
        if (id == IDOK) role = kDefaultButton;
        if (id == IDCANCEL) role = kCancelButton;
        if (role == kStyleNone) return;
        for (const auto& button : controls_) {
            if (button.design->kind == ControlKind::PushButton && (button.design->style & role)) {
                PressButton(&button);
                return;
            }
        }
        return;
    }
    const std::string_view name = source->design->name;
    switch (source->design->kind) {
    case ControlKind::PushButton:
        if (code == BN_CLICKED) events_.Control_Click(name);
        break;
    case ControlKind::OptionButton:
        // An option also reports a click when the keyboard merely moves
        // the focus onto it; only a click that selects it counts.
        if (code == BN_CLICKED && SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED) {
            SetChecked(name, true);
            events_.Control_Click(name);
        }
        break;
    case ControlKind::Label:
        if (code == STN_CLICKED) events_.Control_Click(name);
        break;
    case ControlKind::ListBox:
    case ControlKind::ComboBox:
        if (code == ListMessagesFor(source->design->kind).selectionChanged) events_.Control_Click(name);
        break;
    default:
        break;
    }
}

void Win32Window::ClearAnnotations() {
    for (const auto& control : controls_) {
        if (control.hwnd && IsAnnotated(*control.design)) toolkit_.Annotations().Clear(control.hwnd);
    }
}

void Win32Window::PressButton(const Control* button) {
    if (!button || !IsWindowEnabled(button->hwnd) || !IsWindowVisible(button->hwnd)) return;
    events_.Control_Click(button->design->name);
}

void Win32Window::OnActivate(HWND hwnd, bool active) {
    if (!active) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd, focus)) savedFocus_ = focus;
        return;
    }
    if (!RestoreFocus()) SetFocus(hwnd);
    if (toolkit_.lastActive != this) {
        toolkit_.lastActive = this;
        PostMessageA(hwnd, kActivatedMessage, 0, 0);
    }
}

bool Win32Window::RestoreFocus() {
    HWND hwnd = hwnd_.get();
    HWND target = savedFocus_;
    if (!target || !IsWindow(target) || !IsChild(hwnd, target) || !IsWindowEnabled(target) ||
        !IsWindowVisible(target)) {
        target = GetNextDlgTabItem(hwnd, nullptr, FALSE);
    }
    if (!target || !IsChild(hwnd, target)) return false;
    SetFocus(target);
    return true;
}

void Win32Window::OnNextControl(WPARAM which, bool isHandle) {
    HWND hwnd = hwnd_.get();
    HWND target = isHandle ? reinterpret_cast<HWND>(which)
                           : GetNextDlgTabItem(hwnd, GetFocus(), which != 0 ? TRUE : FALSE);
    if (target && IsChild(hwnd, target)) SetFocus(target);
}

void Win32Window::MoveFocusFrom(HWND control) {
    HWND focus = GetFocus();
    if (focus != control && !IsChild(control, focus)) return;
    HWND next = GetNextDlgTabItem(hwnd_.get(), control, FALSE);
    SetFocus(next && next != control ? next : hwnd_.get());
}

bool Win32Window::OnSetCursor(HWND under, WORD hitTest, WORD mouseMessage) {
    const Control* control = Find(under);
    if (control && control->design->kind == ControlKind::Label && mouseMessage == WM_MOUSEMOVE) {
        events_.Control_MouseMove(control->design->name);
        control = Find(under);
    }
    if (HCURSOR screen = toolkit_.ScreenCursor()) {
        SetCursor(screen);
        return true;
    }
    if (control && hitTest == HTCLIENT && (control->design->style & kHandPointer)) {
        SetCursor(LoadCursor(nullptr, IDC_HAND));
        return true;
    }
    return false;
}

LRESULT Win32Window::OnControlColor(HDC dc, HWND control) const {
    // Labels, options and frames draw in the colours of the system's scheme
    // for dialogs, so that a high-contrast theme shows them too.
    const Control* found = Find(control);
    const bool link = found && (found->design->style & kHandPointer);
    ::SetTextColor(dc, TextColorOnFace(found ? found->textColor : std::nullopt, link));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

LRESULT CALLBACK FrameWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
        return SendMessageA(GetParent(hwnd), message, wParam, lParam);
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

}  // namespace quillon::platform::win32
