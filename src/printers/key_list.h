#pragma once

#include <cstddef>
#include <string>

#include "platform/profile.h"

namespace quillon::printers {

// The first buffer holds the names of a few thousand printers, so that one
// read is enough on nearly every machine: each read walks the whole
// section, which takes longer than anything else the program does among
// thousands of printers.
inline constexpr std::size_t kFirstKeyListBufferSize = std::size_t{1} << 18;

// The key list of [PrinterPorts] as the profile leaves it in a buffer
// filled with blanks beforehand, ready for FillPrinterTable. A list longer
// than the first buffer is read again into buffers twice as large until it
// fits, so that no printer is left out and no name arrives cut short.
std::string ReadPrinterKeyList(platform::Profile& profile);

}  // namespace quillon::printers
