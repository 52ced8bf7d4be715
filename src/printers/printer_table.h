#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quillon::platform {
class Window;
}

namespace quillon::printers {

// The installed printers as the profile names them, each paired with the
// name the list shows. Entries keep the order of the profile's key list.
struct PrinterTable {
    std::vector<std::string> RawPrinterNames;
    std::vector<std::string> DisplayPrinterNames;

    std::size_t PrinterCount() const { return RawPrinterNames.size(); }
};

}  // namespace quillon::printers
