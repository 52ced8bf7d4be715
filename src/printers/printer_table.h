#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quillon::platform {
class Window;
}

namespace quillon::printers {

// Lets the display-name index be searched with a string_view, without
// building a std::string for every lookup.
struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const noexcept {
        return std::hash<std::string_view>{}(text);
    }
};

// The installed printers as the profile names them, each paired with the
// name the list shows. Entries keep the order of the profile's key list.
struct PrinterTable {
    std::vector<std::string> RawPrinterNames;
    std::vector<std::string> DisplayPrinterNames;
    // Each display name to the first entry that shows it. The start-up
    // sequence turns every list entry back into a printer name, so a scan
    // per entry would make a long printer list quadratic. Kept by
    // FillPrinterTable, like the two lists.
    std::unordered_map<std::string, std::size_t, TextHash, std::equal_to<>> DisplayIndex;

    std::size_t PrinterCount() const { return RawPrinterNames.size(); }
};

// Rebuilds the table from the [PrinterPorts] key list as the profile leaves
// it in a blank-filled buffer: names ended by NULs, an extra NUL, then the
// filler. Pieces that are empty or all blanks are skipped; the others are
// kept as they are, blanks included. The caller adds the display names to
// its list.
void FillPrinterTable(PrinterTable& table, std::string_view keyList, std::int32_t uncDisplayMode);

// The printer a list entry stands for: the raw name of the first entry whose
// display name is exactly the text (the text itself when none is), in the
// on-form. Two network printers of one name on different servers look the
// same in the list when the server is hidden; the first one wins.
std::string ListEntryToPrinterName(const PrinterTable& table, std::string_view text);

}  // namespace quillon::printers
