#pragma once

#include <string>
#include <string_view>

#include "base/options.h"

namespace quillon {

// The command line with every switch word taken out, a double-quoted part
// put first with its quotes. Words are cut at single blanks, and a dropped
// word keeps its blank, so "hp /delay 5 laser" leaves "hp  laser".
std::string StripSwitches(std::string_view strLine);

struct SwitchValue {
    bool found = false;
    std::string value;
};

// A switch that carries a value ("/delay 5", "/delay:5", "-delay=5"); the
// name is given in lower case without its "/". A later occurrence wins.
SwitchValue GetSwitchValue(std::string_view commandLine, std::string_view name);

// The printer named on the command line: the text without switches,
// lower-cased, with one double quote removed at each end.
std::string PrinterArgumentFrom(std::string_view commandLine);

// The longest leading decimal number of the text (sign, digits, point,
// fraction, exponent); 0 when there is none, an infinity of its sign when
// it is too large for a float.
float ParseSeconds(std::string_view value);

// The longest start delay a run waits, whatever its command line says: a
// Startup entry must never hold its log-on in an invisible wait for ever.
inline constexpr float kMaxStartDelaySeconds = 600.0f;

// The seconds a "/delay" value makes a run wait: the number, at most
// kMaxStartDelaySeconds.
float StartDelaySeconds(std::string_view value);
// The shortest decimal text that reads back as the same number: 5 gives
// "5", 2.5 gives "2.5".
std::string FormatSeconds(float seconds);

// The switches that enable or disable the shortcut features for this run.
void ApplyOptionSwitches(std::string_view commandLine, Options& options);

// "/hideuncpath" and "/showuncpath"; the second wins when both are given.
void ApplyNetworkNameSwitches(std::string_view commandLine, Options& options);

}  // namespace quillon
