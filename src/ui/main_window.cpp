#include "ui/main_window.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <vector>

#include "base/pattern.h"
#include "base/run_events.h"
#include "base/text.h"
#include "base/texts.h"
#include "networks/network_task.h"
#include "printers/default_management.h"
#include "printers/default_printer.h"
#include "printers/printer_table.h"
#include "settings/settings_store.h"
#include "shortcuts/create_shortcut.h"
#include "ui/about_window.h"
#include "ui/network_window.h"
#include "ui/startup_users_window.h"
#include "ui/success_window.h"

namespace quillon::ui {
namespace {

using platform::ControlKind;
using platform::ControlDesign;

// "Per network..." has a row of its own below "Add to startup". Where the
// system cannot switch per network the window is without it, and the rows
// below it and the list close up as they were before it came.
std::vector<ControlDesign> Controls(const texts::Texts& texts, bool perNetwork) {
    const int row = perNetwork ? 480 : 0;
    const int tab = perNetwork ? 1 : 0;
    std::vector<ControlDesign> controls = {
    // A list has no caption: the name is what a screen reader calls it.
    ControlDesign{ControlKind::ListBox, frmQuillon::lstPrinters, "", 2640, 240, 6015, 1425 + row, 0, {},
                platform::kSorted, texts.PrintersListName},
    ControlDesign{ControlKind::PushButton, frmQuillon::cmdSetDefault, texts.SetAsDefault, 240, 240, 2175, 375, 1},
    ControlDesign{ControlKind::PushButton, frmQuillon::cmdCreateShortcut, texts.CreateDesktopShortcut, 240, 720,
                2175, 375, 2},
    ControlDesign{ControlKind::PushButton, frmQuillon::cmdAddToStartup, texts.AddToStartup, 240, 1200, 2175, 375,
                3},
    ControlDesign{ControlKind::PushButton, frmQuillon::cmdAbout, texts.About, 5160, 1920 + row, 1095, 375,
                4 + tab},
    ControlDesign{ControlKind::PushButton, frmQuillon::cmdCancel, texts.Quit, 240, 1920 + row, 2175, 375,
                5 + tab},
    };
    if (perNetwork) {
        controls.insert(controls.begin() + 4,
                        ControlDesign{ControlKind::PushButton, frmQuillon::cmdPerNetwork, texts.PerNetwork, 240,
                                      1680, 2175, 375, 4});
    }
    return controls;
}

platform::WindowDesign WindowOf(bool perNetwork) {
    return {
    .name = "frmQuillon",
    .caption = texts::ProgramTitle,
    .clientWidth = 8955,
    .clientHeight = perNetwork ? 3060 : 2580,
    .border = platform::WindowBorder::FixedDialog,
    .position = platform::WindowPosition::CenterScreen,
    .keyPreview = true,
    .showInTaskbar = true,
    .controls = {},  // the Form keeps them
    };
}

constexpr int kKeyQ = 81;

}  // namespace

frmQuillon::frmQuillon(RunState& state, Forms& forms)
    : Form(state, WindowOf(networks::NetworkSwitchingAvailable(state)),
           Controls(state.Texts, networks::NetworkSwitchingAvailable(state))),
      forms_(forms) {}

void frmQuillon::Form_Load() {
    // Withheld as the other options withhold their buttons.
    if (networks::NetworkSwitchingAvailable(state_)) {
        window().SetEnabled(cmdPerNetwork, state_.Options.NetworkSwitchingPolicy != kNo);
    }
    forms_.LoadMainWindow(*this);
}

void frmQuillon::Form_Activate() { state_.WriteDiagnostic("main gui displayed"); }

bool frmQuillon::Form_QueryUnload() {
    if (state_.NoQuit) return false;
    state_.WriteDiagnostic("main gui unloaded");
    return true;
}

void frmQuillon::Form_KeyUp(int keyCode, int shift) {
    const int ctrlAlt = platform::kCtrlMask | platform::kAltMask;
    if (keyCode == kKeyQ && (shift & ctrlAlt) == ctrlAlt) {
        state_.NoQuit = false;
        Unload();
    }
}

void frmQuillon::Control_Click(std::string_view control) {
    if (control == cmdSetDefault) cmdSetDefault_Click();
    if (control == cmdCreateShortcut) cmdCreateShortcut_Click();
    if (control == cmdAddToStartup) cmdAddToStartup_Click();
    if (control == cmdPerNetwork) cmdPerNetwork_Click();
    if (control == cmdAbout) cmdAbout_Click();
    if (control == cmdCancel) cmdCancel_Click();
}

void frmQuillon::cmdSetDefault_Click() { SetSelectedAsDefault(false); }

void frmQuillon::SetDefaultFromCommandLine(const std::function<void()>& whenSet) {
    SetSelectedAsDefault(true, whenSet);
}

void frmQuillon::SetSelectedAsDefault(bool fromCommandLine, const std::function<void()>& whenSet) {
    const auto& list = window();
    const int selected = list.ListIndex(lstPrinters);
    const bool quiet = state_.Quiet();
    if (selected >= 0 && !WindowsMayStopManagingDefault(quiet)) {
        // Nothing was set: the window stays as it was, and a run that
        // named the printer ends without it, with a code of its own so that
        // a script tells the user's "no" from a printer that failed.
        if (fromCommandLine) state_.os.system.End(3);
        return;
    }
    if (SetSelected(quiet, whenSet) != printers::SetDefaultStatus::Set) state_.os.system.End(2);
    if (fromCommandLine) events::ReportPrinterSet(state_, SelectedPrinterName());
    if (!quiet) forms_.Success().Confirm(this, fromCommandLine);
    state_.os.system.End(0);
}

printers::SetDefaultStatus frmQuillon::SetSelected(bool quiet, const std::function<void()>& whenSet) {
    const auto& list = window();
    const int selected = list.ListIndex(lstPrinters);
    state_.SelectedPrinterText = selected >= 0 ? list.ListText(lstPrinters, selected) : "";
    const std::optional<std::string_view> entry =
        selected >= 0 ? std::optional<std::string_view>(state_.SelectedPrinterText) : std::nullopt;

    const bool win9x = state_.os.system.Version().platformId == platform::kPlatformWin32Windows;
    auto& toolkit = state_.os.toolkit;
    toolkit.SetScreenPointer(platform::ScreenPointer::Hourglass);
    const auto result = win9x ? printers::SetDefaultBySpooler(state_, entry, whenSet)
                              : printers::SetDefaultByProfile(state_, entry, whenSet);
    toolkit.SetScreenPointer(platform::ScreenPointer::Default);

    using printers::SetDefaultStatus;
    if (result.status == SetDefaultStatus::SpoolerRefused && !state_.NobodySees()) {
        // The spooler's own code is shown whatever "/q" says; it already
        // tells that nothing was set.
        toolkit.MessageBox(texts::Fill(state_.Texts.SpoolerRefused, std::to_string(result.windowsError)),
                           texts::ProgramTitle, platform::MessageIcon::None);
    } else if (result.status == SetDefaultStatus::Failed && !quiet) {
        // A default that was not set is never confirmed as set.
        toolkit.MessageBox(texts::Fill(state_.Texts.DefaultNotSet, state_.SelectedPrinterText), state_.Texts.Error,
                           platform::MessageIcon::Exclamation);
    } else if (result.status != SetDefaultStatus::Set) {
        events::ReportDefaultNotSet(state_, SelectedPrinterName(), result.windowsError);
    }
    return result.status;
}

std::string frmQuillon::SelectedPrinterName() const {
    return printers::ListEntryToPrinterName(state_.PrinterTable, state_.SelectedPrinterText);
}

bool frmQuillon::SetMatchingPrinter(std::string_view argument, const std::function<void()>& whenSet) {
    auto& list = window();
    const int count = list.ListCount(lstPrinters);
    for (int index = 0; index < count; ++index) {
        const std::string name = text::ToLower(
            printers::ListEntryToPrinterName(state_.PrinterTable, list.ListText(lstPrinters, index)));
        if (!PrinterArgumentMatches(name, argument)) continue;
        list.SetListIndex(lstPrinters, index);
        return SetSelected(false, whenSet) == printers::SetDefaultStatus::Set;
    }
    state_.WriteDiagnostic("could not find printer " + std::string(argument));
    return false;
}

bool frmQuillon::WindowsMayStopManagingDefault(bool quiet) {
    // A quiet run changes nothing here whatever the answer; only its log
    // would tell it.
    if (quiet && !state_.DiagnosticsEnabled) return true;
    if (!printers::WindowsManagesDefault(state_)) return true;
    if (quiet) {
        // A quiet run asks nobody, and Windows' setting is the user's to
        // change, never the run's.
        state_.WriteDiagnostic("Windows manages the default printer: left on");
        return true;
    }
    if (!state_.os.toolkit.AskOkCancel(state_.Texts.WindowsStopsManagingDefault, texts::ProgramTitle,
                                       platform::MessageIcon::Information)) {
        state_.WriteDiagnostic("Windows manages the default printer: left on, nothing set");
        return false;
    }
    // The printer is set whether or not the setting could be changed: the
    // user asked for both, and the default lasts at least until the next
    // print.
    const bool stopped = printers::StopWindowsManagingDefault(state_);
    state_.WriteDiagnostic(stopped ? "Windows manages the default printer: turned off"
                                   : "Windows manages the default printer: could not turn it off");
    return true;
}

std::optional<shortcuts::ShortcutRequest> frmQuillon::SelectedShortcut() {
    const auto& list = window();
    const int selected = list.ListIndex(lstPrinters);
    if (selected < 0) return std::nullopt;
    const std::string entry = list.ListText(lstPrinters, selected);
    auto& system = state_.os.system;
    return shortcuts::MakeShortcutRequest(
        state_.Texts, entry, printers::ListEntryToPrinterName(state_.PrinterTable, entry),
        system.ExecutableFolder(), system.ExecutableName());
}

bool frmQuillon::CreateShortcut(std::string_view strShortcutName,
                                std::string_view strShortcutTarget,
                                std::string_view strShortcutArgs,
                                shortcuts::ShortcutPlace strShortcutLocation) {
    const auto result = shortcuts::CreateShortcut(state_, window().NativeHandle(), strShortcutName,
                                                  strShortcutTarget, strShortcutArgs,
                                                  strShortcutLocation);
    for (const auto& notice : result.notices) {
        state_.os.toolkit.MessageBox(notice.text, notice.title, notice.icon);
    }
    return result.created;
}

bool frmQuillon::SelectedPrinterInstalled() {
    const auto& list = window();
    return printers::IsInstalledPrinter(
        state_.os.profile, printers::ListEntryToPrinterName(
                               state_.PrinterTable, list.ListText(lstPrinters, list.ListIndex(lstPrinters))));
}

void frmQuillon::cmdCreateShortcut_Click() {
    const auto request = SelectedShortcut();
    if (!request) return;
    auto& toolkit = state_.os.toolkit;
    if (SelectedPrinterInstalled() &&
        CreateShortcut(request->name, request->target, request->arguments,
                       shortcuts::ShortcutPlace::Desktop)) {
        toolkit.MessageBox(state_.Texts.ShortcutCreated, state_.Texts.Success,
                           platform::MessageIcon::Information);
    } else {
        toolkit.MessageBox(state_.Texts.ShortcutNotCreated, state_.Texts.Error,
                           platform::MessageIcon::Exclamation);
    }
}

void frmQuillon::cmdAddToStartup_Click() {
    const StartupUsersChoice choice = forms_.StartupUsers().Ask(this);
    if (choice == StartupUsersChoice::Cancelled) return;
    const auto request = SelectedShortcut();
    if (!request) return;

    bool result = false;
    if (!SelectedPrinterInstalled()) {
        // Nothing is removed for an entry that cannot be made.
    } else if (choice == StartupUsersChoice::CurrentUser) {
        result = CreateShortcut(request->name, request->target, request->arguments,
                                shortcuts::ShortcutPlace::Startup);
    } else if (choice == StartupUsersChoice::AllUsers) {
        result = CreateShortcut(request->name, request->target, request->arguments,
                                shortcuts::ShortcutPlace::AllStartup);
        if (result) settings::CopySettingsToMachine(state_.os.registry, state_.Options);
    }
    auto& toolkit = state_.os.toolkit;
    if (result) {
        toolkit.MessageBox(state_.Texts.AddedToStartup, state_.Texts.Success,
                           platform::MessageIcon::Information);
    } else {
        toolkit.MessageBox(state_.Texts.NotAddedToStartup, state_.Texts.Error,
                           platform::MessageIcon::Exclamation);
    }
}

void frmQuillon::cmdPerNetwork_Click() { forms_.NetworkPrinters().ShowModal(this); }

void frmQuillon::cmdAbout_Click() { forms_.About().ShowModal(this); }

void frmQuillon::cmdCancel_Click() { Unload(); }

void frmQuillon::FillPrinterList(std::string_view keyList) {
    printers::FillPrinterTable(state_.PrinterTable, keyList, state_.Options.UncDisplayMode,
                               state_.Texts.PrinterOnServer);
    // The list sorts itself, so the order of adding changes nothing it
    // shows; adding in about its own order puts each entry at the end
    // instead of moving the ones after it, which keeps a list of many
    // thousand printers from filling in quadratic time. The stable sort
    // keeps names that differ only in letter case in table order. Each name
    // is lower-cased once, not once per comparison.
    const auto& names = state_.PrinterTable.DisplayPrinterNames;
    std::vector<std::string> keys;
    keys.reserve(names.size());
    for (const auto& name : names) keys.push_back(text::ToLower(name));
    std::vector<std::size_t> order(names.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
    for (const auto index : order) window().AddItem(lstPrinters, names[index]);
}

}  // namespace quillon::ui
