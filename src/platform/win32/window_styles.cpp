#include "platform/win32/window_styles.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "platform/win32/twips.h"

namespace quillon::platform::win32 {
namespace {

bool IsHorizontal(const ControlSpec& line) {
    // A line keeps its end points in left/top and width/height.
    return std::abs(line.width - line.left) >= std::abs(line.height - line.top);
}

bool IsBackground(const ControlSpec& control) {
    return control.kind == ControlKind::Label || control.kind == ControlKind::Image ||
           control.kind == ControlKind::PictureBox || control.kind == ControlKind::Line;
}

}  // namespace

NativeStyles WindowStylesFor(const WindowSpec& spec) {
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    DWORD exStyle = WS_EX_CONTROLPARENT;
    switch (spec.border) {
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
    if (spec.showInTaskbar) exStyle |= WS_EX_APPWINDOW;
    return {kWindowClassName, style, exStyle};
}

NativeStyles ControlStylesFor(const ControlSpec& spec, bool startsGroup) {
    // Overlapping controls paint in their stacking order.
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    if (startsGroup) style |= WS_GROUP;
    const DWORD tabStop = spec.tabIndex >= 0 ? WS_TABSTOP : 0;
    switch (spec.kind) {
    case ControlKind::PushButton:
        style |= tabStop | ((spec.style & kDefaultButton) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        return {"Button", style, 0};
    case ControlKind::OptionButton:
        return {"Button", style | tabStop | BS_AUTORADIOBUTTON, 0};
    case ControlKind::Label:
        // Captions keep their "&" access keys, as on the buttons; a label
        // that must show one literally doubles it.
        return {"Static", style | SS_LEFT | SS_NOTIFY, 0};
    case ControlKind::ListBox:
        style |= tabStop | WS_VSCROLL | LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT;
        if (spec.style & kSorted) style |= LBS_SORT;
        return {"ListBox", style, WS_EX_CLIENTEDGE};
    case ControlKind::Frame:
        // The keyboard walks into the frame's controls as if they were the
        // window's own.
        return {kFrameClassName, style, WS_EX_CONTROLPARENT};
    case ControlKind::Image:
    case ControlKind::PictureBox:
        return {"Static", style | SS_ICON | SS_REALSIZECONTROL | SS_CENTERIMAGE, 0};
    case ControlKind::Line:
        if (spec.style & kEtchedLine) {
            style |= IsHorizontal(spec) ? SS_ETCHEDHORZ : SS_ETCHEDVERT;
        } else {
            style |= SS_BLACKRECT;
        }
        return {"Static", style, 0};
    }
    return {"Static", style, 0};
}

std::vector<const ControlSpec*> CreationOrder(std::span<const ControlSpec> controls,
                                              std::string_view container) {
    std::vector<const ControlSpec*> ordered;
    for (const auto& control : controls) {
        if (control.container == container) ordered.push_back(&control);
    }
    const auto rank = [](const ControlSpec* control) {
        return std::pair{IsBackground(*control), control->tabIndex < 0};
    };
    std::stable_sort(ordered.begin(), ordered.end(), [&](const ControlSpec* a, const ControlSpec* b) {
        if (rank(a) != rank(b)) return rank(a) < rank(b);
        return a->tabIndex >= 0 && a->tabIndex < b->tabIndex;
    });
    return ordered;
}

std::vector<bool> GroupStarts(const std::vector<const ControlSpec*>& ordered) {
    std::vector<bool> starts;
    starts.reserve(ordered.size());
    const ControlSpec* previous = nullptr;
    for (const auto* control : ordered) {
        const bool continuesOptions = previous && previous->kind == ControlKind::OptionButton &&
                                      control->kind == ControlKind::OptionButton;
        starts.push_back(!continuesOptions);
        previous = control;
    }
    return starts;
}

RECT ControlRect(const ControlSpec& spec, int dpiX, int dpiY) {
    const int x = TwipsToPixels(spec.left, dpiX);
    const int y = TwipsToPixels(spec.top, dpiY);
    if (spec.kind != ControlKind::Line) {
        return {x, y, x + TwipsToPixels(spec.width, dpiX), y + TwipsToPixels(spec.height, dpiY)};
    }
    const int x2 = TwipsToPixels(spec.width, dpiX);
    const int y2 = TwipsToPixels(spec.height, dpiY);
    // An etched line is a dark and a light stroke, one pixel each.
    const int thickness = (spec.style & kEtchedLine) ? 2 : 1;
    if (IsHorizontal(spec)) {
        return {std::min(x, x2), y, std::max(x, x2) + 1, y + thickness};
    }
    return {x, std::min(y, y2), x + thickness, std::max(y, y2) + 1};
}

}  // namespace quillon::platform::win32
