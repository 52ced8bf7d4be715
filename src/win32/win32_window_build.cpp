#include "win32/win32_window.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdint>

#include "platform/caption_fit.h"
#include "win32/twips.h"
#include "win32/wide_text.h"
#include "win32/win32_toolkit.h"
#include "win32/window_styles.h"

// Building the window and its controls from the layout at its monitor's
// dots per inch, and laying them out again when those change.
namespace quillon::platform::win32 {
namespace {

// The room between a push button's focus rectangle and its text, at 96
// DPI, where the common controls cannot tell a wider one of their own.
constexpr int kButtonTextMargin = 4;

// A link label draws the focus rectangle around its text while it has the
// focus, and opens with Space as with a click. Enter reaches it through the
// window (IDOK), as it reaches a focused button. A screen reader gets an
// object whose default action opens it (the data: the annotations).
LRESULT CALLBACK LinkProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                          DWORD_PTR annotations) {
    switch (message) {
    case WM_GETOBJECT:
        if (const LRESULT object = reinterpret_cast<Win32Annotations*>(annotations)->LinkObject(
                hwnd, wParam, lParam)) {
            return object;
        }
        break;
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

// How wide DrawText makes the last line of the text wrapped at the width:
// where the ink of that line ends, drawn into a bitmap. DrawText breaks
// lines by rules of its own (at blanks, and between any two characters of
// a script written without them), which no count of words repeats exactly.
// The room is what DrawText measured for the text at the width.
int LastLineWidth(HDC dc, const std::wstring& text, int width, const RECT& room, int lineHeight,
                  UINT flags) {
    const int right = std::max<int>(room.right, width);
    const int height = room.bottom;
    if (right <= 0 || height <= 0) return 0;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = right;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const unique_hbitmap bitmap(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const unique_memory_dc memory(CreateCompatibleDC(dc));
    // Without a bitmap, the whole width: what stands beside goes under.
    if (!bitmap || !memory || bits == nullptr) return right;
    SelectObject(memory.get(), bitmap.get());
    SelectObject(memory.get(), GetCurrentObject(dc, OBJ_FONT));
    PatBlt(memory.get(), 0, 0, right, height, BLACKNESS);
    SetTextColor(memory.get(), RGB(255, 255, 255));
    SetBkMode(memory.get(), TRANSPARENT);
    RECT place{0, 0, width, height};
    DrawTextW(memory.get(), text.c_str(), static_cast<int>(text.size()), &place, flags);
    GdiFlush();
    int ink = 0;
    for (int y = std::max(0, height - lineHeight); y < height; ++y) {
        const auto* row = static_cast<const std::uint32_t*>(bits) + static_cast<std::ptrdiff_t>(y) * right;
        for (int x = right - 1; x >= ink; --x) {
            if ((row[x] & 0xFFFFFFu) != 0) {
                ink = x + 1;
                break;
            }
        }
    }
    return ink;
}

}  // namespace

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
    FitCaptions();
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
        const RECT place = ControlWindowRect(design, PlaceOf(design));
        control.hwnd = CreateWindowExA(styles.exStyle, styles.className, control.caption.c_str(),
                                       styles.style, place.left, place.top,
                                       place.right - place.left, place.bottom - place.top, parent,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                       toolkit_.Instance(), nullptr);
        if (!control.hwnd) continue;
        SendMessageA(control.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(design)), FALSE);
        Annotate(toolkit_.Annotations(), reinterpret_cast<std::uintptr_t>(control.hwnd), design);
        if (IsLink(design)) {
            SetWindowSubclass(control.hwnd, &LinkProc, 0,
                              reinterpret_cast<DWORD_PTR>(&toolkit_.Annotations()));
        }
        switch (design.kind) {
        case ControlKind::Image:
        case ControlKind::PictureBox:
            SetControlIcon(control, place);
            break;
        case ControlKind::ComboBox:
            // The common controls 6 drop as many entries as this says (30
            // unless told), not as many as the control's window has room for.
            SendMessageA(control.hwnd, CB_SETMINVISIBLE, kDroppedEntries, 0);
            FillList(control);
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
    const auto& messages = ListMessagesFor(list.design->kind);
    std::size_t characters = 0;
    for (const auto& entry : list.entries) characters += entry.size() + 1;
    SendMessageA(list.hwnd, messages.initStorage, list.entries.size(), static_cast<LPARAM>(characters));
    // In the order already sorted: inserting at the end does not sort
    // again, so the list shows the entries exactly as the state has them.
    for (const auto& entry : list.entries) {
        SendMessageA(list.hwnd, messages.insert, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(entry.c_str()));
    }
    if (list.listIndex >= 0) {
        SendMessageA(list.hwnd, messages.select, static_cast<WPARAM>(list.listIndex), 0);
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
    FitCaptions();
    for (const auto& control : controls_) {
        if (!control.hwnd) continue;
        const auto& design = *control.design;
        const RECT place = PlaceOf(design);
        const RECT window = ControlWindowRect(design, place);
        SetWindowPos(control.hwnd, nullptr, window.left, window.top, window.right - window.left,
                     window.bottom - window.top, SWP_NOZORDER | SWP_NOACTIVATE);
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
    const int width = client_.cx + (window.right - window.left) - (client.right - client.left);
    const int height = client_.cy + (window.bottom - window.top) - (client.bottom - client.top);
    SetWindowPos(hwnd, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Window::FitCaptions() {
    const auto& designs = design_.controls;
    const auto indexOf = [&](std::string_view name) {
        for (std::size_t i = 0; i < designs.size(); ++i) {
            if (designs[i].name == name) return static_cast<int>(i);
        }
        return -1;
    };
    const unique_screen_dc screen(GetDC(nullptr));
    HDC dc = screen.get();
    // A button that is never shown, asked how wide a button must be for
    // each caption: the common controls 6 know their theme's margins at
    // this DPI. Without them (no manifest, Windows XP's classic look) it
    // answers nothing, and the margins of our own stand in.
    const unique_hwnd sizer(CreateWindowExW(WS_EX_NOPARENTNOTIFY, L"BUTTON", L"", WS_CHILD | BS_PUSHBUTTON,
                                            0, 0, 0, 0, hwnd_.get(), nullptr, toolkit_.Instance(), nullptr));
    std::vector<CaptionNeeds> needs(designs.size());
    for (std::size_t i = 0; i < designs.size(); ++i) {
        const ControlDesign& design = designs[i];
        CaptionNeeds& need = needs[i];
        need.frame = design.kind == ControlKind::Frame;
        need.container = design.container.empty() ? -1 : indexOf(design.container);
        RECT place = ControlRect(design, dpi_, dpi_);
        if (need.container >= 0) {
            const RECT frame = ControlRect(designs[static_cast<std::size_t>(need.container)], dpi_, dpi_);
            OffsetRect(&place, frame.left, frame.top);
        }
        need.box = {place.left, place.top, place.right, place.bottom};
        const std::string* caption = i < controls_.size() ? &controls_[i].caption : nullptr;
        if (dc == nullptr || caption == nullptr || caption->empty()) continue;
        const std::wstring text = Widen(*caption);
        const HFONT font = FontOf(design);
        const HGDIOBJ old = SelectObject(dc, font);
        // The same room the controls leave their text: a push button's
        // edge, focus rectangle and margin (a pixel more for the default
        // one's frame), an option's box and half a digit.
        const auto measure = [dc, text](int width, UINT flags) {
            RECT room{0, 0, width, 0};
            DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &room, flags | DT_CALCRECT);
            return room;
        };
        if (design.kind == ControlKind::PushButton) {
            need.button = true;
            const bool isDefault = (design.style & kDefaultButton) != 0;
            const int margin = (isDefault ? 4 : 3) + MulDiv(kButtonTextMargin, dpi_, 96);
            const int textWidth = measure(0, DT_SINGLELINE).right;
            need.width = textWidth + 2 * margin;
            SIZE ideal{};
            if (sizer) {
                SendMessageW(sizer.get(), BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, FALSE);
                SendMessageW(sizer.get(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
                SetWindowTextW(sizer.get(), text.c_str());
            }
            // The theme's margins where they are wider; never narrower than
            // the edge, the focus rectangle and the margin (Wine answers
            // with the text and a pixel on each side). The sizer's margins
            // are those of the window's DPI, which is still the old one
            // while Windows asks for the size at another: scaled from
            // there, rounded up.
            if (sizer && SendMessageW(sizer.get(), BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal))) {
                const int sizerDpi = toolkit_.DpiOf(sizer.get());
                const int themeMargins = std::max<int>(ideal.cx - textWidth, 0);
                need.width = std::max(need.width,
                                      textWidth + (themeMargins * dpi_ + sizerDpi - 1) / sizerDpi);
            }
        } else if (design.kind == ControlKind::OptionButton) {
            SIZE digit{};
            GetTextExtentPoint32W(dc, L"0", 1, &digit);
            need.width = 12 * dpi_ / 96 + 1 + digit.cx / 2 + measure(0, DT_SINGLELINE).right + 1;
        } else if (design.kind == ControlKind::Label) {
            TEXTMETRICW metrics{};
            GetTextMetricsW(dc, &metrics);
            need.wrapped = [dc, font, measure, text, lineHeight = metrics.tmHeight](int width) {
                const UINT flags = DT_LEFT | DT_WORDBREAK | DT_EXPANDTABS;
                const HGDIOBJ previous = SelectObject(dc, font);
                const RECT room = measure(width, flags);
                const int last = LastLineWidth(dc, text, width, room, lineHeight, flags);
                SelectObject(dc, previous);
                return WrappedCaption{static_cast<int>(room.right), static_cast<int>(room.bottom),
                                      static_cast<int>(lineHeight), last};
            };
        }
        SelectObject(dc, old);
    }
    const auto fitted = platform::FitCaptions(needs, TwipsToPixels(design_.clientWidth, dpi_),
                                              TwipsToPixels(design_.clientHeight, dpi_),
                                              MulDiv(2, dpi_, 96));
    places_.clear();
    for (std::size_t i = 0; i < designs.size(); ++i) {
        const auto& box = fitted.boxes[i];
        RECT place{box.left, box.top, box.right, box.bottom};
        if (needs[i].container >= 0) {
            const auto& frame = fitted.boxes[static_cast<std::size_t>(needs[i].container)];
            OffsetRect(&place, -frame.left, -frame.top);
        }
        places_.push_back(place);
    }
    client_ = {fitted.clientWidth, fitted.clientHeight};
}

RECT Win32Window::PlaceOf(const ControlDesign& design) const {
    const auto index = static_cast<std::size_t>(&design - design_.controls.data());
    return index < places_.size() ? places_[index] : ControlRect(design, dpi_, dpi_);
}

void Win32Window::FitFrameToControls(HWND frame, std::string_view name) {
    // A borderless frame draws nothing of its own. It keeps only the room
    // its controls take, so that the empty part of a frame does not hide
    // the controls of another frame that overlaps it.
    unique_gdi<HRGN> room(CreateRectRgn(0, 0, 0, 0));
    if (!room) return;
    for (const auto& design : design_.controls) {
        if (design.container != name) continue;
        const RECT place = PlaceOf(design);
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
    // The suggested rectangle scales the frame with the rest; where the
    // frame kept its size the client area would grow or shrink by the
    // difference at every move, so it is fitted to the layout again.
    if (toolkit_.KeepsFrameOnDpiChange(hwnd_.get())) FitToClientArea();
}

bool Win32Window::OnGetDpiScaledSize(int dpi, SIZE& size) {
    // Text does not grow in step with the DPI (8 points are 11, 13 and 16
    // pixels at 96, 120 and 144), so the window scaled in proportion is not
    // the one the layout takes there. The layout is fitted at the new DPI,
    // and the window keeps its own until the DPI has changed.
    const int ownDpi = dpi_;
    std::vector<RECT> ownPlaces = std::move(places_);
    const SIZE ownClient = client_;
    dpi_ = dpi;
    FitCaptions();
    const SIZE needed = client_;
    dpi_ = ownDpi;
    places_ = std::move(ownPlaces);
    client_ = ownClient;
    const auto window = toolkit_.WindowSizeForClient(hwnd_.get(), needed, dpi);
    if (!window) return false;
    size = *window;
    return true;
}

}  // namespace quillon::platform::win32
