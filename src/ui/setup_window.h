#pragma once

#include <string_view>

#include "ui/form.h"
#include "ui/forms.h"

namespace quillon::ui {

// Switches the three shortcut features on or off. Opens instead of the
// main window until options have been stored once, or on "/setup".
class frmSetup : public Form {
public:
    frmSetup(RunState& state, Forms& forms);

    static const platform::WindowDesign& Design();

    void Form_Load() override;
    void Control_Click(std::string_view control) override;

    void cmdOK_Click();
    void cmdCancel_Click();

private:
    Forms& forms_;
};

}  // namespace quillon::ui
