#pragma once

#include "base/run_state.h"

namespace quillon::ui {
class frmQuillon;
}

namespace quillon {

// The load of the main window: the switches read there, the start delay,
// the printer list (read up to 15 times, a second apart, while it is
// empty), the printer named on the command line, and the window's
// preparation. Ends the program when the named printer is found, and the
// process under "/nogui" when it is not, or when nobody could see the
// window; returns only in window mode.
void RunStartupSequence(RunState& state, ui::frmQuillon& form);

}  // namespace quillon
