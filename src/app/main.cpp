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

// The administrator's word on network switching holds in every run: the
// task is there whatever the user chose, or gone. Asked of the scheduler
// only where a policy is set. No window tells of a refusal: the
// Application log does.
void ApplyNetworkSwitchingPolicy(RunState& state) {
    const std::int32_t policy = state.Options.NetworkSwitchingPolicy;
    if (policy == kYes && !networks::NetworkTaskExists(state)) {
        if (!networks::EnsureNetworkTask(state)) events::ReportTaskNotChanged(state, true);
    } else if (policy == kNo && networks::NetworkTaskExists(state)) {
        if (!networks::RemoveNetworkTask(state)) events::ReportTaskNotChanged(state, false);
    }
}

}  // namespace

void Main(RunState& state, ui::Forms& forms, bool diagnosticsBuild) {
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
    // it has, as the rest of it goes on without windows.
    if ((setupAsked || state.Options.DesktopSetting == kNotStored) && !state.NobodySees()) {
        forms.Setup().Show();
    } else {
        forms.Quillon().Show();
    }
}

}  // namespace quillon
