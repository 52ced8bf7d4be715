#include "base/switches.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <utility>
#include <vector>

#include "base/text.h"
#include "base/texts.h"

namespace quillon {
namespace {

// Cut at every single blank: two blanks in a row give an empty word between
// them, and an empty text gives no words at all.
std::vector<std::string_view> SplitAtBlanks(std::string_view s) {
    std::vector<std::string_view> words;
    if (s.empty()) return words;
    std::size_t start = 0;
    while (true) {
        const auto blank = s.find(' ', start);
        if (blank == std::string_view::npos) {
            words.push_back(s.substr(start));
            return words;
        }
        words.push_back(s.substr(start, blank - start));
        start = blank + 1;
    }
}

bool IsSwitchWord(std::string_view word) {
    return !word.empty() && (word.front() == '/' || word.front() == '-');
}

// Every occurrence, left to right, without overlaps.
std::string RemoveAll(std::string_view s, std::string_view part) {
    std::string result;
    std::size_t start = 0;
    while (true) {
        const auto found = s.find(part, start);
        if (found == std::string_view::npos) break;
        result.append(s.substr(start, found - start));
        start = found + part.size();
    }
    result.append(s.substr(start));
    return result;
}

// The command line without its first double-quoted part, quotes and all.
std::string WithoutQuotedPart(std::string_view line) {
    const auto open = line.find('"');
    if (open == std::string_view::npos) return std::string(line);
    const auto close = line.find('"', open + 1);
    if (close == std::string_view::npos) return std::string(line);
    return std::string(line.substr(0, open)) + ' ' + std::string(line.substr(close + 1));
}

// A switch led by "/" or "-", in any case, as a word of its own outside the
// double-quoted part.
bool HasSwitchWord(std::string_view commandLine, std::string_view name) {
    const std::string outside = WithoutQuotedPart(commandLine);
    const auto words = SplitAtBlanks(outside);
    return std::any_of(words.begin(), words.end(), [&](std::string_view word) {
        return IsSwitchWord(word) && text::ToLower(word.substr(1)) == name;
    });
}

}  // namespace

bool AsksForUsage(std::string_view commandLine) {
    const std::string outside = WithoutQuotedPart(commandLine);
    const auto words = SplitAtBlanks(outside);
    return std::any_of(words.begin(), words.end(),
                       [](std::string_view word) { return word == switch_text::Usage; });
}

bool AsksForNetworkPrinter(std::string_view commandLine) {
    return HasSwitchWord(commandLine, switch_text::Network);
}

bool AsksToRemoveNetworkTasks(std::string_view commandLine) {
    return HasSwitchWord(commandLine, switch_text::RemoveTasks);
}

std::string UsageText(std::string_view programFile, const texts::Texts& texts) {
    using namespace std::string_literals;
    const std::string enable = "/"s + std::string(switch_text::EnableDesktop) + ", /" +
                               std::string(switch_text::EnableStartup) + ", /" +
                               std::string(switch_text::EnableStartupAll) + ", /" +
                               std::string(switch_text::EnableAll);
    const std::pair<std::string, std::string_view> switches[] = {
        {std::string(switch_text::Quiet), texts.UsageQuiet},
        {std::string(switch_text::NoGui), texts.UsageNoGui},
        {std::string(switch_text::NoQuit), texts.UsageNoQuit},
        {"/"s + std::string(switch_text::Delay) + " N", texts.UsageDelay},
        {std::string(switch_text::Setup), texts.UsageSetup},
        {enable, texts.UsageEnable},
        {"/"s + std::string(switch_text::DisableAll), texts.UsageDisableAll},
        {"/"s + std::string(switch_text::Network), texts.UsageNetwork},
        {"/"s + std::string(switch_text::RemoveTasks), texts.UsageRemoveTasks},
        {std::string(switch_text::HideUncPath) + ", " + std::string(switch_text::ShowUncPath),
         texts.UsageUncPath},
        {std::string(switch_text::Usage), texts.UsageHelp},
    };
    const std::pair<std::string_view, std::string_view> exitCodes[] = {
        {"0", texts.ExitCodeSet}, {"1", texts.ExitCodeNoMatch}, {"2", texts.ExitCodeNotSet},
        {"3", texts.ExitCodeCancelled}};

    std::string usage = std::string(programFile) + " " + std::string(texts.UsageArguments) +
                        "\n\n" + std::string(texts.UsagePrinter) + "\n\n" +
                        std::string(texts.UsageSwitches) + "\n";
    for (const auto& [words, meaning] : switches) {
        // On a line of its own: a box's tab stops are too narrow for the
        // longer switches.
        usage += words + "\n    " + std::string(meaning) + "\n";
    }
    usage += "\n" + std::string(texts.UsageExitCodes) + "\n";
    for (const auto& [code, meaning] : exitCodes) {
        usage += std::string(code) + "\t" + std::string(meaning) + "\n";
    }
    usage.pop_back();
    return usage;
}

std::string StripSwitches(std::string_view strLine) {
    std::string quoted;
    std::string rest(strLine);
    const auto open = strLine.find('"');
    if (open != std::string_view::npos) {
        const auto close = strLine.find('"', open + 1);
        if (close != std::string_view::npos) {
            quoted = strLine.substr(open, close - open + 1);
            rest = RemoveAll(strLine, quoted);
        }
    }

    std::string result;
    bool dropNext = false;
    const auto words = SplitAtBlanks(rest);
    for (std::size_t i = 0; i < words.size(); ++i) {
        // The word after a delay switch is its value: it goes, its blank stays.
        const std::string_view word = dropNext ? std::string_view{} : words[i];
        dropNext = false;
        if (!IsSwitchWord(word)) {
            result.append(word);
            result += ' ';
            continue;
        }
        // The next word is the delay's value only when the switch carries
        // none of its own: "/delay:5 laser" names "laser". Longer names such
        // as "/delayed 5" still take their next word along.
        const bool carriesValue = word.find_first_of(":=") != std::string_view::npos;
        if (text::ToLower(word.substr(1, 5)) == switch_text::Delay && !carriesValue &&
            i + 1 < words.size()) {
            dropNext = true;
        }
    }

    if (!quoted.empty()) result = quoted + ' ' + result;
    return std::string(text::TrimBlanks(result));
}

SwitchValue GetSwitchValue(std::string_view commandLine, std::string_view name) {
    SwitchValue found;
    const auto lowerName = text::ToLower(name);
    const auto words = SplitAtBlanks(commandLine);
    for (std::size_t i = 0; i < words.size(); ++i) {
        const auto word = text::TrimBlanks(words[i]);
        if (!IsSwitchWord(word)) continue;
        std::string w = text::ToLower(word.substr(1));
        std::string v;
        auto separator = w.find(':');
        if (separator == std::string::npos) separator = w.find('=');
        if (separator != std::string::npos) {
            v = w.substr(separator + 1);
            w.resize(separator);
        } else if (i + 1 < words.size()) {
            const auto next = text::TrimBlanks(words[i + 1]);
            if (!IsSwitchWord(next)) v = next;
        }
        if (w == lowerName) found = SwitchValue{true, std::move(v)};
    }
    return found;
}

std::string PrinterArgumentAsWritten(std::string_view commandLine) {
    std::string argument = StripSwitches(commandLine);
    if (!argument.empty() && argument.front() == '"') argument.erase(0, 1);
    if (!argument.empty() && argument.back() == '"') argument.pop_back();
    return argument;
}

std::string PrinterArgumentFrom(std::string_view commandLine) {
    return text::ToLower(PrinterArgumentAsWritten(commandLine));
}

float ParseSeconds(std::string_view value) {
    auto digitsAt = [&](std::size_t pos) {
        std::size_t count = 0;
        while (pos + count < value.size() && value[pos + count] >= '0' && value[pos + count] <= '9') {
            ++count;
        }
        return count;
    };
    std::size_t pos = 0;
    if (pos < value.size() && (value[pos] == '+' || value[pos] == '-')) ++pos;
    const auto whole = digitsAt(pos);
    pos += whole;
    std::size_t fraction = 0;
    if (pos < value.size() && value[pos] == '.') {
        fraction = digitsAt(pos + 1);
        // "5." is still 5, but "." alone is no number.
        if (whole > 0 || fraction > 0) pos += 1 + fraction;
    }
    if (whole == 0 && fraction == 0) return 0.0f;
    auto end = pos;
    if (pos < value.size() && (value[pos] == 'e' || value[pos] == 'E')) {
        auto exponent = pos + 1;
        if (exponent < value.size() && (value[exponent] == '+' || value[exponent] == '-')) {
            ++exponent;
        }
        const auto count = digitsAt(exponent);
        if (count > 0) end = exponent + count;
    }

    // from_chars takes no plus sign.
    auto number = value.substr(0, end);
    if (number.front() == '+') number.remove_prefix(1);
    float seconds = 0.0f;
    const auto [ptr, error] =
        std::from_chars(number.data(), number.data() + number.size(), seconds);
    if (error == std::errc::result_out_of_range) {
        // Too large for a float, or too close to zero: tell which by the
        // exponent's sign.
        const bool tiny = number.find("e-") != std::string_view::npos ||
                          number.find("E-") != std::string_view::npos;
        if (tiny) return 0.0f;
        const float huge = std::numeric_limits<float>::infinity();
        return number.front() == '-' ? -huge : huge;
    }
    if (error != std::errc{}) return 0.0f;
    return seconds;
}

float StartDelaySeconds(std::string_view value) {
    return std::min(ParseSeconds(value), kMaxStartDelaySeconds);
}

std::string FormatSeconds(float seconds) {
    if (seconds == 0.0f) return "0";
    char buffer[32];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, seconds);
    if (error != std::errc{}) return "0";
    return std::string(buffer, end);
}

