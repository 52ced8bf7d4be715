#include "ui/wait.h"

namespace quillon::ui {

void Wait(RunState& state, float sngSeconds) {
    auto& clock = state.os.system;
    auto& toolkit = state.os.toolkit;
    const double end = clock.MonotonicSeconds() + static_cast<double>(sngSeconds);
    for (double now = clock.MonotonicSeconds(); now < end; now = clock.MonotonicSeconds()) {
        toolkit.WaitForEvents(end - now);
        toolkit.DoEvents();
    }
}

}  // namespace quillon::ui
