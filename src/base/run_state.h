#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/catalogue.h"
#include "base/options.h"
#include "base/printer_table.h"
#include "platform/platform.h"

namespace quillon {

// The printer a "/network" run chose, as the user or the administrator wrote
// it, the network, as Windows names it, whose choice it is, and the rule
// that chose it: the administrator's rule's name (a name, a range, or both)
// or the network's name in the user's own table.
struct ChosenPrinter {
    std::string network;
    std::string printer;
    std::string rule;
};

// Everything one run shares between its parts, with the platform it runs
// on. Main owns it; every window and operation of the run gets it.
struct RunState {
    // The language is chosen here, once, before anything is shown.
    explicit RunState(platform::Platform& platform)
        : os(platform), Texts(platform.system.PreferredUiLanguages()) {}

    platform::Platform& os;
    // Every text the user reads in this run, in the user's language.
    const texts::Catalogue Texts;

    bool DiagnosticsEnabled = false;
    bool IsWindows6OrLater = false;
    quillon::Options Options;
    quillon::PrinterTable PrinterTable;
    std::string PrinterArgument;  // lower-cased; non-empty in command-line mode
    // Where the printer argument came from a network's choice ("/network").
    std::optional<ChosenPrinter> NetworkPrinter;
    bool NoQuit = false;
    std::string SelectedPrinterText;

    // Appends one time-stamped line to the log beside the executable while
    // diagnostics are on. A log that cannot be written is skipped.
    void WriteDiagnostic(std::string_view text);

    // The argument text of the command line, and whether its lower-cased
    // form holds a switch text anywhere.
    std::string CommandLine() const;
    bool CommandLineHas(std::string_view lowerSwitch) const;

    // Whether nobody can see what the run would show: its window station
    // is not a visible one, as for a service, or a task run without a user,
    // or it runs in session 0 from Windows Vista on, which no user sees.
    // Such a run shows nothing and acts as with "/q /nogui", since any
    // window or box would wait for ever. Asked of the system the first time
    // a decision needs it (the question loads the window system, which a
    // quiet run otherwise never does), and logged then.
    bool NobodySees();
    // "/q", or nobody to read a confirmation or a notice.
    bool Quiet();
    // "/nogui", or nobody to see a window.
    bool NoGui();

private:
    std::optional<bool> nobodySees_;
};

}  // namespace quillon
