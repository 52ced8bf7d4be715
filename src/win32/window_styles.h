#pragma once

#include <windows.h>

#include <span>
#include <string_view>
#include <vector>

#include "platform/window_toolkit.h"

namespace quillon::platform::win32 {

// The window classes the toolkit registers: one for the program's windows,
// one for the borderless frames that hold groups of controls.
inline constexpr const char* kWindowClassName = "QuillonWindow";
inline constexpr const char* kFrameClassName = "QuillonFrame";

struct NativeStyles {
    const char* className;
    DWORD style;
    DWORD exStyle;
};

// The top-level window for a layout: never a maximise or minimise box; a
// taskbar button only when the layout asks for one (an owned window has
// none of its own).
NativeStyles WindowStylesFor(const WindowDesign& design);

// The flags of a message box with an OK button and the icon. Without an
// active window to own it, it holds the program's own windows still and
// asks for the foreground; with no window of the program on the screen it
// also stays on top, since a run started at log-on is usually not allowed
// the foreground and its box would sit behind other windows, the run
// waiting until someone found it.
UINT MessageBoxFlags(MessageIcon icon, bool owned, bool anyWindowVisible);


// The standard control that stands for one entry of a control table.
// startsGroup marks the first control of a keyboard group (GroupStarts).
NativeStyles ControlStylesFor(const ControlDesign& design, bool startsGroup);

// The messages that work a list: a list box's or a drop-down list's, which
// do the same under other numbers.
struct ListMessages {
    UINT add, insert, remove, reset, count, textLength, text, selected, select, initStorage;
    WORD selectionChanged;  // the notification of a change the user made
};
const ListMessages& ListMessagesFor(ControlKind kind);

// How many entries a drop-down list shows when dropped before it scrolls.
constexpr int kDroppedEntries = 8;

// The control's window for its place: a drop-down list's window also holds
// the list it drops, below the field the place is for (the field keeps the
// height its font gives it).
RECT ControlWindowRect(const ControlDesign& design, const RECT& place);

// The controls of one container (the window itself: an empty name) in the
// order they are created, which is their tab order and their stacking order
// (the first on top): by tab index, controls without one last, ties in
// table order. Labels, images and lines come after all the others: they
// are drawn as the background the other controls sit on, so a label may
// share its rectangle with the option buttons that answer it. A label
// that captions the next control keeps its place in tab order, just
// before that control.
std::vector<const ControlDesign*> CreationOrder(std::span<const ControlDesign> controls,
                                              std::string_view container);

// For each control of a container in tab order, whether it starts a new
// keyboard group. Option buttons that follow each other form one group, so
// that arrow keys move between them; every other control is a group of its
// own, which also ends the option group before it.
std::vector<bool> GroupStarts(const std::vector<const ControlDesign*>& ordered);

// Where a control goes in its parent's client area, in pixels. A line is
// given by its two end points; it becomes a thin horizontal or vertical
// strip between them.
RECT ControlRect(const ControlDesign& design, int dpiX, int dpiY);

}  // namespace quillon::platform::win32
