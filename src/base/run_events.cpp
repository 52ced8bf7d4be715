#include "base/run_events.h"

#include <array>
#include <string>

#include "base/switches.h"

namespace quillon::events {
namespace {

using platform::EventType;

void Write(RunState& state, Outcome outcome, bool answered, std::span<const std::string> strings) {
    const auto event = EventFor(outcome, answered, state.NetworkPrinter.has_value());
    if (!event) return;
    state.WriteDiagnostic("event " + std::to_string(static_cast<std::uint32_t>(event->id)) +
                          " written to the Application log");
    state.os.eventLog.Report(event->type, static_cast<std::uint32_t>(event->id), strings);
}

// The account as people read it, else by its identifier.
std::string AccountName(const platform::Account& account) {
    return account.name.empty() ? account.sid : account.name;
}

// An error code as Windows shows it: an HRESULT in hexadecimal, a system
// error in decimal.
std::string ErrorCode(std::uint32_t error) {
    if (error < 0x10000) return std::to_string(error);
    constexpr char kDigits[] = "0123456789ABCDEF";
    std::string hex = "0x";
    for (int shift = 28; shift >= 0; shift -= 4) hex += kDigits[(error >> shift) & 0xF];
    return hex;
}

}  // namespace

std::optional<Event> EventFor(Outcome outcome, bool answered, bool forNetwork) {
    if (answered) return std::nullopt;
    switch (outcome) {
        case Outcome::PrinterSet:
            if (!forNetwork) return std::nullopt;
            return Event{EventType::Information, EventId::NetworkSwitched};
        case Outcome::PrinterNotInstalled:
            return Event{EventType::Warning,
                         forNetwork ? EventId::NetworkPrinterNotInstalled : EventId::PrinterNotInstalled};
        case Outcome::NothingSet: return Event{EventType::Warning, EventId::NothingSet};
        case Outcome::DefaultNotSet: return Event{EventType::Error, EventId::DefaultNotSet};
        case Outcome::TaskNotRegistered: return Event{EventType::Error, EventId::TaskNotRegistered};
        case Outcome::TaskNotRemoved: return Event{EventType::Error, EventId::TaskNotRemoved};
        case Outcome::TaskProgramChangeable: return Event{EventType::Error, EventId::TaskProgramChangeable};
        case Outcome::TasksNotRemoved: return Event{EventType::Error, EventId::TasksNotRemoved};
    }
    return std::nullopt;
}

void ReportPrinterSet(RunState& state, std::string_view printer) {
    // The confirmation answers for a run that is not quiet.
    const std::array<std::string, 3> strings{state.NetworkPrinter ? state.NetworkPrinter->network : "",
                                             std::string(printer),
                                             state.NetworkPrinter ? state.NetworkPrinter->rule : ""};
    Write(state, Outcome::PrinterSet, !state.Quiet(), strings);
}

void ReportPrinterNotInstalled(RunState& state) {
    // Without "/nogui" the main window opens with the list.
    const bool answered = !state.NoGui();
    if (state.NetworkPrinter) {
        const std::array<std::string, 3> strings{state.NetworkPrinter->printer, state.NetworkPrinter->network,
                                                 state.NetworkPrinter->rule};
        Write(state, Outcome::PrinterNotInstalled, answered, strings);
    } else {
        const std::array<std::string, 1> strings{PrinterArgumentAsWritten(state.CommandLine())};
        Write(state, Outcome::PrinterNotInstalled, answered, strings);
    }
}

void ReportDefaultNotSet(RunState& state, std::string_view printer, std::uint32_t error) {
    const std::array<std::string, 3> strings{std::string(printer), ErrorCode(error),
                                             state.os.eventLog.ErrorText(error)};
    Write(state, Outcome::DefaultNotSet, false, strings);
}

void ReportNothingSet(RunState& state) {
    const std::array<std::string, 1> strings{state.CommandLine()};
    Write(state, Outcome::NothingSet, false, strings);
}

void ReportTaskNotChanged(RunState& state, bool registering) {
    const std::uint32_t error = state.os.scheduler.LastError();
    const std::array<std::string, 3> strings{AccountName(state.os.scheduler.CurrentAccount()), ErrorCode(error),
                                             state.os.eventLog.ErrorText(error)};
    Write(state, registering ? Outcome::TaskNotRegistered : Outcome::TaskNotRemoved, false, strings);
}

void ReportTaskProgramChangeable(RunState& state, std::string_view program, std::string_view changeable) {
    const std::array<std::string, 3> strings{AccountName(state.os.scheduler.CurrentAccount()), std::string(program),
                                             std::string(changeable)};
    Write(state, Outcome::TaskProgramChangeable, false, strings);
}

void ReportTasksNotRemoved(RunState& state, bool finished) {
    // ERROR_TIMEOUT where the scheduler never answered.
    const std::uint32_t error = finished ? state.os.scheduler.LastError() : 1460;
    const std::array<std::string, 2> strings{ErrorCode(error), state.os.eventLog.ErrorText(error)};
    Write(state, Outcome::TasksNotRemoved, false, strings);
}

}  // namespace quillon::events
