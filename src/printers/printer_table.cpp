#include "printers/printer_table.h"

#include "base/text.h"
#include "printers/printer_names.h"

namespace quillon::printers {

void FillPrinterTable(PrinterTable& table, std::string_view keyList, std::int32_t uncDisplayMode,
                      std::string_view onServer) {
    table.RawPrinterNames.clear();
    table.DisplayPrinterNames.clear();
    table.DisplayIndex.clear();
    std::size_t start = 0;
    while (start <= keyList.size()) {
        auto end = keyList.find('\0', start);
        if (end == std::string_view::npos) end = keyList.size();
        const auto piece = keyList.substr(start, end - start);
        if (!text::TrimBlanks(piece).empty()) table.RawPrinterNames.emplace_back(piece);
        start = end + 1;
    }
    table.DisplayPrinterNames.reserve(table.RawPrinterNames.size());
    table.DisplayIndex.reserve(table.RawPrinterNames.size());
    for (const auto& raw : table.RawPrinterNames) {
        table.DisplayPrinterNames.push_back(ListFormat(raw, uncDisplayMode, onServer));
        // try_emplace keeps the entry already there: the first one wins.
        table.DisplayIndex.try_emplace(table.DisplayPrinterNames.back(),
                                       table.DisplayPrinterNames.size() - 1);
    }
}

std::string ListEntryToPrinterName(const PrinterTable& table, std::string_view text,
                                  std::string_view onServer) {
    const auto found = table.DisplayIndex.find(text);
    if (found == table.DisplayIndex.end()) return ToOnForm(text, onServer);
    return ToOnForm(table.RawPrinterNames[found->second], onServer);
}

}  // namespace quillon::printers
