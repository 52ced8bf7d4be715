#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/registry.h"
#include "ui/form.h"
#include "ui/hyper_text.h"

namespace quillon::ui {

// A registry value that reads as zero bytes: there is nothing to take the
// text from. GetKeyValue throws it for its caller to handle.
class EmptyKeyValue : public std::runtime_error {
public:
    EmptyKeyValue() : std::runtime_error("the registry value is empty") {}
};

// The program's name, version, company and legal notice, a button that
// starts the system's System Information tool, and links to the product's
// web page and the support e-mail address. Shown modally over the main
// window.
class frmAbout : public Form {
public:
    // The names its controls are addressed by.
    static constexpr std::string_view picIcon = "picIcon";
    static constexpr std::string_view lblTitle = "lblTitle";
    static constexpr std::string_view lblVersion = "lblVersion";
    static constexpr std::string_view lblDescription = "lblDescription";
    static constexpr std::string_view Line1 = "Line1";
    static constexpr std::string_view lblTechSupport = "lblTechSupport";
    static constexpr std::string_view lblWeb = "lblWeb";
    static constexpr std::string_view lblWebLink = "lblWebLink";
    static constexpr std::string_view lblEmail = "lblEmail";
    static constexpr std::string_view lblEmailLink = "lblEmailLink";
    static constexpr std::string_view cmdOK = "cmdOK";
    static constexpr std::string_view cmdSysInfo = "cmdSysInfo";

    explicit frmAbout(RunState& state);

    void Form_Load() override;
    void Form_Unload() override;
    void Control_Click(std::string_view control) override;
    void Control_MouseMove(std::string_view control) override;

    void cmdOK_Click();
    void cmdSysInfo_Click();

    // Starts the System Information tool where the registry says it is,
    // or tells the user that it cannot.
    void StartSysInfo();

    // Reads a value under the root into KeyVal: a string as it is, a
    // number (REG_DWORD) in decimal; a value of any other type leaves
    // KeyVal as it came. False, with KeyVal emptied, when the key or the
    // value cannot be read. Throws EmptyKeyValue for a value of no bytes.
    bool GetKeyValue(platform::RegistryRoot KeyRoot, std::string_view KeyName,
                     std::string_view SubKeyRef, std::string& KeyVal);

private:
    HyperText* LinkOf(std::string_view control);

    std::unique_ptr<HyperText> webLink_;
    std::unique_ptr<HyperText> emailLink_;
};

}  // namespace quillon::ui
