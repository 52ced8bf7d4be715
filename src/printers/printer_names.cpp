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

// "on " and the UNC name's server at the end of the other name, trailing
// blanks ignored. The tail has no leading blank, so "xon srv" ends with it.
// Or the other name is the form given with this server and any printer.
bool EndsWithServerOf(const UncParts& unc, std::string_view other, std::string_view onServer) {
    std::string tail = "on ";
    tail.append(unc.server);
    const std::string name = text::ToLower(text::TrimTrailingBlanks(other));
    if (text::EndsWith(name, text::ToLower(tail))) return true;
    const auto printer = onServer.find("%1");
    if (printer == std::string_view::npos) return false;
    const std::string before = text::ToLower(texts::Fill(onServer.substr(0, printer), {}, unc.server));
    const std::string after = text::ToLower(texts::Fill(onServer.substr(printer + 2), {}, unc.server));
    return name.size() >= before.size() + after.size() && name.starts_with(before) &&
           text::EndsWith(name, after);
}

}  // namespace

std::string ListFormat(std::string_view name, std::int32_t uncDisplayMode,
                       std::string_view onServer) {
    const auto unc = SplitUnc(name);
    if (uncDisplayMode != kHideServer) {
        return unc ? texts::Fill(onServer, unc->printer, unc->server) : std::string(name);
    }
    std::string result = unc ? texts::Fill(texts::English().PrinterOnServer, unc->printer, unc->server)
                             : std::string(name);
    const auto marker = text::FindIgnoringCase(result, kOnMarker);
    if (marker != std::string::npos) result.resize(marker);
    return result;
}

std::string ToOnForm(std::string_view name, std::string_view onServer) {
    if (const auto unc = SplitUnc(name)) {
        return texts::Fill(onServer, text::TrimTrailingBlanks(unc->printer), unc->server);
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

bool PrinterNameMatches(std::string_view strPrinter1, std::string_view strPrinter2,
                        std::string_view onServer) {
    if (text::ToLower(strPrinter1) == text::ToLower(strPrinter2)) return true;
    if (const auto unc1 = SplitUnc(strPrinter1)) return EndsWithServerOf(*unc1, strPrinter2, onServer);
    if (strPrinter1.starts_with("\\\\")) return false;
    if (const auto unc2 = SplitUnc(strPrinter2)) return EndsWithServerOf(*unc2, strPrinter1, onServer);
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
