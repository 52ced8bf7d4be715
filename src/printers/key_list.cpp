#include "printers/key_list.h"

#include <cstddef>

namespace quillon::printers {
namespace {

// A profile that claims ever longer lists must not take all memory; past
// this size the list is taken as it came.
constexpr std::size_t kLargestBufferSize = std::size_t{1} << 26;

}  // namespace

std::string ReadPrinterKeyList(platform::Profile& profile) {
    std::size_t size = kFirstKeyListBufferSize;
    while (true) {
        std::string buffer(size, ' ');
        const auto count = profile.GetString("PrinterPorts", std::nullopt, "", buffer);
        // A list that did not fit comes back cut, with the count size - 2
        // (size - 1 under Wine). A list that fits exactly gives such a count
        // too; reading it once more costs nothing but time.
        if (count + 2 < size || size >= kLargestBufferSize) return buffer;
        size *= 2;
    }
}

}  // namespace quillon::printers
