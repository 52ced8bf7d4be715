#include "ui/form.h"

#include <utility>

namespace quillon::ui {

Form::Form(RunState& state, const platform::WindowDesign& design,
           std::vector<platform::ControlDesign> controls)
    : state_(state), controls_(std::move(controls)), design_(design) {
    design_.controls = controls_;
}

platform::Window& Form::Load(const Form* owner) {
    if (!IsLoaded()) {
        window_ = state_.os.toolkit.Create(design_, *this, owner ? owner->NativeWindow() : nullptr);
    }
    return *window_;
}

void Form::Show(const Form* owner) { Load(owner).Show(); }

void Form::ShowModal(const Form* owner) { Load(owner).ShowModal(); }

void Form::Unload() {
    if (IsLoaded()) window_->Unload();
}

}  // namespace quillon::ui
