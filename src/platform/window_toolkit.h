#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

// <windows.h> makes MessageBox a macro for MessageBoxA; the toolkit's
// method keeps its own name in every file that sees this header.
#ifdef MessageBox
#undef MessageBox
#endif

namespace quillon::platform {

// Windows are described as data: each window class of the program holds a
// WindowDesign with its control table, and the toolkit builds real controls
// from it. Positions and sizes are in twips (1/1440 inch), relative to the
// client area or, for a control inside a frame, to the frame.

enum class ControlKind {
    PushButton,
    OptionButton,  // exclusive within its container (the window or a frame)
    Label,
    ListBox,
    ComboBox,      // a drop-down list: one of its entries is chosen, nothing typed
    Frame,         // a borderless group that makes its option buttons exclusive
    Image,         // the system's information symbol
    PictureBox,    // the program icon
    Line,          // left/top to width/height used as the end point
};

enum ControlStyle : std::uint32_t {
    kStyleNone = 0,
    kSorted = 1u << 0,         // list box keeps its entries sorted
    kDefaultButton = 1u << 1,  // Enter presses it
    kCancelButton = 1u << 2,   // Esc presses it
    kBold = 1u << 3,
    kUnderline = 1u << 4,
    kHandPointer = 1u << 5,    // the label shows the pointing hand: a link, which the keyboard
                               // reaches with Tab and opens with Enter or Space
    kEtchedLine = 1u << 6,
    kLabelsNext = 1u << 7,     // the label is the caption of the control next in tab order (a
                               // list without one of its own): its access key moves there, and
                               // a screen reader takes its text as that control's name
};

struct ControlDesign {
    ControlKind kind;
    std::string_view name;
    std::string_view caption;
    int left;
    int top;
    int width;
    int height;
    int tabIndex;                   // -1: not a tab stop
    std::string_view container{};  // the frame it sits in; empty for the window
    std::uint32_t style = kStyleNone;
    // What a screen reader says for the control beyond its caption: a name
    // for a control without one of its own, a description for one whose
    // caption means nothing alone (an option answering a question).
    std::string_view accessibleName{};
    std::string_view accessibleDescription{};
};

enum class WindowBorder {
    FixedSingle,  // fixed single line, no maximise or minimise box
    FixedDialog,  // dialog frame, not resizable
    Sizable,      // resizable, no maximise or minimise box
};

enum class WindowPosition { CenterScreen, CenterOwner };

// Whether the control is a label that acts as a link: a tab stop of its
// own, opened with Enter or Space as with a click, and announced as a link.
bool IsLink(const ControlDesign& design);
// Whether the control holds a list of entries: a list box or a drop-down list.
bool IsList(const ControlDesign& design);

struct WindowDesign {
    std::string_view name;
    std::string_view caption;
    int clientWidth;   // twips
    int clientHeight;  // twips
    WindowBorder border;
    WindowPosition position;
    bool keyPreview;       // key events reach Form_KeyUp before the focused control
    bool showInTaskbar;
    std::span<const ControlDesign> controls;
};

// Key-up shift bits.
inline constexpr int kShiftMask = 1;
inline constexpr int kCtrlMask = 2;
inline constexpr int kAltMask = 4;

// What a window class implements; the toolkit routes the window's events
// here. Handlers run on the window thread.
class WindowEvents {
public:
    virtual ~WindowEvents() = default;
    // Runs once, after the controls exist and before the window is first shown.
    virtual void Form_Load() {}
    // Each time the window becomes the program's active window.
    virtual void Form_Activate() {}
    // Any request to close the window; return false to keep it open.
    virtual bool Form_QueryUnload() { return true; }
    // After the window has closed.
    virtual void Form_Unload() {}
    virtual void Form_KeyUp(int /*keyCode*/, int /*shift*/) {}
    virtual void Control_Click(std::string_view control) = 0;
    virtual void Control_MouseMove(std::string_view /*control*/) {}
};

// One window built from a WindowDesign. Controls are addressed by the names
// of the table; an empty name addresses the window itself where that makes
// sense (its caption).
class Window {
public:
    virtual ~Window() = default;

