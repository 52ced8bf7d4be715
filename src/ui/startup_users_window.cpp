#include "ui/startup_users_window.h"

#include <array>
#include <vector>

#include "base/texts.h"

namespace quillon::ui {
namespace {

using platform::ControlKind;
using platform::ControlDesign;

std::vector<ControlDesign> Controls(const texts::Texts& texts) {
    return {
    // The caption is wider in the dialog font than it was drawn for and would
    // lose "for:" to a second line; the label, and with it the options, the
    // window and the centred buttons, take what it needs on one line.
    ControlDesign{ControlKind::Label, frmStartupUsers::blbSelect, texts.AddToStartupFor, 240, 240,
                1590, 255, 0},
    ControlDesign{ControlKind::OptionButton, frmStartupUsers::optCurrentUserOnly,
                texts.CurrentUserOnly, 1845, 240, 1935, 255, 1},
    ControlDesign{ControlKind::OptionButton, frmStartupUsers::optAllUsers, texts.AllUsers, 1845, 600,
                1695, 255, 2},
    ControlDesign{ControlKind::PushButton, frmStartupUsers::cmdOK, texts.OK, 1118, 1200, 855, 375, 3},
    ControlDesign{ControlKind::PushButton, frmStartupUsers::cmdCancel, texts.Cancel, 2078, 1200, 855,
                375, 4},
    };
}

platform::WindowDesign WindowOf(const texts::Texts& texts) {
    return {
    .name = "frmStartupUsers",
    .caption = texts.StartupUsersCaption,
    .clientWidth = 4050,
    .clientHeight = 1815,
    .border = platform::WindowBorder::FixedDialog,
    .position = platform::WindowPosition::CenterOwner,
    .keyPreview = false,
    .showInTaskbar = false,
    .controls = {},  // the Form keeps them
    };
}

}  // namespace

frmStartupUsers::frmStartupUsers(RunState& state) : Form(state, WindowOf(state.Texts), Controls(state.Texts)) {}


StartupUsersChoice frmStartupUsers::Ask(const Form* owner) {
    choice_ = StartupUsersChoice::Cancelled;
    ShowModal(owner);
    return choice_;
}

void frmStartupUsers::Form_Load() {
    window().SetEnabled(optAllUsers, state_.Options.StartupAllSetting != kNo);
}

void frmStartupUsers::Control_Click(std::string_view control) {
    if (control == cmdOK) cmdOK_Click();
    if (control == cmdCancel) cmdCancel_Click();
}

void frmStartupUsers::cmdOK_Click() {
    const auto& dialog = window();
    const bool allUsers = dialog.IsEnabled(optAllUsers) && dialog.IsChecked(optAllUsers);
    choice_ = allUsers ? StartupUsersChoice::AllUsers : StartupUsersChoice::CurrentUser;
    Unload();
}

void frmStartupUsers::cmdCancel_Click() {
    choice_ = StartupUsersChoice::Cancelled;
    Unload();
}

}  // namespace quillon::ui
