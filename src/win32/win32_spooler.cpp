#include "win32/win32_spooler.h"

#include <windows.h>
#include <winspool.h>

#include <string>

#include "win32/unique_handle.h"
#include "win32/wide_text.h"
#include "win32/win32_printer_connection.h"

namespace quillon::platform::win32 {

namespace {

constexpr DWORD kEnumerateFlags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
constexpr int kEnumerateAttempts = 4;

std::string TextOrEmpty(const wchar_t* text) { return text != nullptr ? Narrow(text) : std::string{}; }

// A printer installed between the size query and the read makes the read
// ask for more room; the records are kept in an array of the record type so
// that they are aligned as the spooler lays them out. Wide, since a name
// can take more bytes in the code page than in UTF-16, and the narrow form
// must then find room the wide one did not need.
template <typename Record, typename Convert>
std::vector<InstalledPrinter> Enumerate(DWORD level, Convert convert) {
    std::vector<Record> records;
    DWORD needed = 0;
    DWORD returned = 0;
    EnumPrintersW(kEnumerateFlags, nullptr, level, nullptr, 0, &needed, &returned);
    for (int attempt = 0; attempt < kEnumerateAttempts; ++attempt) {
        records.assign(needed / sizeof(Record) + 1, Record{});
        const auto bytes = static_cast<DWORD>(records.size() * sizeof(Record));
        returned = 0;
        if (EnumPrintersW(kEnumerateFlags, nullptr, level, reinterpret_cast<BYTE*>(records.data()),
                          bytes, &needed, &returned)) {
            std::vector<InstalledPrinter> printers;
            printers.reserve(returned);
            for (DWORD i = 0; i < returned; ++i) printers.push_back(convert(records[i]));
            return printers;
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) break;
    }
    return {};
}

}  // namespace

std::unique_ptr<PrinterConnection> Win32Spooler::Open(std::string_view printerName,
                                                      std::uint32_t access) {
    std::string name(printerName);
    PRINTER_DEFAULTSA defaults{nullptr, nullptr, access};
    unique_printer printer;
    if (!OpenPrinterA(name.data(), printer.out(), &defaults)) return nullptr;
    return std::make_unique<Win32PrinterConnection>(std::move(printer));
}

std::vector<InstalledPrinter> Win32Spooler::InstalledPrinters(bool withDriverAndPort) {
    // Level 4 reads the names from the system's records and opens no
    // connection; level 2 opens each one.
    if (withDriverAndPort) {
        return Enumerate<PRINTER_INFO_2W>(2, [](const PRINTER_INFO_2W& record) {
            return InstalledPrinter{TextOrEmpty(record.pPrinterName),
                                    TextOrEmpty(record.pDriverName), TextOrEmpty(record.pPortName)};
        });
    }
    return Enumerate<PRINTER_INFO_4W>(4, [](const PRINTER_INFO_4W& record) {
        return InstalledPrinter{TextOrEmpty(record.pPrinterName), {}, {}};
    });
}

}  // namespace quillon::platform::win32
