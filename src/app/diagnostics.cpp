#include "app/diagnostics.h"

#include <cstdio>

namespace quillon {

std::string FormatDiagnosticLine(const platform::LocalDateTime& date,
                                 const platform::LocalDateTime& time, std::string_view text) {
    char stamp[48];
    std::snprintf(stamp, sizeof stamp, "%04d.%02d.%02d %02d.%02d.%02d ", date.year, date.month,
                  date.day, time.hour, time.minute, time.second);
    std::string line = stamp;
    line += text;
    line += "\r\n";
    return line;
}

}  // namespace quillon
