#include "ui/startup_users_window.h"

#include <array>

namespace quillon::ui {
namespace {

using platform::ControlKind;
using platform::ControlDesign;

constexpr std::array kControls{
    // Wider than drawn, up to the options: in the dialog font the caption
    // would not fit its first line and lose "for:" to a second one.
    ControlDesign{ControlKind::Label, frmStartupUsers::blbSelect, "Add to startup for:", 240, 240, 1425, 255, 0},
    ControlDesign{ControlKind::OptionButton, frmStartupUsers::optCurrentUserOnly, "C&urrent User Only", 1680, 240,
                1935, 255, 1},
    ControlDesign{ControlKind::OptionButton, frmStartupUsers::optAllUsers, "&All Users", 1680, 600, 1695, 255, 2},
    ControlDesign{ControlKind::PushButton, frmStartupUsers::cmdOK, "&OK", 1035, 1200, 855, 375, 3},
    ControlDesign{ControlKind::PushButton, frmStartupUsers::cmdCancel, "&Cancel", 1995, 1200, 855, 375, 4},
};

const platform::WindowDesign kSpec{
    .name = "frmStartupUsers",
    .caption = "Add To Startup",
    .clientWidth = 3885,
    .clientHeight = 1815,
    .border = platform::WindowBorder::FixedDialog,
    .position = platform::WindowPosition::CenterOwner,
    .keyPreview = false,
    .showInTaskbar = false,
    .controls = kControls,
};

constexpr std::int32_t kNo = 2;

}  // namespace

frmStartupUsers::frmStartupUsers(RunState& state) : Form(state, kSpec) {}

const platform::WindowDesign& frmStartupUsers::Design() { return kSpec; }

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
    state_.StartupUsersChoice = allUsers ? "A" : "C";
    Unload();
}

void frmStartupUsers::cmdCancel_Click() {
    state_.StartupUsersChoice.clear();
    Unload();
}

}  // namespace quillon::ui
