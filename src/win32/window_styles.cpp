#include "win32/window_styles.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "win32/twips.h"

namespace quillon::platform::win32 {
namespace {

UINT IconFlag(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return MB_ICONINFORMATION;
    case MessageIcon::Exclamation:
        return MB_ICONEXCLAMATION;
    case MessageIcon::Critical:
        return MB_ICONHAND;
    case MessageIcon::None:
        break;
    }
    return 0;
}

bool IsHorizontal(const ControlDesign& line) {
    // A line keeps its end points in left/top and width/height.
    return std::abs(line.width - line.left) >= std::abs(line.height - line.top);
}

bool IsBackground(const ControlDesign& control) {
    if (control.kind == ControlKind::Label && (control.style & kLabelsNext)) return false;
    return control.kind == ControlKind::Label || control.kind == ControlKind::Image ||
           control.kind == ControlKind::PictureBox || control.kind == ControlKind::Line;
}

}  // namespace

NativeStyles WindowStylesFor(const WindowDesign& design) {
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    DWORD exStyle = WS_EX_CONTROLPARENT;
    switch (design.border) {
    case WindowBorder::FixedSingle:
        break;
    case WindowBorder::FixedDialog:
        exStyle |= WS_EX_DLGMODALFRAME;
        break;
    case WindowBorder::Sizable:
        style |= WS_THICKFRAME;
        break;
    }
    // Owned windows have no taskbar button unless they ask for one.
    if (design.showInTaskbar) exStyle |= WS_EX_APPWINDOW;
    return {kWindowClassName, style, exStyle};
}

UINT MessageBoxFlags(MessageIcon icon, bool owned, bool anyWindowVisible) {
    UINT flags = MB_OK | IconFlag(icon);
    if (!owned) flags |= MB_TASKMODAL | MB_SETFOREGROUND;
    if (!anyWindowVisible) flags |= MB_TOPMOST;
    return flags;
}

NativeStyles ControlStylesFor(const ControlDesign& design, bool startsGroup) {
    // Overlapping controls paint in their stacking order.
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    if (startsGroup) style |= WS_GROUP;
    const DWORD tabStop = design.tabIndex >= 0 ? WS_TABSTOP : 0;
    switch (design.kind) {
    case ControlKind::PushButton:
        style |= tabStop | ((design.style & kDefaultButton) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        return {"Button", style, 0};
    case ControlKind::OptionButton:
        return {"Button", style | tabStop | BS_AUTORADIOBUTTON, 0};
    case ControlKind::Label:
        // Captions keep their "&" access keys, as on the buttons; a label
        // that must show one literally doubles it.
        if (IsLink(design)) style |= tabStop;
        return {"Static", style | SS_LEFT | SS_NOTIFY, 0};
    case ControlKind::ListBox:
        style |= tabStop | WS_VSCROLL | LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT;
        if (design.style & kSorted) style |= LBS_SORT;
        return {"ListBox", style, WS_EX_CLIENTEDGE};
    case ControlKind::ComboBox:
        style |= tabStop | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_HASSTRINGS;
        if (design.style & kSorted) style |= CBS_SORT;
        return {"ComboBox", style, 0};
    case ControlKind::Frame:
        // The keyboard walks into the frame's controls as if they were the
        // window's own.
        return {kFrameClassName, style, WS_EX_CONTROLPARENT};
    case ControlKind::Image:
    case ControlKind::PictureBox:
        return {"Static", style | SS_ICON | SS_REALSIZECONTROL | SS_CENTERIMAGE, 0};
    case ControlKind::Line:
        if (design.style & kEtchedLine) {
            style |= IsHorizontal(design) ? SS_ETCHEDHORZ : SS_ETCHEDVERT;
        } else {
            style |= SS_BLACKRECT;
        }
        return {"Static", style, 0};
    }
    return {"Static", style, 0};
}

std::vector<const ControlDesign*> CreationOrder(std::span<const ControlDesign> controls,
                                              std::string_view container) {
    std::vector<const ControlDesign*> ordered;
    for (const auto& control : controls) {
        if (control.container == container) ordered.push_back(&control);
    }
    const auto rank = [](const ControlDesign* control) {
        return std::pair{IsBackground(*control), control->tabIndex < 0};
    };
    std::stable_sort(ordered.begin(), ordered.end(), [&](const ControlDesign* a, const ControlDesign* b) {
        if (rank(a) != rank(b)) return rank(a) < rank(b);
        return a->tabIndex >= 0 && a->tabIndex < b->tabIndex;
    });
    return ordered;
}

std::vector<bool> GroupStarts(const std::vector<const ControlDesign*>& ordered) {
    std::vector<bool> starts;
    starts.reserve(ordered.size());
    const ControlDesign* previous = nullptr;
    for (const auto* control : ordered) {
        const bool continuesOptions = previous && previous->kind == ControlKind::OptionButton &&
                                      control->kind == ControlKind::OptionButton;
        starts.push_back(!continuesOptions);
        previous = control;
    }
    return starts;
}

const ListMessages& ListMessagesFor(ControlKind kind) {
    static constexpr ListMessages kListBox{LB_ADDSTRING, LB_INSERTSTRING, LB_DELETESTRING,
                                           LB_RESETCONTENT, LB_GETCOUNT, LB_GETTEXTLEN,
                                           LB_GETTEXT, LB_GETCURSEL, LB_SETCURSEL,
                                           LB_INITSTORAGE, LBN_SELCHANGE};
    static constexpr ListMessages kComboBox{CB_ADDSTRING, CB_INSERTSTRING, CB_DELETESTRING,
                                            CB_RESETCONTENT, CB_GETCOUNT, CB_GETLBTEXTLEN,
                                            CB_GETLBTEXT, CB_GETCURSEL, CB_SETCURSEL,
                                            CB_INITSTORAGE, CBN_SELCHANGE};
    return kind == ControlKind::ComboBox ? kComboBox : kListBox;
}

RECT ControlWindowRect(const ControlDesign& design, const RECT& place) {
    RECT window = place;
    // Room below the field for the entries it drops.
    if (design.kind == ControlKind::ComboBox) window.bottom += kDroppedEntries * (place.bottom - place.top);
    return window;
}

RECT ControlRect(const ControlDesign& design, int dpiX, int dpiY) {
    const int x = TwipsToPixels(design.left, dpiX);
    const int y = TwipsToPixels(design.top, dpiY);
    if (design.kind != ControlKind::Line) {
        return {x, y, x + TwipsToPixels(design.width, dpiX), y + TwipsToPixels(design.height, dpiY)};
    }
    const int x2 = TwipsToPixels(design.width, dpiX);
    const int y2 = TwipsToPixels(design.height, dpiY);
    // An etched line is a dark and a light stroke, one pixel each.
    const int thickness = (design.style & kEtchedLine) ? 2 : 1;
    if (IsHorizontal(design)) {
        return {std::min(x, x2), y, std::max(x, x2) + 1, y + thickness};
    }
    return {x, std::min(y, y2), x + thickness, std::max(y, y2) + 1};
}

}  // namespace quillon::platform::win32
