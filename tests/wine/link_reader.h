#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillon::e2e {

// What Debian's lnkinfo, a reader of the shortcut format that shares no
// code with Windows or Wine, prints about a link file; nothing when the
// tool could not be run (it runs natively, started from inside Wine).
std::optional<std::string> RunLnkinfo(const std::string& windowsPath);

// The value printed after "label :" on one of lnkinfo's lines, without the
// blanks around it; nothing when no line has the label.
std::optional<std::string> LnkinfoField(std::string_view output, std::string_view label);

}  // namespace quillon::e2e
