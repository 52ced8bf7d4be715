#include "ui/about_window.h"

#include <array>
#include <cstdint>
#include <vector>

#include "base/texts.h"
#include "ui/about_box.h"
#include "version.h"

namespace quillon::ui {
namespace {

using platform::ControlKind;
using platform::ControlDesign;

constexpr std::uint32_t kLinkStyle = platform::kUnderline | platform::kHandPointer;

std::vector<ControlDesign> Controls(const texts::Texts& texts) {
    return {
    ControlDesign{ControlKind::PictureBox, frmAbout::picIcon, "", 240, 240, 720, 720, 1},
    ControlDesign{ControlKind::Label, frmAbout::lblTitle, "", 1050, 240, 4365, 480, 4, {}, platform::kBold},
    ControlDesign{ControlKind::Label, frmAbout::lblVersion, "", 1050, 780, 4365, 225, 5},
    ControlDesign{ControlKind::Label, frmAbout::lblDescription, "", 1050, 1125, 4365, 690, 3},
    // One etched line draws the grey stroke and the white one under it.
    ControlDesign{ControlKind::Line, frmAbout::Line1, "", 90, 1965, 5654, 1965, -1, {},
                platform::kEtchedLine},
    // The captions and the e-mail address get more room than they were
    // drawn with: the dialog font is wider than the one they were measured
    // for, and would cut their last letters off.
    ControlDesign{ControlKind::Label, frmAbout::lblTechSupport, texts.TechSupport, 240, 2040, 1305, 255, 6},
    ControlDesign{ControlKind::Label, frmAbout::lblWeb, texts.Web, 480, 2400, 690, 255, 7},
    ControlDesign{ControlKind::Label, frmAbout::lblWebLink, QUILLON_WEB_PAGE, 1200, 2400, 2535, 255, 9, {},
                kLinkStyle},
    ControlDesign{ControlKind::Label, frmAbout::lblEmail, texts.EMail, 480, 2760, 690, 255, 8},
    ControlDesign{ControlKind::Label, frmAbout::lblEmailLink, QUILLON_SUPPORT_EMAIL, 1200, 2760, 2010, 255,
                10, {}, kLinkStyle},
    ControlDesign{ControlKind::PushButton, frmAbout::cmdOK, texts.AboutOK, 4245, 2265, 1260, 345, 0, {},
                platform::kDefaultButton | platform::kCancelButton},
    // Two pixels wider than drawn, to the left so that its right edge stays
    // under OK's: at 96 DPI the caption would touch the focus rectangle.
    ControlDesign{ControlKind::PushButton, frmAbout::cmdSysInfo, texts.SystemInfo, 4230, 2715, 1275, 345,
                2},
    };
}

platform::WindowDesign WindowOf(const texts::Texts& texts) {
    return {
    .name = "frmAbout",
    .caption = texts.AboutCaption,
    .clientWidth = 5730,
    .clientHeight = 3300,
    .border = platform::WindowBorder::FixedDialog,
    .position = platform::WindowPosition::CenterOwner,
    .keyPreview = false,
    .showInTaskbar = false,
    .controls = {},  // the Form keeps them
    };
}

constexpr std::uint32_t kBlack = 0x000000;

// The size of the buffer the value is read into; a longer value does not
// fit and counts as unreadable.
constexpr std::size_t kValueBufferSize = 1024;

constexpr std::string_view kSysInfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr std::string_view kSysInfoLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";

// A REG_DWORD's bytes, least significant first.
std::string DwordText(std::string_view data) {
    std::uint32_t value = 0;
    for (std::size_t i = data.size() < 4 ? data.size() : 4; i > 0; --i) {
        value = (value << 8) | static_cast<unsigned char>(data[i - 1]);
    }
    return std::to_string(value);
}

}  // namespace

frmAbout::frmAbout(RunState& state) : Form(state, WindowOf(state.Texts), Controls(state.Texts)) {}


void frmAbout::Form_Load() {
    auto& about = window();
    FillAboutBox(about, state_.Texts);
    about.SetTextColor(lblTitle, kBlack);
    about.SetTextColor(lblDescription, kBlack);
    if (!webLink_) webLink_ = std::make_unique<HyperText>(state_);
    webLink_->CreateHyper(about, lblWebLink);
    if (!emailLink_) emailLink_ = std::make_unique<HyperText>(state_);
    emailLink_->CreateHyper(about, lblEmailLink);
}

void frmAbout::Form_Unload() {
    // A link leaves the custom pointer on for all of the program's windows;
    // the main window must not go on showing the pointing hand.
    state_.os.toolkit.SetScreenPointer(platform::ScreenPointer::Default);
}

void frmAbout::Control_Click(std::string_view control) {
    if (control == cmdOK) cmdOK_Click();
    if (control == cmdSysInfo) cmdSysInfo_Click();
    if (HyperText* link = LinkOf(control)) link->mlblTarget_Click();
}

void frmAbout::Control_MouseMove(std::string_view control) {
    if (HyperText* link = LinkOf(control)) link->mlblTarget_MouseMove();
}

HyperText* frmAbout::LinkOf(std::string_view control) {
    if (webLink_ && webLink_->Targets(control)) return webLink_.get();
    if (emailLink_ && emailLink_->Targets(control)) return emailLink_.get();
    return nullptr;
}

void frmAbout::cmdOK_Click() { Unload(); }

void frmAbout::cmdSysInfo_Click() { StartSysInfo(); }

void frmAbout::StartSysInfo() {
    using platform::RegistryRoot;
    bool started = false;
    try {
        std::string path;
        if (GetKeyValue(RegistryRoot::LocalMachine, kSysInfoKey, "PATH", path)) {
            started = state_.os.shell.StartProgram(path);
        } else if (GetKeyValue(RegistryRoot::LocalMachine, kSysInfoLocationKey, "MSINFO", path) &&
                   state_.os.files.Exists(path + "\\MSINFO32.EXE")) {
            started = state_.os.shell.StartProgram(path + "\\MSINFO32.EXE");
        }
    } catch (const EmptyKeyValue&) {
        // An entry of no bytes names nothing to start.
    }
    if (!started) {
        state_.os.toolkit.MessageBox(state_.Texts.SystemInfoUnavailable,
                                     kThisProgram.title, platform::MessageIcon::None);
    }
}

bool frmAbout::GetKeyValue(platform::RegistryRoot KeyRoot, std::string_view KeyName,
                           std::string_view SubKeyRef, std::string& KeyVal) {
    const auto value = state_.os.registry.Query(KeyRoot, KeyName, SubKeyRef);
    if (!value || value->data.size() > kValueBufferSize) {
        KeyVal.clear();
        return false;
    }
    std::string_view data = value->data;
    if (data.empty()) throw EmptyKeyValue();
    if (data.back() == '\0') data.remove_suffix(1);
    switch (value->type) {
    case platform::kRegSz:
        KeyVal = std::string(data);
        break;
    case platform::kRegDword:
        KeyVal = DwordText(data);
        break;
    default:
        break;
    }
    return true;
}

}  // namespace quillon::ui