    // Runs Form_Load the first time, then shows the window. ShowModal
    // disables the program's other windows and returns when the window has
    // closed.
    virtual void Show() = 0;
    virtual void ShowModal() = 0;
    // A close request: Form_QueryUnload may refuse it.
    virtual void Unload() = 0;
    virtual bool IsLoaded() const = 0;
    virtual std::uintptr_t NativeHandle() const = 0;

    virtual void SetCaption(std::string_view control, std::string_view text) = 0;
    virtual std::string Caption(std::string_view control) const = 0;
    virtual void SetEnabled(std::string_view control, bool enabled) = 0;
    virtual bool IsEnabled(std::string_view control) const = 0;
    virtual void SetVisible(std::string_view control, bool visible) = 0;
    virtual bool IsVisible(std::string_view control) const = 0;
    virtual void SetChecked(std::string_view control, bool checked) = 0;
    virtual bool IsChecked(std::string_view control) const = 0;
    virtual void SetTextColor(std::string_view control, std::uint32_t bgr) = 0;
    virtual std::uint32_t TextColor(std::string_view control) const = 0;

    // List boxes and drop-down lists. Indexes are 0-based; -1 is "no
    // selection".
    virtual void AddItem(std::string_view list, std::string_view text) = 0;
    // Removing the selected entry leaves none selected; one after it stays
    // selected.
    virtual void RemoveItem(std::string_view list, int index) = 0;
    virtual void Clear(std::string_view list) = 0;
    virtual int ListCount(std::string_view list) const = 0;
    virtual std::string ListText(std::string_view list, int index) const = 0;
    virtual int ListIndex(std::string_view list) const = 0;
    virtual void SetListIndex(std::string_view list, int index) = 0;
};

// The system's service that tells assistive technology the names and
// descriptions of controls.
class AccessibleAnnotations {
public:
    virtual ~AccessibleAnnotations() = default;
    // False when the service is missing or refused; the control then keeps
    // what the system says of it anyway.
    virtual bool SetName(std::uintptr_t control, std::string_view name) = 0;
    virtual bool SetDescription(std::uintptr_t control, std::string_view description) = 0;
    // Announces the control as a link rather than as what its kind of
    // control is (a label reads as plain text).
    virtual bool SetLinkRole(std::uintptr_t control) = 0;
};

// Hands what the control's design says of it for assistive technology to
// the service: a link's role, its name and description; a control whose
// design says nothing is left alone.
void Annotate(AccessibleAnnotations& service, std::uintptr_t control, const ControlDesign& design);
// Whether Annotate hands the service anything for the control, which must
// then be taken back before the control goes.
bool IsAnnotated(const ControlDesign& design);

enum class MessageIcon { None, Information, Exclamation, Critical };
enum class ScreenPointer { Default, Hourglass, Custom };

class Toolkit {
public:
    virtual ~Toolkit() = default;

    // Builds the window and its controls, hidden; the owner is the window it
    // centres over and stays in front of.
    virtual std::unique_ptr<Window> Create(const WindowDesign& design, WindowEvents& events,
                                           const Window* owner) = 0;

    // A message box with an OK button; returns when it is dismissed.
    virtual void MessageBox(std::string_view text, std::string_view title, MessageIcon icon) = 0;
    // The same with OK and Cancel (the system's own captions, in the user's
    // language); true when OK was chosen.
    virtual bool AskOkCancel(std::string_view text, std::string_view title, MessageIcon icon) = 0;

    virtual void SetScreenPointer(ScreenPointer pointer) = 0;

    // One pass of the event loop: handles every pending event, then returns.
    virtual void DoEvents() = 0;

    // Blocks until an event is pending or the seconds have passed,
    // whichever comes first; handles nothing itself.
    virtual void WaitForEvents(double seconds) = 0;

    // Handles events until no window of the program is loaded.
    virtual void Run() = 0;
};

}  // namespace quillon::platform
