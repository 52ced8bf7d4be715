// The command line: anything a shortcut or a log-on entry can hold reaches
// StripSwitches, GetSwitchValue and the switch tests unfiltered.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/switches.h"
#include "base/text.h"
#include "base/options.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

bool IsOption(std::int32_t value) { return value == 0 || value == 1 || value == 2; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quillon;
    const std::string_view line(reinterpret_cast<const char*>(data), size);

    const std::string stripped = StripSwitches(line);
    Check(stripped.empty() || (stripped.front() != ' ' && stripped.back() != ' '));
    // Words are only taken out; the quoted part moves to the front with one
    // blank after it.
    Check(stripped.size() <= line.size() + 1);

    const std::string argument = PrinterArgumentFrom(line);
    Check(argument == text::ToLower(argument));
    Check(argument.size() <= stripped.size());

    for (const std::string_view name : {"delay", "q", "nogui"}) {
        const auto value = GetSwitchValue(line, name);
        if (value.found) Check(text::Contains(text::ToLower(line), name));
        if (!value.found) Check(value.value.empty());
        const float seconds = StartDelaySeconds(value.value);
        Check(seconds <= kMaxStartDelaySeconds);
        if (!std::isfinite(seconds)) continue;  // a negative infinity: no wait
        // What the log shows reads back as the same number of seconds.
        Check(ParseSeconds(FormatSeconds(seconds)) == seconds);
    }

    Options options;
    ApplyOptionSwitches(line, options);
    ApplyNetworkNameSwitches(line, options);
    Check(IsOption(options.DesktopSetting) && IsOption(options.StartupSetting) &&
          IsOption(options.StartupAllSetting) && IsOption(options.UncDisplayMode));
    return 0;
}
