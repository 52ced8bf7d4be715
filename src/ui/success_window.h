#pragma once

#include <string>
#include <string_view>

#include "ui/form.h"

namespace quillon::ui {

// Confirms the new default printer.
class frmSuccess : public Form {
public:
    // The names its controls are addressed by.
    static constexpr std::string_view Image1 = "Image1";
    static constexpr std::string_view lblSuccess = "lblSuccess";
    static constexpr std::string_view cmdOK = "cmdOK";

    explicit frmSuccess(RunState& state);

    // Shows the window modally over the owner; it closes by itself after
    // three seconds when asked to, and otherwise waits for OK.
    void Confirm(const Form* owner, bool closeByItself);

    void Form_Load() override;
    void Form_Activate() override;
    void Control_Click(std::string_view control) override;

    void cmdOK_Click();

private:
    bool closeByItself_ = false;
};

// The text with every "&" doubled, so that a label shows it literally
// instead of taking "&" as the mark of an access key.
std::string FixVBAmpersandInText(std::string_view strText);

}  // namespace quillon::ui
