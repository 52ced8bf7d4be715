#include "ui/startup_users_window.h"

#include <array>

namespace quillon::ui {
namespace {

using platform::ControlKind;
using platform::ControlDesign;

constexpr std::array kControls{
    // The caption is wider in the dialog font than it was drawn for and would
    // lose "for:" to a second line; the label, and with it the options, the
    // window and the centred buttons, take what it needs on one line.
    ControlDesign{ControlKind::Label, frmStartupUsers::blbSelect, "Add to startup for:", 240, 240,
                1590, 255, 0},
    ControlDesign{ControlKind::OptionButton, frmStartupUsers::optCurrentUserOnly,
                "C&urrent User Only", 1845, 240, 1935, 255, 1},
    ControlDesign{ControlKind::OptionButton, frmStartupUsers::optAllUsers, "&All Users", 1845, 600,
                1695, 255, 2},
    ControlDesign{ControlKind::PushButton, frmStartupUsers::cmdOK, "&OK", 1118, 1200, 855, 375, 3},
    ControlDesign{ControlKind::PushButton, frmStartupUsers::cmdCancel, "&Cancel", 2078, 1200, 855,
                375, 4},
};

const platform::WindowDesign kSpec{
    .name = "frmStartupUsers",
    .caption = "Add To Startup",
    .clientWidth = 4050,
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
