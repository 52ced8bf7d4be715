#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/texts.h"

// A network printer has two written forms: the UNC form "\\server\printer"
// under which the profile and the spooler know it, and the on-form
// "printer on server" that people read. The list shows the on-form in the
// words of the run's language ("printer auf server"); the English one is
// the form shortcuts and command lines name a printer by, in every
// language. In the UNC form the server part is
// everything between the leading "\\" and the last backslash, so it may hold
// backslashes itself.
namespace quillon::printers {

// The name the printer list shows: the on-form of a UNC name in the form
// given (a catalogue's PrinterOnServer), and with display mode 2 only the
// part before " on " of the English on-form (any letter case), which also
// shortens local names that hold " on ".
std::string ListFormat(std::string_view name, std::int32_t uncDisplayMode,
                       std::string_view onServer = texts::English().PrinterOnServer);

// "\\srv\HP" gives "HP on srv" (in the form given), with the printer
// part's trailing blanks removed; any other name is returned unchanged.
std::string ToOnForm(std::string_view name,
                     std::string_view onServer = texts::English().PrinterOnServer);

// "A on B on srv" gives "\\srv\A on B": the last " on " (exactly in lower
// case) splits it; any other name is returned unchanged.
std::string ToUncForm(std::string_view name);

// Whether two names, each in any form, name the same printer: equal ignoring
// letter case, or one is a UNC name and the other ends with "on " and its
// server, or has the server where the form given has it ("srv 上の ...").
// Only the server is compared in the second case, which is enough to find
// the current default among the listed printers.
bool PrinterNameMatches(std::string_view strPrinter1, std::string_view strPrinter2,
                        std::string_view onServer = texts::English().PrinterOnServer);

struct DriverAndPort {
    std::string driver;
    std::string port;
};

// The first two fields of a [PrinterPorts] value such as
// "winspool,Ne01:,15,45"; both empty without a comma, the port empty
// without a second one.
DriverAndPort SplitPrinterPortsValue(std::string_view value);

}  // namespace quillon::printers
