#include "ui/network_window.h"

#include <algorithm>

#include "base/text.h"
#include "base/texts.h"
#include "networks/network_place.h"
#include "networks/network_switch.h"
#include "networks/network_task.h"
#include "printers/default_printer.h"
#include "printers/printer_names.h"
#include "printers/printer_table.h"
#include "settings/settings_store.h"
#include "ui/main_window.h"

namespace quillon::ui {
namespace {

using platform::ControlDesign;
using platform::ControlKind;
using Window = frmNetworkPrinters;

std::vector<ControlDesign> Controls(const texts::Texts& texts) {
    // Each drop-down list has its label just before it in tab order: the
    // label's access key reaches the list, and a screen reader names the
    // list after it.
    return {
    ControlDesign{ControlKind::OptionButton, Window::optSameDefault, texts.SameDefault, 240, 240, 6720,
                255, 0},
    ControlDesign{ControlKind::OptionButton, Window::optChangeWithNetwork, texts.ChangeWithNetwork, 240,
                600, 6720, 255, 1},
    // A list has no caption: the name is what a screen reader calls it.
    ControlDesign{ControlKind::ListBox, Window::lstNetworkPrinters, "", 240, 1020, 6720, 1455, 2, {},
                platform::kStyleNone, texts.NetworkPrintersListName},
    ControlDesign{ControlKind::Label, Window::lblNetwork, texts.NetworkLabel, 240, 2700, 1335, 255, 3, {},
                platform::kLabelsNext},
    ControlDesign{ControlKind::ComboBox, Window::cboNetwork, "", 1680, 2640, 3840, 315, 4},
    ControlDesign{ControlKind::Label, Window::lblPrinter, texts.PrinterLabel, 240, 3180, 1335, 255, 5, {},
                platform::kLabelsNext},
    ControlDesign{ControlKind::ComboBox, Window::cboPrinter, "", 1680, 3120, 3840, 315, 6},
    ControlDesign{ControlKind::PushButton, Window::cmdAdd, texts.AddNetworkPrinter, 5760, 2610, 1200, 375,
                7},
    ControlDesign{ControlKind::PushButton, Window::cmdRemove, texts.RemoveNetworkPrinter, 5760, 3090, 1200,
                375, 8},
    // Filled and shown only where an administrator's rule for the place
    // decides; a long rule wraps and pushes the buttons down.
    ControlDesign{ControlKind::Label, Window::lblPlaceRule, "", 240, 3540, 6720, 255, -1},
    ControlDesign{ControlKind::PushButton, Window::cmdOK, texts.OK, 4560, 3840, 1095, 375, 9, {},
                platform::kDefaultButton},
    ControlDesign{ControlKind::PushButton, Window::cmdCancel, texts.Cancel, 5865, 3840, 1095, 375, 10, {},
                platform::kCancelButton},
    };
}

platform::WindowDesign WindowOf(const texts::Texts& texts) {
    return {
    .name = "frmNetworkPrinters",
    .caption = texts.NetworkPrintersCaption,
    .clientWidth = 7200,
    .clientHeight = 4455,
    .border = platform::WindowBorder::FixedDialog,
    .position = platform::WindowPosition::CenterOwner,
    .keyPreview = false,
    .showInTaskbar = false,
    .controls = {},  // the Form keeps them
    };
}

// Windows keeps value names, and so the table's networks, without regard
// to letter case.
bool SameNetwork(std::string_view a, std::string_view b) { return text::ToLower(a) == text::ToLower(b); }

}  // namespace

frmNetworkPrinters::frmNetworkPrinters(RunState& state, Forms& forms)
    : Form(state, WindowOf(state.Texts), Controls(state.Texts)), forms_(forms) {}

bool frmNetworkPrinters::Connected(std::string_view network) const {
    return std::any_of(connected_.begin(), connected_.end(),
                       [&](const platform::Network& other) { return SameNetwork(other.name, network); });
}

void frmNetworkPrinters::Form_Load() {
    auto& window = this->window();
    connected_ = state_.os.networks.Connected();
    choices_ = networks::LoadNetworkChoices(state_.os.registry, platform::RegistryRoot::CurrentUser,
                                            networks::kNetworksKey);

    const auto& options = state_.Options;
    const bool enforced = options.NetworkSwitchingPolicy == kYes;
    window.SetChecked(enforced || options.NetworkSwitching == kYes ? optChangeWithNetwork : optSameDefault,
                      true);
    window.SetEnabled(optSameDefault, !enforced);
    window.SetEnabled(optChangeWithNetwork, !enforced);
    // A program moved to another folder leaves the task starting a file that
    // is gone; the run saw to it already where the administrator enforces
    // switching.
    if (options.NetworkSwitching == kYes && !enforced) networks::KeepNetworkTask(state_);

    // The networks connected now, then the table's other ones.
    std::vector<std::string> names;
    const auto addName = [&](const std::string& name) {
        if (name.empty()) return;
        if (std::none_of(names.begin(), names.end(), [&](const auto& other) { return SameNetwork(other, name); })) {
            names.push_back(name);
        }
    };
    for (const auto& network : connected_) addName(network.name);
    for (const auto& choice : choices_) addName(choice.network);
    for (const auto& name : names) window.AddItem(cboNetwork, name);
    if (!names.empty()) window.SetListIndex(cboNetwork, 0);

    // The printers as the main window lists them, starting on the default.
    const auto& main = forms_.Quillon().window();
    const auto current = printers::ReadDefaultPrinter(state_);
    printerNames_.clear();
    for (int index = 0; index < main.ListCount(frmQuillon::lstPrinters); ++index) {
        const std::string entry = main.ListText(frmQuillon::lstPrinters, index);
        window.AddItem(cboPrinter, entry);
        printerNames_.push_back(printers::ListEntryToPrinterName(state_.PrinterTable, entry));
        if (window.ListIndex(cboPrinter) < 0 && printers::PrinterNameMatches(current.name, entry)) {
            window.SetListIndex(cboPrinter, index);
        }
    }
    if (window.ListIndex(cboPrinter) < 0 && !printerNames_.empty()) window.SetListIndex(cboPrinter, 0);

    // A rule by address range outranks the user's own table, which would
    // otherwise seem to be ignored.
    const auto decision =
        networks::DecideNetwork(connected_, choices_, networks::LoadAdministratorRules(state_.os.registry));
    const bool placeRule = decision && decision->printer && networks::NamesAddresses(decision->rule);
    if (placeRule) {
        window.SetCaption(lblPlaceRule, texts::Fill(state_.Texts.AdministratorPlaceRule, decision->rule,
                                                    *decision->printer));
    }
    window.SetVisible(lblPlaceRule, placeRule);

    ShowChoices();
    EnableControls();
}

void frmNetworkPrinters::ShowChoices() {
    auto& window = this->window();
    const int selected = window.ListIndex(lstNetworkPrinters);
    window.Clear(lstNetworkPrinters);
    const auto& texts = state_.Texts;
    for (const auto& choice : choices_) {
        const std::string network =
            Connected(choice.network) ? texts::Fill(texts.ConnectedNetwork, choice.network) : choice.network;
        window.AddItem(lstNetworkPrinters, texts::Fill(texts.NetworkPrinterRow, network, choice.printer));
    }
    if (selected < window.ListCount(lstNetworkPrinters)) window.SetListIndex(lstNetworkPrinters, selected);
}

void frmNetworkPrinters::EnableControls() {
    auto& window = this->window();
    const bool switching = window.IsChecked(optChangeWithNetwork);
    for (const auto control : {lstNetworkPrinters, lblNetwork, cboNetwork, lblPrinter, cboPrinter}) {
        window.SetEnabled(control, switching);
    }
    window.SetEnabled(cmdAdd, switching && window.ListIndex(cboNetwork) >= 0 &&
                                  window.ListIndex(cboPrinter) >= 0);
    window.SetEnabled(cmdRemove, switching && window.ListIndex(lstNetworkPrinters) >= 0);
}

void frmNetworkPrinters::Control_Click(std::string_view control) {
    if (control == cmdAdd) cmdAdd_Click();
    if (control == cmdRemove) cmdRemove_Click();
    if (control == cmdOK) cmdOK_Click();
    if (control == cmdCancel) Unload();
    if (control == optSameDefault || control == optChangeWithNetwork || control == lstNetworkPrinters ||
        control == cboNetwork || control == cboPrinter) {
        EnableControls();
    }
}

void frmNetworkPrinters::cmdAdd_Click() {
    auto& window = this->window();
    const int network = window.ListIndex(cboNetwork);
    const int printer = window.ListIndex(cboPrinter);
    if (network < 0 || printer < 0 || static_cast<std::size_t>(printer) >= printerNames_.size()) return;
    const std::string name = window.ListText(cboNetwork, network);
    const auto same = std::find_if(choices_.begin(), choices_.end(),
                                   [&](const auto& choice) { return SameNetwork(choice.network, name); });
    const auto row = same - choices_.begin();
    if (same == choices_.end()) {
        choices_.push_back({name, printerNames_[static_cast<std::size_t>(printer)]});
    } else {
        same->printer = printerNames_[static_cast<std::size_t>(printer)];
    }
    ShowChoices();
    window.SetListIndex(lstNetworkPrinters, static_cast<int>(row));
    EnableControls();
}

void frmNetworkPrinters::cmdRemove_Click() {
    auto& window = this->window();
    const int row = window.ListIndex(lstNetworkPrinters);
    if (row < 0 || static_cast<std::size_t>(row) >= choices_.size()) return;
    choices_.erase(choices_.begin() + row);
    window.RemoveItem(lstNetworkPrinters, row);
    EnableControls();
}

bool frmNetworkPrinters::Store(bool switching) {
    auto& registry = state_.os.registry;
    bool stored = networks::SaveNetworkChoices(registry, choices_);
    state_.Options.NetworkSwitching = switching ? kYes : kNo;
    stored = settings::SaveNetworkSwitching(registry, state_.Options) && stored;
    // The administrator's choice decides the task where there is one.
    const bool task = state_.Options.NetworkSwitchingPolicy == kYes || switching;
    const auto change = task ? networks::EnsureNetworkTask(state_) : networks::RemoveNetworkTask(state_);
    stored = change == networks::TaskChange::Done && stored;
    state_.WriteDiagnostic(std::string("printer per network ") + (task ? "on" : "off") +
                           (stored ? "" : ": not stored"));
    return stored;
}

void frmNetworkPrinters::cmdOK_Click() {
    auto& main = forms_.Quillon();
    const bool switching = window().IsChecked(optChangeWithNetwork);
    // Windows' own rules would undo what the network's choice sets; Cancel
    // keeps the window open with nothing stored.
    if (switching && !main.WindowsMayStopManagingDefault(false)) return;
    if (!Store(switching)) {
        state_.os.toolkit.MessageBox(state_.Texts.NetworkPrintersNotStored, state_.Texts.Error,
                                     platform::MessageIcon::Exclamation);
        return;
    }
    Unload();
    if (!switching) return;
    // The network's printer is set, and counts as its switch, even where it
    // was the last one: the user asked for it.
    const auto decision = networks::DecideNetwork(state_);
    if (!decision || !decision->printer) return;
    // Under a rule for the place, the user's own printer for the network is
    // set as one set by hand: it stays until the place changes, and the
    // next run does not undo it.
    std::string printer = *decision->printer;
    if (networks::NamesAddresses(decision->rule)) {
        const auto own = std::find_if(choices_.begin(), choices_.end(), [&](const auto& choice) {
            return SameNetwork(choice.network, decision->network);
        });
        if (own != choices_.end()) printer = own->printer;
    }
    main.SetMatchingPrinter(text::ToLower(printer),
                            [&] { networks::RecordNetworkSwitch(state_.os.registry, *decision); });
}

}  // namespace quillon::ui
