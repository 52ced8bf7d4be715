#include "ui/setup_window.h"

#include <array>
#include <cstdint>
#include <vector>

#include "base/texts.h"
#include "settings/settings_store.h"
#include "ui/main_window.h"

namespace quillon::ui {
namespace {

using platform::ControlKind;
using platform::ControlDesign;

constexpr auto kNoStyle = platform::kStyleNone;

std::vector<ControlDesign> Controls(const texts::Texts& texts) {
    // Each question is the label above its options and, for a screen
    // reader, the description of each option: the options' captions alone
    // say only "Yes" or "No".
    const std::string_view kDesktopQuestion = texts.AskDesktop;
    const std::string_view kStartupQuestion = texts.AskStartup;
    const std::string_view kStartupAllQuestion = texts.AskStartupAll;
    return {
    ControlDesign{ControlKind::Frame, frmSetup::fraDesktop, "", 120, 240, 4215, 1095, 0},
    ControlDesign{ControlKind::OptionButton, frmSetup::optDesktopYes, texts.Yes, 2520, 360, 615, 255, 1,
                frmSetup::fraDesktop, kNoStyle, {}, kDesktopQuestion},
    ControlDesign{ControlKind::OptionButton, frmSetup::optDesktopNo, texts.No, 3240, 360, 615, 255, 2,
                frmSetup::fraDesktop, kNoStyle, {}, kDesktopQuestion},
    ControlDesign{ControlKind::Label, frmSetup::lblDesktop, kDesktopQuestion, 120, 120, 3975, 495, 3,
                frmSetup::fraDesktop},
    ControlDesign{ControlKind::Frame, frmSetup::fraStartup, "", 120, 1200, 4095, 495, 4},
    ControlDesign{ControlKind::Label, frmSetup::lblStartup, kStartupQuestion, 120, 0, 4095, 615, 5,
                frmSetup::fraStartup},
    ControlDesign{ControlKind::OptionButton, frmSetup::optStartupYes, texts.Yes, 2520, 240, 615, 255, 6,
                frmSetup::fraStartup, kNoStyle, {}, kStartupQuestion},
    ControlDesign{ControlKind::OptionButton, frmSetup::optStartupNo, texts.No, 3240, 240, 615, 255, 7,
                frmSetup::fraStartup, kNoStyle, {}, kStartupQuestion},
    ControlDesign{ControlKind::PushButton, frmSetup::cmdOK, texts.OK, 1193, 3000, 855, 375, 8},
    ControlDesign{ControlKind::PushButton, frmSetup::cmdCancel, texts.Cancel, 2393, 3000, 855, 375, 9},
    ControlDesign{ControlKind::Frame, frmSetup::fraStartupAll, "", 120, 1680, 4095, 975, 10},
    // As wide as the first question's: narrower, the second line of the
    // dialog font's wrap runs under the "Yes" beside it.
    ControlDesign{ControlKind::Label, frmSetup::lblStartupAll, kStartupAllQuestion, 120, 240, 3975,
                615, 11, frmSetup::fraStartupAll},
    ControlDesign{ControlKind::OptionButton, frmSetup::optStartupAllYes, texts.Yes, 2520, 480, 615, 255, 12,
                frmSetup::fraStartupAll, kNoStyle, {}, kStartupAllQuestion},
    ControlDesign{ControlKind::OptionButton, frmSetup::optStartupAllNo, texts.No, 3240, 480, 615, 195, 13,
                frmSetup::fraStartupAll, kNoStyle, {}, kStartupAllQuestion},
    };
}

platform::WindowDesign WindowOf(const texts::Texts& texts) {
    return {
    .name = "frmSetup",
    .caption = texts.SetupCaption,
    .clientWidth = 4440,
    .clientHeight = 3705,
    .border = platform::WindowBorder::FixedSingle,
    .position = platform::WindowPosition::CenterScreen,
    .keyPreview = false,
    .showInTaskbar = true,
    .controls = {},  // the Form keeps them
    };
}

// Each question's answer and the option it stands for.
struct Question {
    std::string_view yes;
    std::string_view no;
    std::int32_t Options::*option;
};

constexpr std::array kQuestions{
    Question{frmSetup::optDesktopYes, frmSetup::optDesktopNo, &Options::DesktopSetting},
    Question{frmSetup::optStartupYes, frmSetup::optStartupNo, &Options::StartupSetting},
    Question{frmSetup::optStartupAllYes, frmSetup::optStartupAllNo, &Options::StartupAllSetting},
};

}  // namespace

frmSetup::frmSetup(RunState& state, Forms& forms)
    : Form(state, WindowOf(state.Texts), Controls(state.Texts)), forms_(forms) {}


void frmSetup::Form_Load() {
    for (const auto& question : kQuestions) {
        const bool no = state_.Options.*question.option == kNo;
        window().SetChecked(no ? question.no : question.yes, true);
    }
}

void frmSetup::Control_Click(std::string_view control) {
    if (control == cmdOK) cmdOK_Click();
    if (control == cmdCancel) cmdCancel_Click();
}

void frmSetup::cmdOK_Click() {
    for (const auto& question : kQuestions) {
        state_.Options.*question.option = window().IsChecked(question.yes) ? kYes : kNo;
    }
    settings::SaveUserSettings(state_.os.registry, state_.Options);
    forms_.Quillon().Show();
    Unload();
}

void frmSetup::cmdCancel_Click() { Unload(); }

}  // namespace quillon::ui
