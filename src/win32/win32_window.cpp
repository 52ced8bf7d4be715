#include "win32/win32_window.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "win32/control_colors.h"
#include "win32/twips.h"
#include "win32/wide_text.h"
#include "win32/win32_toolkit.h"
#include "win32/window_styles.h"

namespace quillon::platform::win32 {
namespace {

std::string WindowText(HWND hwnd) {
    std::string text(static_cast<std::size_t>(std::max(GetWindowTextLengthA(hwnd), 0)) + 1, '\0');
    text.resize(static_cast<std::size_t>(
        std::max(GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size())), 0)));
    return text;
}

bool ButtonChecked(HWND button) { return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

int ShiftState() {
    int shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) shift |= kShiftMask;
    if (GetKeyState(VK_CONTROL) < 0) shift |= kCtrlMask;
    if (GetKeyState(VK_MENU) < 0) shift |= kAltMask;
    return shift;
}

bool HasText(ControlKind kind) {
    // Icon statics would take their text as the name of an icon.
    return kind == ControlKind::PushButton || kind == ControlKind::OptionButton ||
           kind == ControlKind::Label || kind == ControlKind::Frame;
}

// Compares as the sorted list box does, in UTF-16: CompareStringA would
// read the bytes in the locale's code page, not the program's (UTF-8), and
// put a Chinese name before "Fax" where the list box puts it after.
int CompareIgnoringCase(std::string_view a, std::string_view b) {
    const std::wstring wideA = Widen(a);
    const std::wstring wideB = Widen(b);
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, wideA.data(),
                          static_cast<int>(wideA.size()), wideB.data(),
                          static_cast<int>(wideB.size()));
}

