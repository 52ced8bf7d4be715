#pragma once

#include <cstdint>
#include <vector>

#include "platform/spooler.h"
#include "win32/unique_handle.h"

namespace quillon::platform::win32 {

// An open printer handle and the buffer that the last level-5 record was
// read into; the record's texts point into that buffer.
class Win32PrinterConnection final : public PrinterConnection {
public:
    explicit Win32PrinterConnection(unique_printer printer);

    std::optional<PrinterInfo5View> ReadInfo5() override;
    std::uint32_t WriteInfo5(const PrinterInfo5& info) override;

private:
    unique_printer printer_;
    std::vector<std::uint32_t> record_;
};

}  // namespace quillon::platform::win32
