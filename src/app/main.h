#pragma once

#include "base/run_state.h"
#include "ui/forms.h"

namespace quillon {

// The first procedure of a run: switches the log on or off (the build
// decides), shows the usage and ends for "/?", records the system version, loads the options, applies the
// option switches of the command line for this run, and shows the first
// window without waiting for it. The run then lives in its windows.
void Main(RunState& state, ui::Forms& forms, bool diagnosticsBuild);

}  // namespace quillon