// A link label draws the focus rectangle around its text while it has the
// focus, and opens with Space as with a click. Enter reaches it through the
// window (IDOK), as it reaches a focused button.
LRESULT CALLBACK LinkProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                          DWORD_PTR) {
    switch (message) {
    case WM_KEYDOWN:
        // Once per press, not again for each repeat while it is held.
        if (wParam == VK_SPACE && (lParam & (1L << 30)) == 0) {
            SendMessageA(GetParent(hwnd), WM_COMMAND,
                         MAKEWPARAM(GetDlgCtrlID(hwnd), STN_CLICKED),
                         reinterpret_cast<LPARAM>(hwnd));
            return 0;
        }
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateRect(hwnd, nullptr, TRUE);
        break;
    case WM_PAINT: {
        const bool focused = GetFocus() == hwnd;
        // The rectangle is drawn over the whole text, which is painted
        // again in full under it.
        if (focused) InvalidateRect(hwnd, nullptr, TRUE);
        const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
        if (focused) {
            RECT client{};
            GetClientRect(hwnd, &client);
            const int length = GetWindowTextLengthW(hwnd);
            std::wstring text(static_cast<std::size_t>(std::max(length, 0)) + 1, L'\0');
            text.resize(static_cast<std::size_t>(
                std::max(GetWindowTextW(hwnd, text.data(), length + 1), 0)));
            HDC dc = GetDC(hwnd);
            if (dc) {
                const HGDIOBJ font = SelectObject(
                    dc, reinterpret_cast<HGDIOBJ>(SendMessageA(hwnd, WM_GETFONT, 0, 0)));
                RECT around = client;
                DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &around,
                          DT_LEFT | DT_WORDBREAK | DT_CALCRECT);
                around.right = std::min(around.right + 1, client.right);
                around.bottom = std::min(around.bottom + 1, client.bottom);
                DrawFocusRect(dc, &around);
                SelectObject(dc, font);
                ReleaseDC(hwnd, dc);
            }
        }
        return result;
    }
    case WM_NCDESTROY:
        RemoveWindowSubclass(hwnd, &LinkProc, 0);
        break;
    default:
        break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace

std::size_t SortedListPosition(const std::vector<std::string>& entries, std::string_view text) {
    if (entries.empty()) return 0;
    // Entries mostly come in about their sorted order; one that sorts after
    // the last entry goes to the end, where the search would put it too.
    if (CompareIgnoringCase(text, entries.back()) == CSTR_GREATER_THAN) return entries.size();
    std::ptrdiff_t low = 0;
    std::ptrdiff_t high = static_cast<std::ptrdiff_t>(entries.size()) - 1;
    while (low <= high) {
        const std::ptrdiff_t middle = (low + high) / 2;
        const int order = CompareIgnoringCase(entries[static_cast<std::size_t>(middle)], text);
        if (order == CSTR_EQUAL) return static_cast<std::size_t>(middle);
        if (order == CSTR_GREATER_THAN) {
            high = middle - 1;
        } else {
            low = middle + 1;
        }
    }
    return static_cast<std::size_t>(low);
}

Win32Window::Win32Window(Win32Toolkit& toolkit, const WindowDesign& design, WindowEvents& events,
                         const Win32Window* owner)
    : toolkit_(toolkit), design_(design), events_(events), owner_(owner) {
    toolkit_.Add(*this);
    Load();
}

Win32Window::~Win32Window() {
    // The handlers may belong to an object that is itself going away: no
    // events from here on.
    destroying_ = true;
    if (hwnd_) {
        ClearAnnotations();
        DestroyWindow(hwnd_.get());
    }
    toolkit_.Remove(*this);
}

void Win32Window::Load() {
    loaded_ = true;
    formLoaded_ = false;
    positioned_ = false;
    savedFocus_ = nullptr;
    caption_ = std::string(design_.caption);
    controls_.clear();
    controls_.reserve(design_.controls.size());
    for (const auto& design : design_.controls) {
        Control& control = controls_.emplace_back();
        control.design = &design;
        if (HasText(design.kind)) control.caption = design.caption;
    }
}

void Win32Window::Forget() {
    loaded_ = false;
    caption_.clear();
    controls_.clear();
    savedFocus_ = nullptr;
}

bool Win32Window::Realize() {
    if (hwnd_) return true;
    if (!loaded_) return false;
    toolkit_.StartWindowing();
    const auto styles = WindowStylesFor(design_);
    HWND owner = toolkit_.HandleOf(owner_);
    if (!owner && !design_.showInTaskbar) owner = toolkit_.HiddenOwner();
    // The procedure takes over the handle on WM_NCCREATE.
    HWND hwnd = CreateWindowExA(styles.exStyle, styles.className, caption_.c_str(), styles.style,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner,
                                nullptr, toolkit_.Instance(), this);
    if (!hwnd) return false;
    dpi_ = toolkit_.DpiOf(hwnd);
    SetWindowIcons();
    CreateControls(hwnd, {});
    FitToClientArea();
    return true;
}

void Win32Window::CreateControls(HWND parent, std::string_view container) {
    const auto ordered = CreationOrder(design_.controls, container);
    const auto groupStarts = GroupStarts(ordered);
    for (std::size_t i = 0; i < ordered.size(); ++i) {
        const ControlDesign& design = *ordered[i];
        const auto index = &design - design_.controls.data();
        Control& control = controls_[static_cast<std::size_t>(index)];
        auto styles = ControlStylesFor(design, groupStarts[i]);
        if (!control.visible) styles.style &= ~static_cast<DWORD>(WS_VISIBLE);
        if (!control.enabled) styles.style |= WS_DISABLED;
        const auto id = kFirstControlId + index;
        // Made in its place and with its font: moving and sizing each
        // control afterwards would cost the window's first showing a round
        // of messages per control.
        const RECT place = ControlRect(design, dpi_, dpi_);
        control.hwnd = CreateWindowExA(styles.exStyle, styles.className, control.caption.c_str(),
                                       styles.style, place.left, place.top,
                                       place.right - place.left, place.bottom - place.top, parent,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                       toolkit_.Instance(), nullptr);
        if (!control.hwnd) continue;
        SendMessageA(control.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(design)), FALSE);
        Annotate(toolkit_.Annotations(), reinterpret_cast<std::uintptr_t>(control.hwnd), design);
        if (IsLink(design)) SetWindowSubclass(control.hwnd, &LinkProc, 0, 0);
        switch (design.kind) {
        case ControlKind::Image:
        case ControlKind::PictureBox:
            SetControlIcon(control, place);
            break;
        case ControlKind::ListBox:
            FillList(control);
            break;
        case ControlKind::OptionButton:
            if (control.checked) {
                SendMessageA(control.hwnd, BM_SETCHECK,
                             *control.checked ? BST_CHECKED : BST_UNCHECKED, 0);
            }
            break;
        case ControlKind::Frame:
            CreateControls(control.hwnd, design.name);
            FitFrameToControls(control.hwnd, design.name);
            break;
        default:
            break;
        }
    }
}

