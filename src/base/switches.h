#pragma once

#include <string>
#include <string_view>

#include "base/options.h"
#include "base/texts.h"

namespace quillon {

// Every switch the program knows, lower-cased: a new switch is added here.
// Those found anywhere in the lower-cased command line, as spelt:
namespace switch_text {
inline constexpr std::string_view NoGui = "/nogui";
inline constexpr std::string_view NoQuit = "/noquit";
inline constexpr std::string_view Quiet = "/q";
inline constexpr std::string_view Setup = "/setup";
inline constexpr std::string_view SetupDash = "-setup";
inline constexpr std::string_view HideUncPath = "/hideuncpath";
inline constexpr std::string_view ShowUncPath = "/showuncpath";
// Counts only as a word of its own (AsksForUsage):
inline constexpr std::string_view Usage = "/?";
// Those led by "/" or "-", named without it:
inline constexpr std::string_view Delay = "delay";
inline constexpr std::string_view Enable = "enable";
inline constexpr std::string_view EnableDesktop = "enabledesktop";
inline constexpr std::string_view EnableStartup = "enablestartup";
inline constexpr std::string_view EnableStartupAll = "enablestartupall";
inline constexpr std::string_view EnableAll = "enableall";
inline constexpr std::string_view DisableAll = "disableall";
// Words of their own, led by "/" or "-" (AsksForNetworkPrinter,
// AsksToRemoveNetworkTasks):
inline constexpr std::string_view Network = "network";
inline constexpr std::string_view RemoveTasks = "removetasks";
}  // namespace switch_text

// Whether the command line asks for the usage: "/?" as a word of its own
// outside the double-quoted part. Inside a name ("hp /?", quoted) or another
// word ("a/?", a pattern) it means nothing new.
bool AsksForUsage(std::string_view commandLine);

// Whether the command line asks for the printer chosen for the networks
// connected now: "/network" or "-network", in any case, as a word of its own
// outside the double-quoted part. Inside a name ("lab/network 2", quoted) it
// means nothing new.
bool AsksForNetworkPrinter(std::string_view commandLine);

// Whether the command line asks to remove the network switching tasks of
// every user: "/removetasks" or "-removetasks" as /network is found.
bool AsksToRemoveNetworkTasks(std::string_view commandLine);

// The text of the usage box: the command line of the program file, every
// switch with what it does, and the exit codes.
std::string UsageText(std::string_view programFile, const texts::Texts& texts);

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
// The same as the user wrote it, for the Application log.
std::string PrinterArgumentAsWritten(std::string_view commandLine);

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
