#pragma once

#include <string>
#include <string_view>

#include "platform/system.h"

namespace quillon {

inline constexpr std::string_view kDiagnosticsFileName = "QLNDiagnostics.log";

// One line of the log: "YYYY.MM.DD hh.mm.ss text" and CR LF. Date and time
// come from one reading of the clock, so a line written as midnight passes
// cannot carry the old day with the new time.
std::string FormatDiagnosticLine(const platform::LocalDateTime& when, std::string_view text);

}  // namespace quillon
