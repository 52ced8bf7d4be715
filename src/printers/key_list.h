#pragma once

#include <string>

#include "platform/profile.h"

namespace quillon::printers {

// The key list of [PrinterPorts] as the profile leaves it in a buffer
// filled with blanks beforehand, ready for FillPrinterTable. A list longer
// than the first 8192-character buffer is read again into buffers twice as
// large until it fits, so that no printer is left out and no name arrives
// cut short.
std::string ReadPrinterKeyList(platform::Profile& profile);

}  // namespace quillon::printers
