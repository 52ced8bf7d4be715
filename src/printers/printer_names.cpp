#include "printers/printer_names.h"

#include <optional>

#include "base/options.h"
#include "base/text.h"

namespace quillon::printers {
namespace {

constexpr std::string_view kOnMarker = " on ";

struct UncParts {
    std::string_view server;
    std::string_view printer;
};

// Nothing unless the name begins with "\\" and has one more backslash
// after those two.
std::optional<UncParts> SplitUnc(std::string_view name) {
    if (!name.starts_with("\\\\")) return std::nullopt;
    const auto last = text::FindLast(name, "\\");
    if (last == std::string_view::npos || last < 2) return std::nullopt;
    return UncParts{name.substr(2, last - 2), name.substr(last + 1)};
}

std::string OnForm(std::string_view printer, std::string_view server) {
    std::string result(printer);
    result.append(kOnMarker).append(server);
    return result;
}

// "on " and the UNC name's server at the end of the other name, trailing
// blanks ignored. The tail has no leading blank, so "xon srv" ends with it.
bool EndsWithServerOf(const UncParts& unc, std::string_view other) {
    std::string tail = "on ";
    tail.append(unc.server);
    return text::EndsWith(text::ToLower(text::TrimTrailingBlanks(other)), text::ToLower(tail));
}

}  // namespace

std::string ListFormat(std::string_view name, std::int32_t uncDisplayMode) {
    std::string result(name);
    if (const auto unc = SplitUnc(name)) result = OnForm(unc->printer, unc->server);
    if (uncDisplayMode == kHideServer) {
        const auto marker = text::FindIgnoringCase(result, kOnMarker);
        if (marker != std::string::npos) result.resize(marker);
    }
    return result;
}

std::string ToOnForm(std::string_view name) {
    if (const auto unc = SplitUnc(name)) {
        return OnForm(text::TrimTrailingBlanks(unc->printer), unc->server);
    }
    return std::string(name);
}

std::string ToUncForm(std::string_view name) {
    const auto marker = text::FindLast(name, kOnMarker);
    if (marker == std::string_view::npos) return std::string(name);
    // Trailing blanks may eat into the marker itself ("A on "), leaving no
    // server at all rather than a position past the end.
    const auto trimmed = text::TrimTrailingBlanks(name);
    const auto serverStart = marker + kOnMarker.size();
    const auto server = serverStart < trimmed.size() ? trimmed.substr(serverStart) : std::string_view{};
    std::string result = "\\\\";
    result.append(server).append("\\").append(name.substr(0, marker));
    return result;
}

bool PrinterNameMatches(std::string_view strPrinter1, std::string_view strPrinter2) {
    if (text::ToLower(strPrinter1) == text::ToLower(strPrinter2)) return true;
    if (const auto unc1 = SplitUnc(strPrinter1)) return EndsWithServerOf(*unc1, strPrinter2);
    if (strPrinter1.starts_with("\\\\")) return false;
    if (const auto unc2 = SplitUnc(strPrinter2)) return EndsWithServerOf(*unc2, strPrinter1);
    return false;
}

DriverAndPort SplitPrinterPortsValue(std::string_view value) {
    DriverAndPort result;
    const auto first = value.find(',');
    if (first == std::string_view::npos) return result;
    result.driver = value.substr(0, first);
    const auto second = value.find(',', first + 1);
    if (second != std::string_view::npos) result.port = value.substr(first + 1, second - first - 1);
    return result;
}

}  // namespace quillon::printers
