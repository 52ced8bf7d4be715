#pragma once

#include <string_view>

#include "ui/form.h"
#include "ui/forms.h"

namespace quillon::ui {

// Switches the three shortcut features on or off. Opens instead of the
// main window until options have been stored once, or on "/setup".
class frmSetup : public Form {
public:
    // The names its controls are addressed by.
    static constexpr std::string_view fraDesktop = "fraDesktop";
    static constexpr std::string_view optDesktopYes = "optDesktopYes";
    static constexpr std::string_view optDesktopNo = "optDesktopNo";
    static constexpr std::string_view lblDesktop = "lblDesktop";
    static constexpr std::string_view fraStartup = "fraStartup";
    static constexpr std::string_view lblStartup = "lblStartup";
    static constexpr std::string_view optStartupYes = "optStartupYes";
    static constexpr std::string_view optStartupNo = "optStartupNo";
    static constexpr std::string_view cmdOK = "cmdOK";
    static constexpr std::string_view cmdCancel = "cmdCancel";
    static constexpr std::string_view fraStartupAll = "fraStartupAll";
    static constexpr std::string_view lblStartupAll = "lblStartupAll";
    static constexpr std::string_view optStartupAllYes = "optStartupAllYes";
    static constexpr std::string_view optStartupAllNo = "optStartupAllNo";

    frmSetup(RunState& state, Forms& forms);

    void Form_Load() override;
    void Control_Click(std::string_view control) override;

    void cmdOK_Click();
    void cmdCancel_Click();

private:
    Forms& forms_;
};

}  // namespace quillon::ui
