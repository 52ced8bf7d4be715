// Put in place of the system's winspool.drv for one run: a spooler whose
// printer connections lead to a print server that does not answer. The
// names (level 4) come at once, as from the system's records; whatever
// opens the connections waits as long as the network would, then fails.

#include <windows.h>
#include <winspool.h>

namespace {

constexpr const wchar_t* kPrinters[] = {L"HP LaserJet 4", L"HP DeskJet 500", L"Fax"};
constexpr DWORD kCount = 3;

BOOL Unanswered() {
    Sleep(60000);
    SetLastError(RPC_S_SERVER_UNAVAILABLE);
    return FALSE;
}

}  // namespace

extern "C" __declspec(dllexport) BOOL WINAPI EnumPrintersW(DWORD, LPWSTR, DWORD level, LPBYTE buffer,
                                                           DWORD size, LPDWORD needed,
                                                           LPDWORD returned) {
    if (level != 4) return Unanswered();
    // The records, then the names they point to.
    *needed = kCount * sizeof(PRINTER_INFO_4W) + 64 * sizeof(wchar_t);
    *returned = 0;
    if (buffer == nullptr || size < *needed) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    auto* records = reinterpret_cast<PRINTER_INFO_4W*>(buffer);
    auto* text = reinterpret_cast<wchar_t*>(records + kCount);
    for (DWORD i = 0; i < kCount; ++i) {
        records[i] = {lstrcpyW(text, kPrinters[i]), nullptr, PRINTER_ATTRIBUTE_LOCAL};
        text += lstrlenW(text) + 1;
    }
    *returned = kCount;
    return TRUE;
}

// What the program asked for before it took names only.
extern "C" __declspec(dllexport) BOOL WINAPI EnumPrintersA(DWORD, LPSTR, DWORD, LPBYTE, DWORD,
                                                           LPDWORD, LPDWORD) {
    return Unanswered();
}
