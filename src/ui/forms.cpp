#include "ui/forms.h"

#include "ui/about_window.h"
#include "ui/main_window.h"
#include "ui/network_window.h"
#include "ui/setup_window.h"
#include "ui/startup_users_window.h"
#include "ui/success_window.h"

namespace quillon::ui {

Forms::Forms(RunState& state, MainWindowLoad mainWindowLoad)
    : state_(state), mainWindowLoad_(mainWindowLoad) {}
Forms::~Forms() = default;

frmQuillon& Forms::Quillon() {
    if (!quillon_) quillon_ = std::make_unique<frmQuillon>(state_, *this);
    return *quillon_;
}

frmAbout& Forms::About() {
    if (!about_) about_ = std::make_unique<frmAbout>(state_);
    return *about_;
}

frmNetworkPrinters& Forms::NetworkPrinters() {
    if (!networkPrinters_) networkPrinters_ = std::make_unique<frmNetworkPrinters>(state_, *this);
    return *networkPrinters_;
}

frmSetup& Forms::Setup() {
    if (!setup_) setup_ = std::make_unique<frmSetup>(state_, *this);
    return *setup_;
}

frmStartupUsers& Forms::StartupUsers() {
    if (!startupUsers_) startupUsers_ = std::make_unique<frmStartupUsers>(state_);
    return *startupUsers_;
}

frmSuccess& Forms::Success() {
    if (!success_) success_ = std::make_unique<frmSuccess>(state_);
    return *success_;
}

}  // namespace quillon::ui
