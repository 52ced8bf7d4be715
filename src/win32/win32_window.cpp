#include "win32/win32_window.h"

#include <algorithm>
#include <utility>

#include "win32/sorted_list.h"
#include "win32/wide_text.h"
#include "win32/win32_toolkit.h"
#include "win32/window_styles.h"

// The window's life (load, show, unload) and its controls' state, kept
// while the window is not built and read from the controls once it is.
namespace quillon::platform::win32 {
namespace {

std::string WindowText(HWND hwnd) {
    std::string text(static_cast<std::size_t>(std::max(GetWindowTextLengthA(hwnd), 0)) + 1, '\0');
    text.resize(static_cast<std::size_t>(
        std::max(GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size())), 0)));
    return text;
}

bool ButtonChecked(HWND button) { return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

bool HasText(ControlKind kind) {
    // Icon statics would take their text as the name of an icon.
    return kind == ControlKind::PushButton || kind == ControlKind::OptionButton ||
           kind == ControlKind::Label || kind == ControlKind::Frame;
}

}  // namespace

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
    HWND hwnd = hwnd_.release();
    if (sessionEndRefused_) toolkit_.AllowSessionEnd(hwnd);
    sessionEndRefused_ = false;
    // A window the system destroyed (with its owner, say) is unloaded too.
    Forget();
    Win32Toolkit::EnableAgain(disabledForModal_);
    if (toolkit_.lastActive == this) toolkit_.lastActive = nullptr;
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

Win32Window::Control* Win32Window::FindList(std::string_view name) {
    return const_cast<Control*>(std::as_const(*this).FindList(name));
}

const Win32Window::Control* Win32Window::FindList(std::string_view name) const {
    const Control* control = Find(name);
    return control && IsList(*control->design) ? control : nullptr;
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
    if (IsList(*control->design)) {
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
    Control* control = FindList(list);
    if (!control) return;
    auto& entries = control->entries;
    const bool sorted = (control->design->style & kSorted) != 0;
    const std::size_t at = sorted ? SortedListPosition(entries, text) : entries.size();
    entries.insert(entries.begin() + static_cast<std::ptrdiff_t>(at), std::string(text));
    // The selected entry stays selected when one is put in front of it.
    if (control->listIndex >= static_cast<int>(at)) ++control->listIndex;
    if (control->hwnd) {
        SendMessageA(control->hwnd, ListMessagesFor(control->design->kind).add, 0,
                     reinterpret_cast<LPARAM>(entries[at].c_str()));
    }
}

void Win32Window::RemoveItem(std::string_view list, int index) {
    Control* control = FindList(list);
    if (!control) return;
    // The control's own entries and selection, which the user may have
    // changed, are what the state goes on from.
    if (control->hwnd) {
        control->listIndex = ListIndex(list);
        const auto& messages = ListMessagesFor(control->design->kind);
        if (index < 0 || SendMessageA(control->hwnd, messages.remove, static_cast<WPARAM>(index), 0) < 0) {
            return;
        }
    }
    auto& entries = control->entries;
    if (index < 0 || index >= static_cast<int>(entries.size())) return;
    entries.erase(entries.begin() + index);
    if (control->listIndex == index) {
        control->listIndex = -1;
    } else if (control->listIndex > index) {
        --control->listIndex;
    }
    if (control->hwnd) {
        SendMessageA(control->hwnd, ListMessagesFor(control->design->kind).select,
                     static_cast<WPARAM>(control->listIndex), 0);
    }
}

void Win32Window::Clear(std::string_view list) {
    Control* control = FindList(list);
    if (!control) return;
    control->entries.clear();
    control->listIndex = -1;
    if (control->hwnd) SendMessageA(control->hwnd, ListMessagesFor(control->design->kind).reset, 0, 0);
}

int Win32Window::ListCount(std::string_view list) const {
    const Control* control = FindList(list);
    if (!control) return 0;
    if (!control->hwnd) return static_cast<int>(control->entries.size());
    const auto count = SendMessageA(control->hwnd, ListMessagesFor(control->design->kind).count, 0, 0);
    return std::max(static_cast<int>(count), 0);
}

std::string Win32Window::ListText(std::string_view list, int index) const {
    const Control* control = FindList(list);
    if (!control || index < 0) return {};
    if (!control->hwnd) {
        const auto at = static_cast<std::size_t>(index);
        return at < control->entries.size() ? control->entries[at] : std::string{};
    }
    // Read in UTF-16: Wine passes an ANSI LB_GETTEXT through a buffer of
    // 512 characters on its stack, which an entry of a longer printer name
    // overruns and crashes the program.
    const auto& messages = ListMessagesFor(control->design->kind);
    const auto length = SendMessageW(control->hwnd, messages.textLength, static_cast<WPARAM>(index), 0);
    if (length < 0) return {};  // LB_ERR, CB_ERR
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const auto copied = SendMessageW(control->hwnd, messages.text, static_cast<WPARAM>(index),
                                     reinterpret_cast<LPARAM>(text.data()));
    if (copied < 0) return {};
    text.resize(static_cast<std::size_t>(copied));
    return Narrow(text);
}

int Win32Window::ListIndex(std::string_view list) const {
    const Control* control = FindList(list);
    if (!control) return -1;
    if (!control->hwnd) return control->listIndex;
    const auto index = SendMessageA(control->hwnd, ListMessagesFor(control->design->kind).selected, 0, 0);
    return index < 0 ? -1 : static_cast<int>(index);
}

void Win32Window::SetListIndex(std::string_view list, int index) {
    Control* control = FindList(list);
    if (!control) return;
    // As the list does: an index past the entries changes nothing.
    if (index >= -1 && index < static_cast<int>(control->entries.size())) {
        control->listIndex = index;
    }
    if (control->hwnd) {
        SendMessageA(control->hwnd, ListMessagesFor(control->design->kind).select,
                     static_cast<WPARAM>(index), 0);
    }
}

}  // namespace quillon::platform::win32
