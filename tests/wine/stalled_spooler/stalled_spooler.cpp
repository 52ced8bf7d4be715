// Put in place of the system's winspool.drv for one run: a spooler whose
// printer connections lead to a print server that does not answer. Names
// (level 4) come at once, as from the system's records; anything that
// opens the connections (level 2) waits as long as the network would.

#include <windows.h>
#include <winspool.h>

#include <cstring>

namespace {

constexpr const char* kPrinters[] = {"HP LaserJet 4", "HP DeskJet 500", "Fax"};
constexpr DWORD kCount = sizeof kPrinters / sizeof kPrinters[0];
constexpr DWORD kServerTimeoutMs = 8000;

// The records first, then the texts they point to (the names are ASCII,
// so each byte is one character in either form). Driver and port point at
// the name: what they hold matters to no test.
template <typename Char, typename Info4, typename Info2>
BOOL Enumerate(DWORD level, BYTE* buffer, DWORD size, DWORD* needed, DWORD* returned) {
    if (level != 4) Sleep(kServerTimeoutMs);
    const DWORD recordSize = level == 4 ? sizeof(Info4) : sizeof(Info2);
    DWORD bytes = kCount * recordSize;
    for (const char* name : kPrinters) bytes += static_cast<DWORD>((std::strlen(name) + 1) * sizeof(Char));
    *needed = bytes;
    *returned = 0;
    if (buffer == nullptr || size < bytes) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    auto* text = reinterpret_cast<Char*>(buffer + kCount * recordSize);
    for (DWORD i = 0; i < kCount; ++i) {
        Char* name = text;
        for (const char* c = kPrinters[i]; *c != '\0'; ++c) *text++ = static_cast<Char>(*c);
        *text++ = 0;
        if (level == 4) {
            auto& record = reinterpret_cast<Info4*>(buffer)[i];
            record = Info4{};
            record.pPrinterName = name;
            record.Attributes = PRINTER_ATTRIBUTE_LOCAL;
        } else {
            auto& record = reinterpret_cast<Info2*>(buffer)[i];
            record = Info2{};
            record.pPrinterName = record.pDriverName = record.pPortName = name;
        }
    }
    *returned = kCount;
    return TRUE;
}

}  // namespace

extern "C" __declspec(dllexport) BOOL WINAPI EnumPrintersW(DWORD, LPWSTR, DWORD level, LPBYTE buffer,
                                                           DWORD size, LPDWORD needed,
                                                           LPDWORD returned) {
    return Enumerate<WCHAR, PRINTER_INFO_4W, PRINTER_INFO_2W>(level, buffer, size, needed, returned);
}

extern "C" __declspec(dllexport) BOOL WINAPI EnumPrintersA(DWORD, LPSTR, DWORD level, LPBYTE buffer,
                                                           DWORD size, LPDWORD needed,
                                                           LPDWORD returned) {
    return Enumerate<char, PRINTER_INFO_4A, PRINTER_INFO_2A>(level, buffer, size, needed, returned);
}
