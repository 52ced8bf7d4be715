#pragma once

#include <string>
#include <string_view>

#include "platform/system.h"

namespace quillon {

inline constexpr std::string_view kDiagnosticsFileName = "QLNDiagnostics.log";

// One line of the log: "YYYY.MM.DD hh.mm.ss text" and CR LF. The date and
// the time come from two readings of the clock.
std::string FormatDiagnosticLine(const platform::LocalDateTime& date,
                                 const platform::LocalDateTime& time, std::string_view text);

}  // namespace quillon
