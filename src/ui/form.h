#pragma once

#include <memory>
#include <vector>

#include "base/run_state.h"
#include "platform/window_toolkit.h"

namespace quillon::ui {

// What every window class of the program shares: its control table, the
// window built from it while it is loaded, and showing and closing. A
// window that was closed is built anew, with a fresh Form_Load, the next
// time it is shown.
class Form : public platform::WindowEvents {
public:
    // The design's captions are the run's texts, so each window keeps its
    // own copy of its control table.
    Form(RunState& state, const platform::WindowDesign& design,
         std::vector<platform::ControlDesign> controls);
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const platform::WindowDesign& Design() const { return design_; }

    void Show(const Form* owner = nullptr);
    void ShowModal(const Form* owner = nullptr);
    void Unload();
    bool IsLoaded() const { return window_ && window_->IsLoaded(); }

    platform::Window& window() { return *window_; }
    const platform::Window* NativeWindow() const { return window_.get(); }

protected:
    RunState& state_;

private:
    platform::Window& Load(const Form* owner);

    std::vector<platform::ControlDesign> controls_;
    platform::WindowDesign design_;
    std::unique_ptr<platform::Window> window_;
};

}  // namespace quillon::ui
