#include "platform/win32/win32_spooler.h"

#include <windows.h>
#include <winspool.h>

#include <string>

#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_printer_connection.h"

namespace quillon::platform::win32 {

namespace {

constexpr DWORD kEnumerateFlags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
constexpr int kEnumerateAttempts = 4;

std::string TextOrEmpty(const char* text) { return text != nullptr ? text : std::string{}; }

}  // namespace

std::unique_ptr<PrinterConnection> Win32Spooler::Open(std::string_view printerName,
                                                      std::uint32_t access) {
    std::string name(printerName);
    PRINTER_DEFAULTSA defaults{nullptr, nullptr, access};
    unique_printer printer;
    if (!OpenPrinterA(name.data(), printer.out(), &defaults)) return nullptr;
    return std::make_unique<Win32PrinterConnection>(std::move(printer));
}

std::vector<InstalledPrinter> Win32Spooler::InstalledPrinters() {
    // A printer installed between the size query and the read makes the
    // read ask for more room; the records are kept in an array of the
    // record type so that they are aligned as the spooler lays them out.
    std::vector<PRINTER_INFO_2A> records;
    DWORD needed = 0;
    DWORD returned = 0;
    EnumPrintersA(kEnumerateFlags, nullptr, 2, nullptr, 0, &needed, &returned);
    for (int attempt = 0; attempt < kEnumerateAttempts; ++attempt) {
        records.assign(needed / sizeof(PRINTER_INFO_2A) + 1, PRINTER_INFO_2A{});
        const auto bytes = static_cast<DWORD>(records.size() * sizeof(PRINTER_INFO_2A));
        returned = 0;
        if (EnumPrintersA(kEnumerateFlags, nullptr, 2, reinterpret_cast<BYTE*>(records.data()),
                          bytes, &needed, &returned)) {
            std::vector<InstalledPrinter> printers;
            printers.reserve(returned);
            for (DWORD i = 0; i < returned; ++i) {
                printers.push_back(InstalledPrinter{TextOrEmpty(records[i].pPrinterName),
                                                    TextOrEmpty(records[i].pDriverName),
                                                    TextOrEmpty(records[i].pPortName)});
            }
            return printers;
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) break;
    }
    return {};
}

}  // namespace quillon::platform::win32
