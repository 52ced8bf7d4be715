#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quillon {

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

}  // namespace quillon
