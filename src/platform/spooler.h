#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillon::platform {

inline constexpr std::uint32_t kPrinterAllAccess = 0xF000C;
inline constexpr std::uint32_t kPrinterAttributeDefault = 4;
// ERROR_INVALID_PRINTER_NAME: what Windows says of a printer that is not
// installed.
inline constexpr std::uint32_t kErrorInvalidPrinterName = 1801;

struct InstalledPrinter {
    std::string deviceName;
    std::string driverName;
    std::string port;
};

// The level-5 printer record as the spooler hands it out: the two names are
// NUL-terminated texts inside the connection's own buffer, valid until the
// next read or the end of the connection.
struct PrinterInfo5View {
    const char* printerName = nullptr;
    const char* portName = nullptr;
    std::uint32_t attributes = 0;
    std::uint32_t deviceNotSelectedTimeout = 0;
    std::uint32_t transmissionRetryTimeout = 0;
};

struct PrinterInfo5 {
    std::string printerName;
    std::string portName;
    std::uint32_t attributes = 0;
    std::uint32_t deviceNotSelectedTimeout = 0;
    std::uint32_t transmissionRetryTimeout = 0;
};

// An open printer; closed when the object goes.
class PrinterConnection {
public:
    virtual ~PrinterConnection() = default;
    // GetPrinterA at level 5; nothing when the record could not be read.
    virtual std::optional<PrinterInfo5View> ReadInfo5() = 0;
    // SetPrinterA at level 5, command 0. Returns 0 on success, otherwise
    // the system's error code.
    virtual std::uint32_t WriteInfo5(const PrinterInfo5& info) = 0;
};

// The print spooler. Abstract so that tests can use an in-memory spooler;
// the real one is the Win32 spooler.
class Spooler {
public:
    virtual ~Spooler() = default;
    // OpenPrinterA with no data type or device mode; nothing on failure.
    virtual std::unique_ptr<PrinterConnection> Open(std::string_view printerName,
                                                    std::uint32_t access) = 0;
    // Every installed printer, in the system's order. Names only (driver
    // and port empty) unless asked for: the names come from the system's
    // own records at once, while driver and port mean asking every print
    // server, which for one that is down takes as long as the network
    // waits for it.
    virtual std::vector<InstalledPrinter> InstalledPrinters(bool withDriverAndPort) = 0;
};

}  // namespace quillon::platform