void Win32Window::FillList(const Control& list) {
    std::size_t characters = 0;
    for (const auto& entry : list.entries) characters += entry.size() + 1;
    SendMessageA(list.hwnd, LB_INITSTORAGE, list.entries.size(), static_cast<LPARAM>(characters));
    // In the order already sorted: inserting at the end does not sort
    // again, so the list shows the entries exactly as the state has them.
    for (const auto& entry : list.entries) {
        SendMessageA(list.hwnd, LB_INSERTSTRING, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(entry.c_str()));
    }
    if (list.listIndex >= 0) {
        SendMessageA(list.hwnd, LB_SETCURSEL, static_cast<WPARAM>(list.listIndex), 0);
    }
}

HFONT Win32Window::FontOf(const ControlDesign& design) {
    return toolkit_.Font(dpi_, (design.style & kBold) != 0, (design.style & kUnderline) != 0);
}

void Win32Window::SetWindowIcons() {
    const auto icon = [&](int metric) {
        return reinterpret_cast<LPARAM>(toolkit_.ProgramIcon(toolkit_.MetricForDpi(metric, dpi_)));
    };
    SendMessageA(hwnd_.get(), WM_SETICON, ICON_BIG, icon(SM_CXICON));
    SendMessageA(hwnd_.get(), WM_SETICON, ICON_SMALL, icon(SM_CXSMICON));
}

