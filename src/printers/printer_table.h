#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/printer_table.h"
#include "base/texts.h"

namespace quillon::printers {

// Rebuilds the table from the [PrinterPorts] key list as the profile leaves
// it in a blank-filled buffer: names ended by NULs, an extra NUL, then the
// filler. Pieces that are empty or all blanks are skipped; the others are
// kept as they are, blanks included. The caller adds the display names to
// its list.
void FillPrinterTable(PrinterTable& table, std::string_view keyList, std::int32_t uncDisplayMode,
                      std::string_view onServer = texts::English().PrinterOnServer);

// The printer a list entry stands for: the raw name of the first entry whose
// display name is exactly the text (the text itself when none is), in the
// on-form given, English unless told. Two network printers of one name on different servers look the
// same in the list when the server is hidden; the first one wins.
std::string ListEntryToPrinterName(const PrinterTable& table, std::string_view text,
                                  std::string_view onServer = texts::English().PrinterOnServer);

}  // namespace quillon::printers
