#pragma once

#include <string>
#include <string_view>

#include "ui/form.h"

namespace quillon::ui {

// Confirms the new default printer. In command-line mode it closes by
// itself after three seconds, so that a shortcut or log-on entry needs no
// click; opened from the list it waits for OK.
class frmSuccess : public Form {
public:
    // The names its controls are addressed by.
    static constexpr std::string_view Image1 = "Image1";
    static constexpr std::string_view lblSuccess = "lblSuccess";
    static constexpr std::string_view cmdOK = "cmdOK";

    explicit frmSuccess(RunState& state);

    static const platform::WindowDesign& Design();

    void Form_Load() override;
    void Form_Activate() override;
    void Control_Click(std::string_view control) override;

    void cmdOK_Click();
};

// The text with every "&" doubled, so that a label shows it literally
// instead of taking "&" as the mark of an access key.
std::string FixVBAmpersandInText(std::string_view strText);

}  // namespace quillon::ui