void Win32Window::SetControlIcon(const Control& control, const RECT& place) {
    // Drawn at the size of the control; loaded at that size, so that it
    // need not be scaled there.
    const int size = std::min(place.right - place.left, place.bottom - place.top);
    HICON icon = control.design->kind == ControlKind::Image ? toolkit_.InformationIcon(size)
                                                             : toolkit_.ProgramIcon(size);
    SendMessageA(control.hwnd, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}

void Win32Window::Layout() {
    LayoutControls();
    FitToClientArea();
}

void Win32Window::LayoutControls() {
    for (const auto& control : controls_) {
        if (!control.hwnd) continue;
        const auto& design = *control.design;
        const RECT place = ControlRect(design, dpi_, dpi_);
        SetWindowPos(control.hwnd, nullptr, place.left, place.top, place.right - place.left,
                     place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageA(control.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(design)), TRUE);
        if (design.kind == ControlKind::Frame) FitFrameToControls(control.hwnd, design.name);
        if (design.kind == ControlKind::Image || design.kind == ControlKind::PictureBox) {
            SetControlIcon(control, place);
        }
    }
}

void Win32Window::FitToClientArea() {
    HWND hwnd = hwnd_.get();
    // The frame around the client area is whatever the system draws at
    // this DPI; measure it rather than predict it.
    RECT window{};
    RECT client{};
    GetWindowRect(hwnd, &window);
    GetClientRect(hwnd, &client);
    const int width = TwipsToPixels(design_.clientWidth, dpi_) + (window.right - window.left) -
                      (client.right - client.left);
    const int height = TwipsToPixels(design_.clientHeight, dpi_) + (window.bottom - window.top) -
                       (client.bottom - client.top);
    SetWindowPos(hwnd, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Window::FitFrameToControls(HWND frame, std::string_view name) {
    // A borderless frame draws nothing of its own. It keeps only the room
    // its controls take, so that the empty part of a frame does not hide
    // the controls of another frame that overlaps it.
    unique_gdi<HRGN> room(CreateRectRgn(0, 0, 0, 0));
    if (!room) return;
    for (const auto& design : design_.controls) {
        if (design.container != name) continue;
        const RECT place = ControlRect(design, dpi_, dpi_);
        const unique_gdi<HRGN> part(CreateRectRgnIndirect(&place));
        if (part) CombineRgn(room.get(), room.get(), part.get(), RGN_OR);
    }
    // The window owns the region once it has taken it.
    if (SetWindowRgn(frame, room.get(), TRUE)) static_cast<void>(room.release());
}

void Win32Window::Position() {
    HWND hwnd = hwnd_.get();
    RECT window{};
    GetWindowRect(hwnd, &window);
    const LONG width = window.right - window.left;
    const LONG height = window.bottom - window.top;
    HWND owner = toolkit_.HandleOf(owner_);
    const bool overOwner = design_.position == WindowPosition::CenterOwner && owner &&
                           IsWindowVisible(owner) && !IsIconic(owner);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(overOwner ? owner : hwnd, MONITOR_DEFAULTTOPRIMARY),
                    &monitor);
    const RECT area = monitor.rcWork;
    RECT around = area;
    if (overOwner) GetWindowRect(owner, &around);
    LONG x = around.left + (around.right - around.left - width) / 2;
    LONG y = around.top + (around.bottom - around.top - height) / 2;
    // Never partly off the screen, even over an owner near its edge.
    x = std::max(area.left, std::min(x, area.right - width));
    y = std::max(area.top, std::min(y, area.bottom - height));
    SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Window::Show() {
    if (!loaded_) Load();
    if (!formLoaded_) {
        formLoaded_ = true;
        events_.Form_Load();
        if (!loaded_) return;
    }
    if (!Realize()) return;
    HWND hwnd = hwnd_.get();
    if (!IsWindowVisible(hwnd)) {
        if (!positioned_) {
            const int laidOutFor = dpi_;
            Position();
            // Placed on a monitor of another DPI (its owner's, say): laid
            // out again for that one before it shows, and placed again at
            // its new size.
            const int dpi = toolkit_.DpiOf(hwnd);
            if (dpi != dpi_) {
                dpi_ = dpi;
                SetWindowIcons();
                Layout();
            }
            if (dpi_ != laidOutFor) Position();
            positioned_ = true;
        }
        ShowWindow(hwnd, SW_SHOW);
        UpdateWindow(hwnd);
    } else {
        SetForegroundWindow(hwnd);
    }
    // A program started in the background may not get the activation; its
    // window still gets its activation event once, as it is shown.
    if (hwnd_ && toolkit_.lastActive != this) {
        toolkit_.lastActive = this;
        PostMessageA(hwnd, kActivatedMessage, 0, 0);
    }
}

void Win32Window::ShowModal() {
    if (modal_) return;
    if (!loaded_) Load();
    modal_ = true;
    disabledForModal_ = toolkit_.DisableOthers(*this);
    Show();
    toolkit_.RunUntil([this] { return !hwnd_; });
    modal_ = false;
    Win32Toolkit::EnableAgain(disabledForModal_);
    HWND owner = toolkit_.HandleOf(owner_);
    if (owner && IsWindowVisible(owner) && IsWindowEnabled(owner)) SetActiveWindow(owner);
}

void Win32Window::Unload() {
    if (!loaded_ || destroying_) return;
    if (!events_.Form_QueryUnload()) return;
    if (!loaded_) return;
    // The windows a modal window disabled come back before it goes, so that
    // its owner, not another program, becomes active.
    Win32Toolkit::EnableAgain(disabledForModal_);
    if (hwnd_) DestroyWindow(hwnd_.get());
    Forget();
    events_.Form_Unload();
}

void Win32Window::Destroyed() {
    static_cast<void>(hwnd_.release());
    // A window the system destroyed (with its owner, say) is unloaded too.
    Forget();
    Win32Toolkit::EnableAgain(disabledForModal_);
    if (toolkit_.lastActive == this) toolkit_.lastActive = nullptr;
}

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
    case kActivatedMessage:
        events_.Form_Activate();
        return 0;
    case WM_CLOSE:
        Unload();
        return 0;
    case kDpiChangedMessage:
        OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_DESTROY:
        ClearAnnotations();
        break;
    case WM_QUERYENDSESSION:
        return events_.Form_QueryUnload() ? TRUE : FALSE;
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
        if (code == BN_CLICKED && ButtonChecked(control)) {
            SetChecked(name, true);
            events_.Control_Click(name);
        }
        break;
    case ControlKind::Label:
        if (code == STN_CLICKED) events_.Control_Click(name);
        break;
    case ControlKind::ListBox:
        if (code == LBN_SELCHANGE) events_.Control_Click(name);
        break;
    default:
        break;
    }
}

void Win32Window::OnDpiChanged(int dpi, const RECT& suggested) {
    dpi_ = dpi;
    // The system's rectangle, not one of our own making: it keeps the
    // window on the monitor that gave the new DPI, where a size of our own
    // could reach back onto the other one and change the DPI again.
    SetWindowPos(hwnd_.get(), nullptr, suggested.left, suggested.top,
                 suggested.right - suggested.left, suggested.bottom - suggested.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowIcons();
    LayoutControls();
}

void Win32Window::ClearAnnotations() {
    for (const auto& control : controls_) {
        const auto& design = *control.design;
        if (control.hwnd && !(design.accessibleName.empty() && design.accessibleDescription.empty())) {
            toolkit_.Annotations().Clear(control.hwnd);
        }
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

Win32Window::Control* Win32Window::Find(std::string_view name) {
    return const_cast<Control*>(std::as_const(*this).Find(name));
}

const Win32Window::Control* Win32Window::Find(std::string_view name) const {
    const auto it = std::find_if(controls_.begin(), controls_.end(),
                                 [&](const Control& control) { return control.design->name == name; });
    return it == controls_.end() ? nullptr : &*it;
}

const Win32Window::Control* Win32Window::Find(HWND hwnd) const {
    if (!hwnd) return nullptr;
    const auto it = std::find_if(controls_.begin(), controls_.end(),
                                 [&](const Control& control) { return control.hwnd == hwnd; });
    return it == controls_.end() ? nullptr : &*it;
}

Win32Window::Control* Win32Window::FindOfKind(std::string_view name, ControlKind kind) {
    return const_cast<Control*>(std::as_const(*this).FindOfKind(name, kind));
}

const Win32Window::Control* Win32Window::FindOfKind(std::string_view name, ControlKind kind) const {
    const Control* control = Find(name);
    return control && control->design->kind == kind ? control : nullptr;
}

HWND Win32Window::ControlHandle(std::string_view name) const {
    const Control* control = Find(name);
    return control ? control->hwnd : nullptr;
}

// The setters keep the state and, once the window is built, change its
// control too. The getters read the control once it is built: from then on
// the user, or anything else that works the controls, may change it.

void Win32Window::SetCaption(std::string_view name, std::string_view text) {
    if (!loaded_) return;
    std::string* caption = &caption_;
    HWND target = hwnd_.get();
    if (!name.empty()) {
        Control* control = Find(name);
        if (!control || !HasText(control->design->kind)) return;
        caption = &control->caption;
        target = control->hwnd;
    }
    caption->assign(text);
    if (target) SetWindowTextA(target, caption->c_str());
}

std::string Win32Window::Caption(std::string_view name) const {
    if (name.empty()) return hwnd_ ? WindowText(hwnd_.get()) : caption_;
    const Control* control = Find(name);
    if (!control) return {};
    if (control->design->kind == ControlKind::ListBox) {
        return ListText(name, ListIndex(name));
    }
    return control->hwnd ? WindowText(control->hwnd) : control->caption;
}

void Win32Window::SetEnabled(std::string_view name, bool enabled) {
    Control* control = Find(name);
    if (!control) return;
    control->enabled = enabled;
    if (!control->hwnd) return;
    // A control that is switched off while it has the focus would take the
    // keyboard with it.
    if (!enabled) MoveFocusFrom(control->hwnd);
    EnableWindow(control->hwnd, enabled ? TRUE : FALSE);
}

bool Win32Window::IsEnabled(std::string_view name) const {
    const Control* control = Find(name);
    if (!control) return false;
    return control->hwnd ? IsWindowEnabled(control->hwnd) != FALSE : control->enabled;
}

void Win32Window::SetVisible(std::string_view name, bool visible) {
    Control* control = Find(name);
    if (!control) return;
    control->visible = visible;
    if (!control->hwnd) return;
    if (!visible) MoveFocusFrom(control->hwnd);
    ShowWindow(control->hwnd, visible ? SW_SHOWNA : SW_HIDE);
}

bool Win32Window::IsVisible(std::string_view name) const {
    // The control's own setting: a control of a window that is not shown
    // yet is still visible.
    const Control* control = Find(name);
    if (!control) return false;
    return control->hwnd ? (GetWindowLongA(control->hwnd, GWL_STYLE) & WS_VISIBLE) != 0
                         : control->visible;
}

void Win32Window::SetChecked(std::string_view name, bool checked) {
    Control* option = FindOfKind(name, ControlKind::OptionButton);
    if (!option) return;
    const auto check = [](Control& control, bool on) {
        control.checked = on;
        if (control.hwnd) {
            SendMessageA(control.hwnd, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
        }
    };
    if (checked) {
        // Exclusive within the frame (or the window), whatever keyboard
        // groups the options fall into.
        for (auto& other : controls_) {
            if (&other != option && other.design->kind == ControlKind::OptionButton &&
                other.design->container == option->design->container) {
                check(other, false);
            }
        }
    }
    check(*option, checked);
}

bool Win32Window::IsChecked(std::string_view name) const {
    const Control* option = FindOfKind(name, ControlKind::OptionButton);
    if (!option) return false;
    return option->hwnd ? ButtonChecked(option->hwnd) : option->checked.value_or(false);
}

void Win32Window::SetTextColor(std::string_view name, std::uint32_t bgr) {
    Control* control = Find(name);
    if (!control) return;
    control->textColor = static_cast<COLORREF>(bgr);
    if (control->hwnd) InvalidateRect(control->hwnd, nullptr, TRUE);
}

std::uint32_t Win32Window::TextColor(std::string_view name) const {
    const Control* control = Find(name);
    if (!control) return 0;
    return control->textColor.value_or(GetSysColor(COLOR_BTNTEXT));
}

void Win32Window::AddItem(std::string_view list, std::string_view text) {
    Control* control = FindOfKind(list, ControlKind::ListBox);
    if (!control) return;
    auto& entries = control->entries;
    const bool sorted = (control->design->style & kSorted) != 0;
    const std::size_t at = sorted ? SortedListPosition(entries, text) : entries.size();
    entries.insert(entries.begin() + static_cast<std::ptrdiff_t>(at), std::string(text));
    // The selected entry stays selected when one is put in front of it.
    if (control->listIndex >= static_cast<int>(at)) ++control->listIndex;
    if (control->hwnd) {
        SendMessageA(control->hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entries[at].c_str()));
    }
}

int Win32Window::ListCount(std::string_view list) const {
    const Control* control = FindOfKind(list, ControlKind::ListBox);
    if (!control) return 0;
    if (!control->hwnd) return static_cast<int>(control->entries.size());
    return std::max(static_cast<int>(SendMessageA(control->hwnd, LB_GETCOUNT, 0, 0)), 0);
}

std::string Win32Window::ListText(std::string_view list, int index) const {
    const Control* control = FindOfKind(list, ControlKind::ListBox);
    if (!control || index < 0) return {};
    if (!control->hwnd) {
        const auto at = static_cast<std::size_t>(index);
        return at < control->entries.size() ? control->entries[at] : std::string{};
    }
    // Read in UTF-16: Wine passes an ANSI LB_GETTEXT through a buffer of
    // 512 characters on its stack, which an entry of a longer printer name
    // overruns and crashes the program.
    const auto length = SendMessageW(control->hwnd, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const auto copied = SendMessageW(control->hwnd, LB_GETTEXT, static_cast<WPARAM>(index),
                                     reinterpret_cast<LPARAM>(text.data()));
    if (copied == LB_ERR) return {};
    text.resize(static_cast<std::size_t>(copied));
    return Narrow(text);
}

int Win32Window::ListIndex(std::string_view list) const {
    const Control* control = FindOfKind(list, ControlKind::ListBox);
    if (!control) return -1;
    if (!control->hwnd) return control->listIndex;
    const auto index = SendMessageA(control->hwnd, LB_GETCURSEL, 0, 0);
    return index == LB_ERR ? -1 : static_cast<int>(index);
}

void Win32Window::SetListIndex(std::string_view list, int index) {
    Control* control = FindOfKind(list, ControlKind::ListBox);
    if (!control) return;
    // As the list box does: an index past the entries changes nothing.
    if (index >= -1 && index < static_cast<int>(control->entries.size())) {
        control->listIndex = index;
    }
    if (control->hwnd) SendMessageA(control->hwnd, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
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