void ApplyOptionSwitches(std::string_view commandLine, Options& options) {
    const auto line = text::ToLower(commandLine);
    auto has = [&](std::string_view word) {
        return text::Contains(line, std::string("/") + std::string(word)) ||
               text::Contains(line, std::string("-") + std::string(word));
    };
    // Each enabling switch contains "enable", and "enablestartupall" also
    // contains "enablestartup": plain substring tests give exactly that.
    if (has(switch_text::Enable)) {
        if (has(switch_text::EnableDesktop)) options.DesktopSetting = kYes;
        if (has(switch_text::EnableStartup)) options.StartupSetting = kYes;
        if (has(switch_text::EnableStartupAll)) options.StartupAllSetting = kYes;
        if (has(switch_text::EnableAll)) {
            options.StartupSetting = kYes;
            options.StartupAllSetting = kYes;
            options.DesktopSetting = kYes;
        }
    }
    if (has(switch_text::DisableAll)) {
        options.StartupSetting = kNo;
        options.StartupAllSetting = kNo;
        options.DesktopSetting = kNo;
    }
}

void ApplyNetworkNameSwitches(std::string_view commandLine, Options& options) {
    const auto line = text::ToLower(commandLine);
    if (text::Contains(line, switch_text::HideUncPath)) options.UncDisplayMode = kHideServer;
    if (text::Contains(line, switch_text::ShowUncPath)) options.UncDisplayMode = kShowServer;
}

}  // namespace quillon
