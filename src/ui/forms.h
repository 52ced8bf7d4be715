#pragma once

#include <memory>

#include "app/run_state.h"

namespace quillon::ui {

class frmAbout;
class frmQuillon;
class frmSetup;
class frmStartupUsers;
class frmSuccess;

// The program's windows, one of each kind, each made on first use and kept
// for the rest of the run.
class Forms {
public:
    explicit Forms(RunState& state);
    ~Forms();
    Forms(const Forms&) = delete;
    Forms& operator=(const Forms&) = delete;

    frmQuillon& Quillon();
    frmAbout& About();
    frmSetup& Setup();
    frmStartupUsers& StartupUsers();
    frmSuccess& Success();

private:
    RunState& state_;
    std::unique_ptr<frmQuillon> quillon_;
    std::unique_ptr<frmAbout> about_;
    std::unique_ptr<frmSetup> setup_;
    std::unique_ptr<frmStartupUsers> startupUsers_;
    std::unique_ptr<frmSuccess> success_;
};

}  // namespace quillon::ui
