#include "win32/sorted_list.h"

#include <windows.h>

#include <cstddef>

#include "win32/wide_text.h"

namespace quillon::platform::win32 {
namespace {

// Compares as the sorted list box does, in UTF-16: CompareStringA would
// read the bytes in the locale's code page, not the program's (UTF-8), and
// put a Chinese name before "Fax" where the list box puts it after.
int CompareIgnoringCase(std::string_view a, std::string_view b) {
    const std::wstring wideA = Widen(a);
    const std::wstring wideB = Widen(b);
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, wideA.data(),
                          static_cast<int>(wideA.size()), wideB.data(),
                          static_cast<int>(wideB.size()));
}

}  // namespace

std::size_t SortedListPosition(const std::vector<std::string>& entries, std::string_view text) {
    if (entries.empty()) return 0;
    // Entries mostly come in about their sorted order; one that sorts after
    // the last entry goes to the end, where the search would put it too.
    if (CompareIgnoringCase(text, entries.back()) == CSTR_GREATER_THAN) return entries.size();
    std::ptrdiff_t low = 0;
    std::ptrdiff_t high = static_cast<std::ptrdiff_t>(entries.size()) - 1;
    while (low <= high) {
        const std::ptrdiff_t middle = (low + high) / 2;
        const int order = CompareIgnoringCase(entries[static_cast<std::size_t>(middle)], text);
        if (order == CSTR_EQUAL) return static_cast<std::size_t>(middle);
        if (order == CSTR_GREATER_THAN) {
            high = middle - 1;
        } else {
            low = middle + 1;
        }
    }
    return static_cast<std::size_t>(low);
}

}  // namespace quillon::platform::win32
