#include "win32/win32_printer_connection.h"

#include <windows.h>
#include <winspool.h>

#include <cstring>
#include <string>
#include <utility>

namespace quillon::platform::win32 {

namespace {

// Reported when SetPrinterA fails without leaving an error code of its own
// (Wine does that for level 5), so that the failure is never taken for
// success.
constexpr std::uint32_t kUnexplainedFailure = ERROR_NOT_SUPPORTED;

}  // namespace

Win32PrinterConnection::Win32PrinterConnection(unique_printer printer)
    : printer_(std::move(printer)) {}

std::optional<PrinterInfo5View> Win32PrinterConnection::ReadInfo5() {
    // The size query fails by design (the buffer is too small); only the
    // size it reports counts. The buffer is whole 4-byte units, one more
    // than the size needs.
    DWORD needed = 0;
    GetPrinterA(printer_.get(), 5, nullptr, 0, &needed);
    record_.assign(needed / sizeof(std::uint32_t) + 1, 0);
    const auto bytes = static_cast<DWORD>(record_.size() * sizeof(std::uint32_t));
    if (!GetPrinterA(printer_.get(), 5, reinterpret_cast<BYTE*>(record_.data()), bytes,
                     &needed) ||
        bytes < sizeof(PRINTER_INFO_5A)) {
        return std::nullopt;
    }
    PRINTER_INFO_5A record;
    std::memcpy(&record, record_.data(), sizeof record);
    return PrinterInfo5View{record.pPrinterName, record.pPortName, record.Attributes,
                            record.DeviceNotSelectedTimeout, record.TransmissionRetryTimeout};
}

std::uint32_t Win32PrinterConnection::WriteInfo5(const PrinterInfo5& info) {
    std::string printerName = info.printerName;
    std::string portName = info.portName;
    PRINTER_INFO_5A record{};
    record.pPrinterName = printerName.data();
    record.pPortName = portName.data();
    record.Attributes = info.attributes;
    record.DeviceNotSelectedTimeout = info.deviceNotSelectedTimeout;
    record.TransmissionRetryTimeout = info.transmissionRetryTimeout;
    // A stale code from an earlier call (the size query above leaves 122)
    // must not be reported as the reason of this failure.
    SetLastError(ERROR_SUCCESS);
    if (SetPrinterA(printer_.get(), 5, reinterpret_cast<BYTE*>(&record), 0)) return 0;
    const DWORD error = GetLastError();
    return error != ERROR_SUCCESS ? error : kUnexplainedFailure;
}

}  // namespace quillon::platform::win32
