#include "app/main.h"

#include "base/run_events.h"
#include "base/switches.h"
#include "base/texts.h"
#include "networks/network_task.h"
#include "settings/settings_store.h"
#include "ui/main_window.h"
#include "ui/setup_window.h"

namespace quillon {
namespace {

// A quiet run by name sets one printer and ends: it leaves the scheduler
// alone, and stays as fast as it was.
bool SetsANamedPrinterQuietly(RunState& state) {
    const std::string commandLine = state.CommandLine();
    return !AsksForNetworkPrinter(commandLine) && !PrinterArgumentFrom(commandLine).empty() &&
           state.Quiet();
}

// The administrator's word on network switching holds in every run that
// opens a window or switches by network: the user's task is there, starting
// this program, whatever the user chose, or gone. No window tells of a
// refusal: the Application log does. It tells of the scheduler's refusals
// only: a task registered beside an older one that could not go is there,
// and an account the system cannot tell names no task.
void ApplyNetworkSwitchingPolicy(RunState& state) {
    const std::int32_t policy = state.Options.NetworkSwitchingPolicy;
    if ((policy != kYes && policy != kNo) || !networks::NetworkSwitchingAvailable(state) ||
        SetsANamedPrinterQuietly(state)) {
        return;
    }
    using networks::TaskChange;
    if (policy == kYes) {
        if (networks::KeepNetworkTask(state) == TaskChange::Refused) events::ReportTaskNotChanged(state, true);
    } else {
        if (networks::RemoveNetworkTask(state) == TaskChange::Refused) events::ReportTaskNotChanged(state, false);
    }
}

}  // namespace

void Main(RunState& state, ui::Forms& forms, bool diagnosticsBuild) {
    // The uninstaller's run: every user's switching task goes with the
    // program, and nothing else happens. It writes no log, which would keep
    // the program's folder from going.
    if (AsksToRemoveNetworkTasks(state.CommandLine())) {
        state.os.system.End(networks::RemoveEveryNetworkTask(state) ? 0 : 2);
    }
    state.DiagnosticsEnabled = diagnosticsBuild;
    state.WriteDiagnostic("started with switches: " + state.CommandLine());
    if (AsksForUsage(state.CommandLine())) {
        if (!state.NobodySees()) {
            state.os.toolkit.MessageBox(UsageText(state.os.system.ExecutableName() + ".exe", state.Texts),
                                        texts::ProgramTitle, platform::MessageIcon::Information);
        }
        state.os.system.End(0);
    }
    state.IsWindows6OrLater = state.os.system.Version().majorVersion > 5;
    settings::LoadSettings(state.os.registry, state.Options);
    ApplyOptionSwitches(state.CommandLine(), state.Options);
    ApplyNetworkSwitchingPolicy(state);

    const bool setupAsked = state.CommandLineHas(switch_text::Setup) ||
                            state.CommandLineHas(switch_text::SetupDash);
    // Where nobody sees the setup window, the run goes on with the options
    // it has, as the rest of it goes on without windows; so does a quiet
    // network switch, which the task starts at every log-on and change of
    // network and nobody waits for.
    const bool quietSwitch = AsksForNetworkPrinter(state.CommandLine()) &&
                             (state.CommandLineHas(switch_text::Quiet) || state.CommandLineHas(switch_text::NoGui));
    if ((setupAsked || state.Options.DesktopSetting == kNotStored) && !quietSwitch && !state.NobodySees()) {
        forms.Setup().Show();
    } else {
        forms.Quillon().Show();
    }
}

}  // namespace quillon
