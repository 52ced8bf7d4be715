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
        nobodySees_ = !os.system.WindowStationVisible();
        if (*nobodySees_) {
            WriteDiagnostic("window station not visible: no window or box shown, as with /q /nogui");
        }
    }
    return *nobodySees_;
}

bool RunState::Quiet() { return CommandLineHas(switch_text::Quiet) || NobodySees(); }

bool RunState::NoGui() { return CommandLineHas(switch_text::NoGui) || NobodySees(); }

}  // namespace quillon
