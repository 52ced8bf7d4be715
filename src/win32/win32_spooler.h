#pragma once

#include "platform/spooler.h"

namespace quillon::platform::win32 {

// The print spooler through the winspool API.
class Win32Spooler final : public Spooler {
public:
    std::unique_ptr<PrinterConnection> Open(std::string_view printerName,
                                            std::uint32_t access) override;
    std::vector<InstalledPrinter> InstalledPrinters(bool withDriverAndPort) override;
};

}  // namespace quillon::platform::win32
