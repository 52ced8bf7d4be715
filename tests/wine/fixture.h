#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "base/texts.h"
#include "wine/driver.h"

namespace quillon::e2e {

// The texts of the program's translation of that name ("de-DE").
inline const texts::Texts& TranslationOf(std::string_view language) {
    for (const auto& translation : texts::Translations()) {
        if (translation.tag == language) return translation.texts;
    }
    throw std::invalid_argument("no translation " + std::string(language));
}

// Every test starts from the same prefix state: four printers in the
// profile, no default, options stored as all "yes", Wine as version 6.1,
// and Windows' management of the default printer off, as it is for every
// test that does not ask for it.
class QuillonTest : public ::testing::Test {
protected:
    void SetUp() override {
        ClearPrinters();
        AddProfilePrinter("HP LaserJet 4", "winspool,LPT1:,15,45");
        AddProfilePrinter("HP DeskJet 500", "winspool,LPT2:,15,45");
        AddProfilePrinter("Fax", "winspool,FAX:,15,45");
        AddProfilePrinter("\\\\srv\\Plotter", "winspool,Ne02:,15,45");
        for (const char* local : {"HP LaserJet 4", "HP DeskJet 500", "Fax"}) {
            InstallSpoolerPrinter(local, "LPT1:");
        }
        SetDefaultDevice("");
        ClearOptions();
        StoreOptions("1", "1", "1");
        SetWineVersion("win7");
        SetLegacyDefaultPrinterMode(1);
    }

    void TearDown() override {
        program_.reset();
        SetWineVersion("win7");
        SetLegacyDefaultPrinterMode(std::nullopt);
    }

    Process& Start(const std::string& arguments, bool diagnostics = false) {
        program_ = locale_.empty()
                       ? std::make_unique<Process>(ProgramPath(diagnostics), arguments)
                       : std::make_unique<Process>(ProgramPath(diagnostics), arguments, locale_);
        return *program_;
    }

    // Runs the program to its end and returns the exit code (99 when it
    // had to be stopped).
    DWORD RunToEnd(const std::string& arguments, std::chrono::milliseconds timeout = 30s) {
        auto& program = Start(arguments);
        return program.WaitForExit(timeout).value_or(99);
    }

    std::unique_ptr<Process> program_;
    // The host locale (LC_ALL) of the programs Start starts; empty: the
    // session's own.
    std::string locale_;
};

}  // namespace quillon::e2e
