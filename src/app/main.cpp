#include "app/main.h"

#include "base/switches.h"
#include "settings/settings_store.h"
#include "ui/main_window.h"
#include "ui/setup_window.h"

namespace quillon {

void Main(RunState& state, ui::Forms& forms, bool diagnosticsBuild) {
    state.DiagnosticsEnabled = diagnosticsBuild;
    state.WriteDiagnostic("started with switches: " + state.CommandLine());
    state.IsWindows6OrLater = state.os.system.Version().majorVersion > 5;
    settings::LoadSettings(state.os.registry, state.Options);
    ApplyOptionSwitches(state.CommandLine(), state.Options);

    const bool setupAsked = state.CommandLineHas(switch_text::Setup) ||
                            state.CommandLineHas(switch_text::SetupDash);
    if (setupAsked || state.Options.DesktopSetting == kNotStored) {
        forms.Setup().Show();
    } else {
        forms.Quillon().Show();
    }
}

}  // namespace quillon
