#pragma once

#include <string_view>

#include "ui/form.h"

namespace quillon::ui {

// The answer of frmStartupUsers.
enum class StartupUsersChoice { Cancelled, AllUsers, CurrentUser };

// Asks for whom a Startup entry is made; Cancelled when the user cancels
// or closes the dialog.
class frmStartupUsers : public Form {
public:
    // The names its controls are addressed by.
    static constexpr std::string_view blbSelect = "blbSelect";
    static constexpr std::string_view optCurrentUserOnly = "optCurrentUserOnly";
    static constexpr std::string_view optAllUsers = "optAllUsers";
    static constexpr std::string_view cmdOK = "cmdOK";
    static constexpr std::string_view cmdCancel = "cmdCancel";

    explicit frmStartupUsers(RunState& state);

    // Shows the dialog modally over the owner and returns the answer.
    StartupUsersChoice Ask(const Form* owner);

    void Form_Load() override;
    void Control_Click(std::string_view control) override;

    void cmdOK_Click();
    void cmdCancel_Click();

private:
    StartupUsersChoice choice_ = StartupUsersChoice::Cancelled;
};

}  // namespace quillon::ui
