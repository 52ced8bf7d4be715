// A [PrinterPorts] value, which any program that installs a printer writes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "printers/printer_names.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quillon::printers;
    const std::string_view value(reinterpret_cast<const char*>(data), size);
    const auto split = SplitPrinterPortsValue(value);
    Check(split.driver.find(',') == std::string::npos);
    Check(split.port.find(',') == std::string::npos);
    const auto commas = static_cast<std::size_t>(std::count(value.begin(), value.end(), ','));
    if (commas == 0) Check(split.driver.empty() && split.port.empty());
    if (commas >= 1) Check(value.starts_with(split.driver + ","));
    if (commas >= 2) Check(value.starts_with(split.driver + "," + split.port + ","));
    if (commas == 1) Check(split.port.empty());
    return 0;
}
