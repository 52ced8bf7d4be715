#include "ui/success_window.h"

#include <array>
#include <vector>

#include "base/texts.h"
#include "ui/wait.h"

namespace quillon::ui {
namespace {

using platform::ControlKind;
using platform::ControlDesign;

std::vector<ControlDesign> Controls(const texts::Texts& texts) {
    return {
    ControlDesign{ControlKind::Image, frmSuccess::Image1, "", 240, 240, 480, 480, -1},
    ControlDesign{ControlKind::Label, frmSuccess::lblSuccess, "", 960, 240, 2655, 1095, 1},
    ControlDesign{ControlKind::PushButton, frmSuccess::cmdOK, texts.OK, 1335, 1440, 1215, 375, 0},
    };
}

platform::WindowDesign WindowOf(const texts::Texts& texts) {
    return {
    .name = "frmSuccess",
    .caption = texts.Success,
    .clientWidth = 3885,
    .clientHeight = 2010,
    .border = platform::WindowBorder::Sizable,
    .position = platform::WindowPosition::CenterOwner,
    .keyPreview = false,
    .showInTaskbar = true,
    .controls = {},  // the Form keeps them
    };
}

constexpr float kAutoCloseSeconds = 3.0F;

}  // namespace

frmSuccess::frmSuccess(RunState& state) : Form(state, WindowOf(state.Texts), Controls(state.Texts)) {}


void frmSuccess::Confirm(const Form* owner, bool closeByItself) {
    closeByItself_ = closeByItself;
    ShowModal(owner);
}

void frmSuccess::Form_Load() {
    window().SetCaption(lblSuccess, texts::Fill(state_.Texts.DefaultSet, FixVBAmpersandInText(state_.SelectedPrinterText)));
}

void frmSuccess::Form_Activate() {
    if (!closeByItself_) return;
    Wait(state_, kAutoCloseSeconds);
    Unload();
}

void frmSuccess::Control_Click(std::string_view control) {
    if (control == cmdOK) cmdOK_Click();
}

void frmSuccess::cmdOK_Click() { Unload(); }

std::string FixVBAmpersandInText(std::string_view strText) {
    std::string result;
    result.reserve(strText.size());
    for (const char c : strText) {
        result += c;
        if (c == '&') result += '&';
    }
    return result;
}

}  // namespace quillon::ui
