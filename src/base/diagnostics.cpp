#include "base/diagnostics.h"

#include <cstdio>

namespace quillon {

std::string FormatDiagnosticLine(const platform::LocalDateTime& when, std::string_view text) {
    char stamp[48];
    std::snprintf(stamp, sizeof stamp, "%04d.%02d.%02d %02d.%02d.%02d ", when.year, when.month,
                  when.day, when.hour, when.minute, when.second);
    std::string line = stamp;
    line += text;
    line += "\r\n";
    return line;
}

}  // namespace quillon
