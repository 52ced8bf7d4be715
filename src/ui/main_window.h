#pragma once

#include <functional>
#include <optional>
#include <string_view>

#include "printers/default_printer.h"
#include "shortcuts/shortcut_names.h"
#include "shortcuts/shortcut_place.h"
#include "ui/form.h"
#include "ui/forms.h"

namespace quillon::ui {

// The main window: the printer list and the column of buttons. Its load
// runs the start-up sequence, which may set a printer named on the command
// line and end the program before the window is ever shown.
class frmQuillon : public Form {
public:
    // The names its controls are addressed by.
    static constexpr std::string_view lstPrinters = "lstPrinters";
    static constexpr std::string_view cmdSetDefault = "cmdSetDefault";
    static constexpr std::string_view cmdCreateShortcut = "cmdCreateShortcut";
    static constexpr std::string_view cmdAddToStartup = "cmdAddToStartup";
    static constexpr std::string_view cmdPerNetwork = "cmdPerNetwork";
    static constexpr std::string_view cmdAbout = "cmdAbout";
    static constexpr std::string_view cmdCancel = "cmdCancel";

    frmQuillon(RunState& state, Forms& forms);

    void Form_Load() override;
    void Form_Activate() override;
    bool Form_QueryUnload() override;
    void Form_KeyUp(int keyCode, int shift) override;
    void Control_Click(std::string_view control) override;

    // Sets the selected printer as the default, confirms it and ends the
    // program; never returns.
    void cmdSetDefault_Click();
    // The same for the printer the command line named: the success window
    // then closes by itself, so that a shortcut or log-on entry needs no
    // click. whenSet runs as the printer becomes the default.
    void SetDefaultFromCommandLine(const std::function<void()>& whenSet = {});
    void cmdCreateShortcut_Click();
    void cmdAddToStartup_Click();
    void cmdPerNetwork_Click();
    void cmdAbout_Click();
    void cmdCancel_Click();

    // Writes a shortcut for the place; see shortcuts::CreateShortcut.
    bool CreateShortcut(std::string_view strShortcutName, std::string_view strShortcutTarget,
                        std::string_view strShortcutArgs,
                        shortcuts::ShortcutPlace strShortcutLocation);

    // Parses the [PrinterPorts] key list into the printer table and adds
    // the display names to the (sorted) list.
    void FillPrinterList(std::string_view keyList);

    // Where Windows would take the default back, asks (unless the run is
    // quiet) whether it may stop, and stops it on OK; false on Cancel.
    bool WindowsMayStopManagingDefault(bool quiet);
    // Sets the first printer of the list that the argument names, as a
    // printer named on the command line is matched, and selects it; the
    // window stays open. A failure is told as the button tells it; false
    // when nothing was set. whenSet runs as the printer becomes the default.
    bool SetMatchingPrinter(std::string_view argument, const std::function<void()>& whenSet = {});

private:
    void SetSelectedAsDefault(bool fromCommandLine, const std::function<void()>& whenSet = {});
    // Sets the selected entry as the default and tells the user of a
    // failure; what the window does next is the caller's. whenSet runs as
    // the default is stored, before other programs are told of it.
    printers::SetDefaultStatus SetSelected(bool quiet, const std::function<void()>& whenSet = {});
    // The printer SetSelected last set, as Windows names it.
    std::string SelectedPrinterName() const;
    // The shortcut for the selected entry; nothing when none is selected.
    std::optional<shortcuts::ShortcutRequest> SelectedShortcut();
    // Whether the selected entry names an installed printer: a shortcut
    // for a name the code page could not carry would name none, or the
    // wrong one, when it runs.
    bool SelectedPrinterInstalled();

    Forms& forms_;
};

}  // namespace quillon::ui
