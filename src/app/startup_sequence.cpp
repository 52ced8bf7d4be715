#include "app/startup_sequence.h"

#include <functional>
#include <string>

#include "base/pattern.h"
#include "base/run_events.h"
#include "base/switches.h"
#include "base/text.h"
#include "networks/network_switch.h"
#include "printers/default_printer.h"
#include "printers/key_list.h"
#include "printers/printer_names.h"
#include "printers/printer_table.h"
#include "ui/main_window.h"
#include "ui/wait.h"

namespace quillon {
namespace {

constexpr int kListAttempts = 15;
constexpr std::string_view kList = ui::frmQuillon::lstPrinters;

void ApplyStartDelay(RunState& state) {
    const auto delay = GetSwitchValue(state.CommandLine(), switch_text::Delay);
    if (!delay.found) return;
    const float seconds = StartDelaySeconds(delay.value);
    state.WriteDiagnostic("execution delayed " + FormatSeconds(seconds) + " secs");
    ui::Wait(state, seconds);
}

void ReadPrinterList(RunState& state, ui::frmQuillon& form) {
    auto& list = form.window();
    for (int attempt = 1; attempt <= kListAttempts; ++attempt) {
        form.FillPrinterList(printers::ReadPrinterKeyList(state.os.profile));
        const int count = list.ListCount(kList);
        state.WriteDiagnostic("total printers = " + std::to_string(count));
        // A line per printer is only worth building when it is written.
        for (int n = 1; state.DiagnosticsEnabled && n <= count; ++n) {
            state.WriteDiagnostic("  printer " + std::to_string(n) + " = " +
                                  list.ListText(kList, n - 1));
        }
        if (count > 0) return;
        ui::Wait(state, 1.0F);
        state.os.toolkit.DoEvents();
    }
}

// No printer to set: the window, or under "/nogui" the end with exit code 1.
void NothingMatched(RunState& state, std::string_view what) {
    state.WriteDiagnostic("could not find printer " + std::string(what));
    if (state.NoGui()) state.os.system.End(1);
}

// Sets the first printer in list order that the argument names; returns
// only when none does.
void SetNamedPrinter(RunState& state, ui::frmQuillon& form, const std::function<void()>& whenSet) {
    const std::string& argument = state.PrinterArgument;
    state.WriteDiagnostic("attempt to set default to " + argument);
    auto& list = form.window();
    const int count = list.ListCount(kList);
    for (int index = 0; index < count; ++index) {
        // The English form, which shortcuts write in every language, or the
        // run's own.
        const std::string entry = list.ListText(kList, index);
        const std::string name = text::ToLower(printers::ListEntryToPrinterName(state.PrinterTable, entry));
        const std::string ownName = text::ToLower(
            printers::ListEntryToPrinterName(state.PrinterTable, entry, state.Texts.PrinterOnServer));
        if (PrinterArgumentMatches(name, argument) || PrinterArgumentMatches(ownName, argument)) {
            state.WriteDiagnostic("found printer " + argument + " - setting to default");
            list.SetListIndex(kList, index);
            form.SetDefaultFromCommandLine(whenSet);
        }
    }
    events::ReportPrinterNotInstalled(state);
    NothingMatched(state, argument);
}

// "/network": the printer chosen for the network where the computer is
// takes the place of a name on the command line, which stays the fallback
// where that network has no choice or no network is connected. A move is
// kept at once, without a printer, so that it counts even when the run
// sets nothing or is stopped first; the printer joins it as it becomes the
// default. Returns what to do then: keep the switch, or, for a name set
// with no network connected, forget it, since the default is no network's
// choice now.
std::function<void()> ChooseNetworkPrinter(RunState& state) {
    if (!AsksForNetworkPrinter(state.CommandLine())) return {};
    auto& registry = state.os.registry;
    const auto decided = networks::DecideNetworkSwitch(state);
    // No network at all (a Wi-Fi blip, sleep): the last switch stays, and
    // the next network is measured against it.
    if (!decided.decision) {
        if (state.PrinterArgument.empty()) NothingMatched(state, "chosen for the networks connected now");
        return [&registry] { networks::ForgetNetworkSwitch(registry); };
    }
    // The default the user may have set by hand since stays.
    if (!decided.switches) state.os.system.End(0);
    const networks::NetworkDecision& decision = *decided.decision;
    networks::RecordNetworkSwitch(registry, {decision.network, std::nullopt, ""});
    if (!decision.printer) {
        if (state.PrinterArgument.empty()) NothingMatched(state, "chosen for " + decision.network);
        return {};
    }
    state.PrinterArgument = text::ToLower(*decision.printer);
    state.NetworkPrinter = ChosenPrinter{decision.network, *decision.printer, decision.rule};
    return [&registry, decision] { networks::RecordNetworkSwitch(registry, decision); };
}

void PrepareWindow(RunState& state, ui::frmQuillon& form) {
    auto& window = form.window();
    const int count = window.ListCount(kList);
    if (count == 0) {
        window.SetEnabled(ui::frmQuillon::cmdAddToStartup, false);
        window.SetEnabled(ui::frmQuillon::cmdCreateShortcut, false);
        window.SetEnabled(ui::frmQuillon::cmdSetDefault, false);
    } else {
        window.SetListIndex(kList, 0);
        const auto current = printers::ReadDefaultPrinter(state);
        for (int index = 0; index < count; ++index) {
            if (printers::PrinterNameMatches(current.name, window.ListText(kList, index),
                                         state.Texts.PrinterOnServer)) {
                window.SetListIndex(kList, index);
                break;
            }
        }
    }
    if (state.Options.DesktopSetting != kYes) {
        window.SetEnabled(ui::frmQuillon::cmdCreateShortcut, false);
    }
    if (state.Options.StartupSetting != kYes) {
        window.SetEnabled(ui::frmQuillon::cmdAddToStartup, false);
    }

    state.NoQuit = false;
    if (state.CommandLineHas(switch_text::NoQuit)) {
        state.NoQuit = true;
        window.SetVisible(ui::frmQuillon::cmdCancel, false);
    }
}

}  // namespace

void RunStartupSequence(RunState& state, ui::frmQuillon& form) {
    state.WriteDiagnostic("main gui loaded");
    ApplyNetworkNameSwitches(state.CommandLine(), state.Options);
    ApplyStartDelay(state);
    ReadPrinterList(state, form);

    state.PrinterArgument = PrinterArgumentFrom(state.CommandLine());
    const auto whenSet = ChooseNetworkPrinter(state);
    if (!state.PrinterArgument.empty()) SetNamedPrinter(state, form, whenSet);
    state.PrinterArgument.clear();
    // Window mode: a window nobody sees would wait for ever, and no printer
    // was set.
    if (state.NobodySees()) {
        events::ReportNothingSet(state);
        state.os.system.End(1);
    }

    PrepareWindow(state, form);
}

}  // namespace quillon
