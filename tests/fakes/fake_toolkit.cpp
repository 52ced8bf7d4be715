#include "fakes/fake_toolkit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

namespace quillon::fakes {
namespace {

using platform::ControlKind;

template <typename T>
void Erase(std::vector<T*>& list, const T* item) {
    list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

}  // namespace

FakeWindow::FakeWindow(FakeToolkit& toolkit, const platform::WindowDesign& design,
                       platform::WindowEvents& events, const FakeWindow* owner)
    : toolkit_(toolkit),
      design_(design),
      events_(events),
      owner_(owner),
      handle_(static_cast<std::uintptr_t>(++toolkit.serial_) * 16) {
    Build();
}

FakeWindow::~FakeWindow() { toolkit_.Forget(*this); }

void FakeWindow::Build() {
    caption_ = std::string(design_.caption);
    controls_.clear();
    for (const auto& design : design_.controls) {
        FakeControl control;
        control.design = &design;
        control.caption = std::string(design.caption);
        controls_.push_back(std::move(control));
    }
    loaded_ = true;
    formLoaded_ = false;
}

FakeControl* FakeWindow::Find(std::string_view name) {
    return const_cast<FakeControl*>(std::as_const(*this).Find(name));
}

const FakeControl* FakeWindow::Find(std::string_view name) const {
    for (const auto& control : controls_) {
        if (control.design->name == name) return &control;
    }
    ADD_FAILURE() << design_.name << " has no control " << name;
    return nullptr;
}

FakeControl* FakeWindow::FindOfKind(std::string_view name, ControlKind kind) {
    return const_cast<FakeControl*>(std::as_const(*this).FindOfKind(name, kind));
}

const FakeControl* FakeWindow::FindOfKind(std::string_view name, ControlKind kind) const {
    const auto* control = Find(name);
    if (control && control->design->kind != kind) {
        ADD_FAILURE() << design_.name << "." << name << " is not of the kind this needs";
        return nullptr;
    }
    return control;
}

FakeControl* FakeWindow::FindList(std::string_view name) {
    return const_cast<FakeControl*>(std::as_const(*this).FindList(name));
}

const FakeControl* FakeWindow::FindList(std::string_view name) const {
    const auto* control = Find(name);
    if (control && !platform::IsList(*control->design)) {
        ADD_FAILURE() << design_.name << "." << name << " holds no list";
        return nullptr;
    }
    return control;
}

const FakeControl* FakeWindow::Control(std::string_view name) const { return Find(name); }

bool FakeWindow::ReallyShown(const FakeControl& control) const {
    if (!control.visible) return false;
    if (control.design->container.empty()) return true;
    const auto* frame = Find(control.design->container);
    return frame && ReallyShown(*frame);
}

bool FakeWindow::ReallyEnabled(const FakeControl& control) const {
    if (!control.enabled) return false;
    if (control.design->container.empty()) return true;
    const auto* frame = Find(control.design->container);
    return frame && ReallyEnabled(*frame);
}

bool FakeWindow::CanTakeInput(std::string_view action, const FakeControl* control) const {
    std::string why;
    if (!loaded_) {
        why = "the window is not loaded";
    } else if (!shown_) {
        why = "the window is not shown";
    } else if (toolkit_.BehindModal(*this)) {
        why = "a modal window is open";
    } else if (control && !ReallyShown(*control)) {
        why = "the control is hidden";
    } else if (control && !ReallyEnabled(*control)) {
        why = "the control is disabled";
    }
    if (why.empty()) return true;
    ADD_FAILURE() << action << " on " << design_.name
                  << (control ? "." + std::string(control->design->name) : std::string{})
                  << ": " << why;
    return false;
}

void FakeWindow::Click(std::string_view name) {
    auto* control = Find(name);
    if (!control || !CanTakeInput("click", control)) return;
    if (control->design->kind == ControlKind::OptionButton) SetChecked(name, true);
    events_.Control_Click(name);
}

void FakeWindow::Select(std::string_view list, int index) {
    auto* control = FindList(list);
    if (!control || !CanTakeInput("select", control)) return;
    if (index < 0 || index >= static_cast<int>(control->items.size())) {
        ADD_FAILURE() << design_.name << "." << list << " has no entry " << index;
        return;
    }
    control->listIndex = index;
    events_.Control_Click(list);
}

void FakeWindow::Choose(std::string_view option) {
    if (FindOfKind(option, ControlKind::OptionButton)) Click(option);
}

void FakeWindow::PressKeyUp(int keyCode, int shift) {
    if (!design_.keyPreview) {
        ADD_FAILURE() << design_.name << " does not preview keys";
        return;
    }
    if (CanTakeInput("key", nullptr)) events_.Form_KeyUp(keyCode, shift);
}

void FakeWindow::Close() {
    if (CanTakeInput("close", nullptr)) Unload();
}

bool FakeWindow::Load() {
    if (!loaded_) Build();
    if (!formLoaded_) {
        formLoaded_ = true;
        toolkit_.Record("load", *this);
        events_.Form_Load();
    }
    return loaded_;
}

void FakeWindow::Show() {
    if (!Load()) return;
    shown_ = true;
    showSerial_ = ++toolkit_.serial_;
    ++toolkit_.shows_[std::string(design_.name)];
    toolkit_.Record("show", *this);
    toolkit_.Activate(*this);
}

void FakeWindow::ShowModal() {
    if (modal_) {
        ADD_FAILURE() << design_.name << " is already shown modally";
        return;
    }
    if (!Load()) return;
    // The program may end inside the window's handlers; the toolkit must
    // not go on thinking that the window is modal.
    struct ModalScope {
        FakeWindow& window;
        explicit ModalScope(FakeWindow& w) : window(w) {
            window.modal_ = true;
            window.toolkit_.modals_.push_back(&window);
        }
        ~ModalScope() {
            window.modal_ = false;
            Erase(window.toolkit_.modals_, &window);
        }
    } scope(*this);

    shown_ = true;
    showSerial_ = ++toolkit_.serial_;
    ++toolkit_.shows_[std::string(design_.name)];
    toolkit_.Record("modal", *this);
    toolkit_.Activate(*this);
    if (!loaded_) return;

    if (const auto script = toolkit_.onModal.find(design_.name); script != toolkit_.onModal.end()) {
        script->second(*this);
    }
    if (loaded_) Unload();
    if (loaded_) ADD_FAILURE() << design_.name << " refused to close; a modal show would never end";
}

void FakeWindow::Unload() {
    if (!loaded_) return;
    if (!events_.Form_QueryUnload()) {
        toolkit_.Record("refuse", *this);
        return;
    }
    loaded_ = false;
    shown_ = false;
    toolkit_.Record("unload", *this);
    events_.Form_Unload();
    toolkit_.Unloaded(*this);
}

void FakeWindow::SetCaption(std::string_view name, std::string_view text) {
    if (name.empty()) {
        caption_ = std::string(text);
    } else if (auto* control = Find(name)) {
        control->caption = std::string(text);
    }
}

std::string FakeWindow::Caption(std::string_view name) const {
    if (name.empty()) return caption_;
    const auto* control = Find(name);
    if (!control) return {};
    if (platform::IsList(*control->design)) {
        return control->listIndex < 0 ? std::string{} : control->items[control->listIndex];
    }
    return control->caption;
}

void FakeWindow::SetEnabled(std::string_view name, bool enabled) {
    if (auto* control = Find(name)) control->enabled = enabled;
}

bool FakeWindow::IsEnabled(std::string_view name) const {
    const auto* control = Find(name);
    return control && control->enabled;
}

void FakeWindow::SetVisible(std::string_view name, bool visible) {
    if (auto* control = Find(name)) control->visible = visible;
}

bool FakeWindow::IsVisible(std::string_view name) const {
    const auto* control = Find(name);
    return control && control->visible;
}

void FakeWindow::SetChecked(std::string_view name, bool checked) {
    auto* control = FindOfKind(name, ControlKind::OptionButton);
    if (!control) return;
    if (checked) {
        // Option buttons are exclusive within their frame (or the window).
        for (auto& other : controls_) {
            if (other.design->kind == ControlKind::OptionButton &&
                other.design->container == control->design->container) {
                other.checked = false;
            }
        }
    }
    control->checked = checked;
}

bool FakeWindow::IsChecked(std::string_view name) const {
    const auto* control = FindOfKind(name, ControlKind::OptionButton);
    return control && control->checked;
}

void FakeWindow::SetTextColor(std::string_view name, std::uint32_t bgr) {
    if (auto* control = Find(name)) control->textColor = bgr;
}

std::uint32_t FakeWindow::TextColor(std::string_view name) const {
    const auto* control = Find(name);
    return control ? control->textColor.value_or(0) : 0;
}

void FakeWindow::AddItem(std::string_view list, std::string_view text) {
    auto* control = FindList(list);
    if (!control) return;
    auto& items = control->items;
    auto at = items.end();
    if (control->design->style & platform::kSorted) {
        at = std::upper_bound(items.begin(), items.end(), text, LessIgnoringCase);
    }
    const int index = static_cast<int>(at - items.begin());
    items.insert(at, std::string(text));
    // The selected entry stays selected when one is put in front of it.
    if (control->listIndex >= index) ++control->listIndex;
}

void FakeWindow::RemoveItem(std::string_view list, int index) {
    auto* control = FindList(list);
    if (!control) return;
    auto& items = control->items;
    if (index < 0 || index >= static_cast<int>(items.size())) {
        ADD_FAILURE() << design_.name << "." << list << " has no entry " << index;
        return;
    }
    items.erase(items.begin() + index);
    if (control->listIndex == index) {
        control->listIndex = -1;
    } else if (control->listIndex > index) {
        --control->listIndex;
    }
}

void FakeWindow::Clear(std::string_view list) {
    if (auto* control = FindList(list)) {
        control->items.clear();
        control->listIndex = -1;
    }
}

int FakeWindow::ListCount(std::string_view list) const {
    const auto* control = FindList(list);
    return control ? static_cast<int>(control->items.size()) : 0;
}

std::string FakeWindow::ListText(std::string_view list, int index) const {
    const auto* control = FindList(list);
    if (!control || index < 0 || index >= static_cast<int>(control->items.size())) return {};
    return control->items[index];
}

int FakeWindow::ListIndex(std::string_view list) const {
    const auto* control = FindList(list);
    return control ? control->listIndex : -1;
}

void FakeWindow::SetListIndex(std::string_view list, int index) {
    auto* control = FindList(list);
    if (!control) return;
    if (index < -1 || index >= static_cast<int>(control->items.size())) {
        ADD_FAILURE() << design_.name << "." << list << " has no entry " << index;
        return;
    }
    control->listIndex = index;
}

FakeWindow* FakeToolkit::Find(std::string_view name) const {
    for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
        if ((*it)->Name() == name && (*it)->IsLoaded()) return *it;
    }
    return nullptr;
}

int FakeToolkit::CreatedCount(std::string_view name) const {
    const auto it = created_.find(name);
    return it == created_.end() ? 0 : it->second;
}

int FakeToolkit::ShowCount(std::string_view name) const {
    const auto it = shows_.find(name);
    return it == shows_.end() ? 0 : it->second;
}

std::unique_ptr<platform::Window> FakeToolkit::Create(const platform::WindowDesign& design,
                                                      platform::WindowEvents& events,
                                                      const platform::Window* owner) {
    const auto* fakeOwner = dynamic_cast<const FakeWindow*>(owner);
    if (owner && !fakeOwner) ADD_FAILURE() << "the owner of " << design.name << " is no fake window";
    auto window = std::make_unique<FakeWindow>(*this, design, events, fakeOwner);
    windows_.push_back(window.get());
    ++created_[std::string(design.name)];
    Record("create", *window);
    return window;
}

void FakeToolkit::MessageBox(std::string_view text, std::string_view title,
                             platform::MessageIcon icon) {
    messages.push_back({std::string(text), std::string(title), icon});
    if (onMessage) onMessage(messages.back());
}

bool FakeToolkit::AskOkCancel(std::string_view text, std::string_view title,
                              platform::MessageIcon icon) {
    messages.push_back({std::string(text), std::string(title), icon, true});
    if (!onQuestion) {
        ADD_FAILURE() << "an unexpected question: " << text;
        return false;
    }
    return onQuestion(messages.back());
}

void FakeToolkit::SetScreenPointer(platform::ScreenPointer value) {
    pointer = value;
    pointers.push_back(value);
}

void FakeToolkit::WaitForEvents(double seconds) {
    ++waitCount;
    if (seconds > 0) {
        waitedSeconds += seconds;
        system_.Advance(seconds);
    }
}

void FakeToolkit::Record(std::string_view event, const FakeWindow& window) {
    history.push_back(std::string(event) + " " + std::string(window.Name()));
}

void FakeToolkit::Activate(FakeWindow& window) {
    Erase(activations_, &window);
    activations_.push_back(&window);
    if (active_ == &window) return;
    active_ = &window;
    Record("activate", window);
    window.events_.Form_Activate();
}

void FakeToolkit::Unloaded(FakeWindow& window) {
    Erase(activations_, &window);
    if (active_ != &window) return;
    active_ = nullptr;
    // As the window system does, the window that was active before takes
    // over: for a modal window, the one it was shown from.
    for (auto it = activations_.rbegin(); it != activations_.rend(); ++it) {
        if ((*it)->IsLoaded() && (*it)->IsShown() && !BehindModal(**it)) {
            Activate(**it);
            return;
        }
    }
}

void FakeToolkit::Forget(FakeWindow& window) {
    Erase(windows_, &window);
    Erase(activations_, &window);
    Erase(modals_, &window);
    if (active_ == &window) active_ = nullptr;
    for (auto* other : windows_) {
        if (other->owner_ == &window) other->owner_ = nullptr;
    }
}

bool FakeToolkit::BehindModal(const FakeWindow& window) const {
    return std::any_of(modals_.begin(), modals_.end(), [&](const FakeWindow* modal) {
        return modal != &window && modal->loaded_ && modal->showSerial_ > window.showSerial_;
    });
}

}  // namespace quillon::fakes
