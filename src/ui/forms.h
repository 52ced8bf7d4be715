#pragma once

#include <memory>

#include "base/run_state.h"

namespace quillon::ui {

class frmAbout;
class frmNetworkPrinters;
class frmQuillon;
class frmSetup;
class frmStartupUsers;
class frmSuccess;

// What loading the main window runs: the start-up sequence. It sits above
// the windows it drives, so whoever makes the windows hands it in.
using MainWindowLoad = void (*)(RunState& state, frmQuillon& form);

// The program's windows, one of each kind, each made on first use and kept
// for the rest of the run.
class Forms {
public:
    Forms(RunState& state, MainWindowLoad mainWindowLoad);
    ~Forms();
    Forms(const Forms&) = delete;
    Forms& operator=(const Forms&) = delete;

    frmQuillon& Quillon();
    frmAbout& About();
    frmNetworkPrinters& NetworkPrinters();
    frmSetup& Setup();
    frmStartupUsers& StartupUsers();
    frmSuccess& Success();

    // Runs the main window's load procedure on it.
    void LoadMainWindow(frmQuillon& form) { mainWindowLoad_(state_, form); }

private:
    RunState& state_;
    MainWindowLoad mainWindowLoad_;
    std::unique_ptr<frmQuillon> quillon_;
    std::unique_ptr<frmAbout> about_;
    std::unique_ptr<frmNetworkPrinters> networkPrinters_;
    std::unique_ptr<frmSetup> setup_;
    std::unique_ptr<frmStartupUsers> startupUsers_;
    std::unique_ptr<frmSuccess> success_;
};

}  // namespace quillon::ui
