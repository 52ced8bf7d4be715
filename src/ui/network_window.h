#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "networks/network_choices.h"
#include "platform/networks.h"
#include "ui/form.h"
#include "ui/forms.h"

namespace quillon::ui {

// "Default printer per network": whether the default printer changes with
// the network, and the user's table of a printer for each network. Nothing
// is stored before OK.
class frmNetworkPrinters : public Form {
public:
    // The names its controls are addressed by.
    static constexpr std::string_view optSameDefault = "optSameDefault";
    static constexpr std::string_view optChangeWithNetwork = "optChangeWithNetwork";
    static constexpr std::string_view lstNetworkPrinters = "lstNetworkPrinters";
    static constexpr std::string_view lblNetwork = "lblNetwork";
    static constexpr std::string_view cboNetwork = "cboNetwork";
    static constexpr std::string_view lblPrinter = "lblPrinter";
    static constexpr std::string_view cboPrinter = "cboPrinter";
    static constexpr std::string_view cmdAdd = "cmdAdd";
    static constexpr std::string_view cmdRemove = "cmdRemove";
    static constexpr std::string_view lblPlaceRule = "lblPlaceRule";
    static constexpr std::string_view cmdOK = "cmdOK";
    static constexpr std::string_view cmdCancel = "cmdCancel";

    frmNetworkPrinters(RunState& state, Forms& forms);

    void Form_Load() override;
    void Control_Click(std::string_view control) override;

    void cmdAdd_Click();
    void cmdRemove_Click();
    void cmdOK_Click();

private:
    // The table's rows as the list shows them, in the table's order.
    void ShowChoices();
    // What can be done now: the table only while switching is chosen, Add
    // with a network and a printer, Remove with a row.
    void EnableControls();
    bool Connected(std::string_view network) const;
    // Stores the table, the choice and the task; false when any of it
    // could not be stored.
    bool Store(bool switching);

    Forms& forms_;
    std::vector<platform::Network> connected_;
    std::vector<networks::NetworkChoice> choices_;
    // The printer names behind the entries of cboPrinter.
    std::vector<std::string> printerNames_;
};

}  // namespace quillon::ui
