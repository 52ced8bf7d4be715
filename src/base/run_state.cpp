#include "base/run_state.h"

#include "base/diagnostics.h"
#include "base/switches.h"
#include "base/text.h"

namespace quillon {

void RunState::WriteDiagnostic(std::string_view text) {
    if (!DiagnosticsEnabled) return;
    const auto now = os.system.Now();
    const std::string path =
        os.system.ExecutableFolder() + "\\" + std::string(kDiagnosticsFileName);
    // The run goes on without its log when the folder is read-only.
    (void)os.files.Append(path, FormatDiagnosticLine(now, text));
}

std::string RunState::CommandLine() const { return os.system.CommandLine(); }

bool RunState::CommandLineHas(std::string_view lowerSwitch) const {
    return text::ContainsLower(os.system.CommandLine(), lowerSwitch);
}

bool RunState::NobodySees() {
    if (!nobodySees_) {
        // Since Windows Vista no user's desktop is in session 0: its WinSta0,
        // where a service or a tool run as SYSTEM lands, still says visible.
        if (os.system.Version().majorVersion > 5 && os.system.InSessionZero()) {
            nobodySees_ = true;
            WriteDiagnostic("session 0: no window or box shown, as with /q /nogui");
        } else {
            nobodySees_ = !os.system.WindowStationVisible();
            if (*nobodySees_) {
                WriteDiagnostic("window station not visible: no window or box shown, as with /q /nogui");
            }
        }
    }
    return *nobodySees_;
}

bool RunState::Quiet() { return CommandLineHas(switch_text::Quiet) || NobodySees(); }

bool RunState::NoGui() { return CommandLineHas(switch_text::NoGui) || NobodySees(); }

}  // namespace quillon
