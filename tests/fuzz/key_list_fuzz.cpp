// The [PrinterPorts] key list as the profile hands it over, and every name
// form the program derives from its entries. The first byte picks the
// display mode; the rest is the list.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/text.h"
#include "printers/printer_names.h"
#include "printers/printer_table.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

// The part of a UNC name after the last backslash, and the one between the
// leading two and it; nothing to split otherwise.
bool SplitUnc(std::string_view name, std::string_view& server, std::string_view& printer) {
    if (!name.starts_with("\\\\")) return false;
    const auto last = name.rfind('\\');
    if (last < 2) return false;
    server = name.substr(2, last - 2);
    printer = name.substr(last + 1);
    return true;
}

bool EndsWithBlank(std::string_view s) { return !s.empty() && s.back() == ' '; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quillon;
    using namespace quillon::printers;
    if (size == 0) return 0;
    const std::int32_t mode = data[0] % 3;
    const std::string_view keyList(reinterpret_cast<const char*>(data) + 1, size - 1);

    PrinterTable table;
    FillPrinterTable(table, keyList, mode);
    Check(table.DisplayPrinterNames.size() == table.PrinterCount());

    for (std::size_t i = 0; i < table.PrinterCount(); ++i) {
        const std::string& raw = table.RawPrinterNames[i];
        const std::string& shown = table.DisplayPrinterNames[i];
        Check(!raw.empty() && raw.find('\0') == std::string::npos);
        Check(shown == ListFormat(raw, mode));

        // The first entry that shows this text names the printer.
        std::size_t first = 0;
        while (table.DisplayPrinterNames[first] != shown) ++first;
        Check(ListEntryToPrinterName(table, shown) == ToOnForm(table.RawPrinterNames[first]));

        const std::string onForm = ToOnForm(raw);
        Check(PrinterNameMatches(raw, raw));
        Check(PrinterNameMatches(raw, text::ToLower(raw)));
        (void)PrinterNameMatches(raw, shown);
        (void)PrinterNameMatches(onForm, raw);

        std::string_view server;
        std::string_view printer;
        if (SplitUnc(raw, server, printer)) {
            // Only the server takes part, read without the other name's
            // trailing blanks; a server that is empty or ends in blanks
            // therefore never matches its own on-form.
            if (!server.empty() && !EndsWithBlank(server)) Check(PrinterNameMatches(raw, onForm));
            // The UNC form comes back from the on-form unless the printer's
            // trailing blanks were dropped or the server part itself reads
            // as holding the marker.
            const bool roundTrips = !EndsWithBlank(printer) && !EndsWithBlank(server) &&
                                    server.find(" on ") == std::string_view::npos &&
                                    !server.starts_with("on ");
            if (roundTrips) Check(ToUncForm(onForm) == raw);
        } else {
            Check(onForm == raw);
        }
        (void)ToUncForm(raw);
    }
    // A text that no entry shows passes through as its own on-form.
    Check(ListEntryToPrinterName(table, keyList) == ToOnForm(keyList) ||
          table.DisplayIndex.contains(keyList));
    return 0;
}
