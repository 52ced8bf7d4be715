#pragma once

#include "base/run_state.h"

namespace quillon::ui {

// Returns after the seconds have passed, handling the program's window
// events meanwhile. It sleeps until the next event or the deadline rather
// than spinning. The clock is read before the first event pass, so a zero
// or negative wait handles no events.
void Wait(RunState& state, float sngSeconds);

}  // namespace quillon::ui
