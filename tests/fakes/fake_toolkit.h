#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/text.h"
#include "fakes/fake_system.h"
#include "platform/window_toolkit.h"

namespace quillon::fakes {

class FakeToolkit;

// The order of a sorted list box: letter case does not count.
inline bool LessIgnoringCase(std::string_view a, std::string_view b) { return text::ToLower(a) < text::ToLower(b); }

// One control of a fake window, as the program left it.
struct FakeControl {
    const platform::ControlDesign* design = nullptr;
    std::string caption;
    bool enabled = true;
    bool visible = true;
    bool checked = false;
    std::optional<std::uint32_t> textColor;
    std::vector<std::string> items;
    int listIndex = -1;
};

// A window built from the program's own control table, with nothing on a
// screen: the test reads its controls and acts on it as a user would. An
// action the user could not take (a click on a disabled or hidden control,
// a click on a window behind a modal one) is reported as a test failure and
// not carried out.
class FakeWindow : public platform::Window {
public:
    FakeWindow(FakeToolkit& toolkit, const platform::WindowDesign& design,
               platform::WindowEvents& events, const FakeWindow* owner);
    ~FakeWindow() override;
    FakeWindow(const FakeWindow&) = delete;
    FakeWindow& operator=(const FakeWindow&) = delete;

    std::string_view Name() const { return design_.name; }
    const platform::WindowDesign& Design() const { return design_; }
    const FakeWindow* Owner() const { return owner_; }
    bool IsShown() const { return shown_; }
    bool IsModal() const { return modal_; }
    // Null (and a test failure) for a name that is not in the table.
    const FakeControl* Control(std::string_view name) const;

    // What a user does.
    void Click(std::string_view control);
    void Select(std::string_view list, int index);
    void Choose(std::string_view option);
    void PressKeyUp(int keyCode, int shift);
    void Close();

    void Show() override;
    void ShowModal() override;
    void Unload() override;
    bool IsLoaded() const override { return loaded_; }
    std::uintptr_t NativeHandle() const override { return handle_; }

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

private:
    friend class FakeToolkit;

    void Build();
    bool Load();
    FakeControl* Find(std::string_view name);
    const FakeControl* Find(std::string_view name) const;
    FakeControl* FindOfKind(std::string_view name, platform::ControlKind kind);
    const FakeControl* FindOfKind(std::string_view name, platform::ControlKind kind) const;
    // A list box or a drop-down list; a test failure for another control.
    FakeControl* FindList(std::string_view name);
    const FakeControl* FindList(std::string_view name) const;
    // Whether a user can reach the control now; reports why not.
    bool CanTakeInput(std::string_view action, const FakeControl* control) const;
    bool ReallyShown(const FakeControl& control) const;
    bool ReallyEnabled(const FakeControl& control) const;

    FakeToolkit& toolkit_;
    const platform::WindowDesign& design_;
    platform::WindowEvents& events_;
    const FakeWindow* owner_;
    std::uintptr_t handle_;
    std::string caption_;
    std::vector<FakeControl> controls_;
    bool loaded_ = true;
    bool formLoaded_ = false;
    bool shown_ = false;
    bool modal_ = false;
    long showSerial_ = 0;
};

// The screen readers' annotation service of the unit tests: what each
// control was told, by handle, as name and description, and which were
// made links.
struct FakeAnnotations : platform::AccessibleAnnotations {
    std::map<std::uintptr_t, std::pair<std::string, std::string>> said;
    std::set<std::uintptr_t> links;
    bool SetLinkRole(std::uintptr_t control) override {
        links.insert(control);
        return true;
    }
    bool SetName(std::uintptr_t control, std::string_view name) override {
        said[control].first = name;
        return true;
    }
    bool SetDescription(std::uintptr_t control, std::string_view description) override {
        said[control].second = description;
        return true;
    }
};

// The window system of the unit tests: windows that exist only as data,
// message boxes that are recorded (and answered at once), and a clock that
// the waits move forward instead of sleeping.
class FakeToolkit : public platform::Toolkit {
public:
    struct Message {
        std::string text;
        std::string title;
        platform::MessageIcon icon;
        bool withCancel = false;
    };

    // Every window must be destroyed before the toolkit.
    explicit FakeToolkit(FakeSystem& system) : system_(system) {}
    ~FakeToolkit() override = default;
    FakeToolkit(const FakeToolkit&) = delete;
    FakeToolkit& operator=(const FakeToolkit&) = delete;

    // What the user does while a window is shown modally, by window name.
    // A modal window still loaded after its script is closed as by its close
    // box.
    std::map<std::string, std::function<void(FakeWindow&)>, std::less<>> onModal;
    // Called for each message box after it was recorded, as it would be
    // dismissed.
    std::function<void(const Message&)> onMessage;
    // The user's answer to each box with OK and Cancel: true for OK. A box
    // nobody means to answer is a test failure, answered Cancel.
    std::function<bool(const Message&)> onQuestion;

    std::vector<Message> messages;
    std::vector<platform::ScreenPointer> pointers;  // every change, in order
    platform::ScreenPointer pointer = platform::ScreenPointer::Default;
    int doEventsCount = 0;
    int waitCount = 0;
    double waitedSeconds = 0;
    bool runCalled = false;
    // "create", "load", "show", "modal", "activate", "refuse", "unload",
    // each followed by a blank and the window's name.
    std::vector<std::string> history;

    // The newest window of that name that is still loaded.
    FakeWindow* Find(std::string_view name) const;
    FakeWindow* Active() const { return active_; }
    int CreatedCount(std::string_view name) const;
    int ShowCount(std::string_view name) const;

    std::unique_ptr<platform::Window> Create(const platform::WindowDesign& design,
                                             platform::WindowEvents& events,
                                             const platform::Window* owner) override;
    void MessageBox(std::string_view text, std::string_view title,
                    platform::MessageIcon icon) override;
    bool AskOkCancel(std::string_view text, std::string_view title,
                     platform::MessageIcon icon) override;
    void SetScreenPointer(platform::ScreenPointer value) override;
    void DoEvents() override { ++doEventsCount; }
    void WaitForEvents(double seconds) override;
    void Run() override { runCalled = true; }

private:
    friend class FakeWindow;

    void Record(std::string_view event, const FakeWindow& window);
    void Activate(FakeWindow& window);
    void Unloaded(FakeWindow& window);
    void Forget(FakeWindow& window);
    // True when a modal window shown after this one is still open.
    bool BehindModal(const FakeWindow& window) const;

    FakeSystem& system_;
    std::vector<FakeWindow*> windows_;      // alive, oldest first
    std::vector<FakeWindow*> activations_;  // most recently active last
    std::vector<FakeWindow*> modals_;       // innermost last
    FakeWindow* active_ = nullptr;
    long serial_ = 0;
    std::map<std::string, int, std::less<>> created_;
    std::map<std::string, int, std::less<>> shows_;
};

}  // namespace quillon::fakes
