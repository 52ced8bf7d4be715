#include "printers/default_printer.h"

#include "base/text.h"
#include "printers/printer_names.h"
#include "printers/printer_table.h"

namespace quillon::printers {
namespace {

constexpr std::size_t kDeviceBufferCharacters = 254;
constexpr std::size_t kPrinterPortsBufferSize = 1024;
constexpr std::size_t kRecordTextBufferSize = 512;

std::string ReadProfileValue(platform::Profile& profile, std::string_view section,
                             std::string_view key, std::string_view defaultValue,
                             std::size_t bufferSize) {
    std::string buffer(bufferSize, '\0');
    (void)profile.GetString(section, key, defaultValue, buffer);
    return std::string(text::BeforeNul(buffer));
}

DriverAndPort LookUpDriverAndPort(platform::Profile& profile, std::string_view name) {
    return SplitPrinterPortsValue(
        ReadProfileValue(profile, "PrinterPorts", name, "", kPrinterPortsBufferSize));
}

bool Incomplete(const DriverAndPort& value) { return value.driver.empty() || value.port.empty(); }

// Only a missing key gives back the default, so two reads with different
// defaults tell a missing key from an empty value.
bool HasPrinterPortsKey(platform::Profile& profile, std::string_view name) {
    return !ReadProfileValue(profile, "PrinterPorts", name, "", kPrinterPortsBufferSize).empty() ||
           ReadProfileValue(profile, "PrinterPorts", name, ",", kPrinterPortsBufferSize) != ",";
}

// Whether the text at the address fits the level-5 record's text buffer
// with its NUL; a longer one would come back cut short.
bool FitsRecordBuffer(const char* address) {
    if (address == nullptr) return true;
    for (std::size_t length = 0; length < kRecordTextBufferSize; ++length) {
        if (address[length] == '\0') return true;
    }
    return false;
}

}  // namespace

DefaultPrinter ReadDefaultPrinter(RunState& state) {
    DefaultPrinter result;
    const std::string device =
        ReadProfileValue(state.os.profile, "windows", "device", ",,,",
                         kDeviceBufferCharacters * text::ActiveLayout().MaxCharacterLength());
    const std::string defaultName = device.substr(0, device.find(','));

    // Driver and port serve only the log: without it the names are enough,
    // and the window does not wait on print servers that are down.
    const auto installed = state.os.spooler.InstalledPrinters(state.DiagnosticsEnabled);
    if (state.DiagnosticsEnabled) {
        state.WriteDiagnostic("default printer = " + defaultName);
        for (const auto& printer : installed) {
            state.WriteDiagnostic("  " + printer.deviceName + " [" + printer.driverName + " on " +
                                  printer.port + "]");
        }
    }
    for (const auto& printer : installed) {
        if (printer.deviceName == defaultName) {
            result.name = printer.deviceName;
            if (state.DiagnosticsEnabled) {
                result.driver = printer.driverName;
                result.port = printer.port;
            }
            break;
        }
    }
    return result;
}

bool IsInstalledPrinter(platform::Profile& profile, std::string_view name) {
    return HasPrinterPortsKey(profile, name) || HasPrinterPortsKey(profile, ToUncForm(name));
}

SetDefaultResult SetDefaultByProfile(RunState& state, std::optional<std::string_view> entry,
                                     const std::function<void()>& whenSet) {
    if (!entry) return {SetDefaultStatus::Failed};
    std::string name = ListEntryToPrinterName(state.PrinterTable, *entry);
    auto value = LookUpDriverAndPort(state.os.profile, name);
    if (Incomplete(value)) {
        name = ToUncForm(name);
        value = LookUpDriverAndPort(state.os.profile, name);
    }
    // "Device" separates name, driver and port by commas: a name holding one
    // would make the system take the part before it for the default printer.
    if (Incomplete(value) || name.find(',') != std::string::npos) {
        state.WriteDiagnostic("set default printer to " + name + " failed");
        return {SetDefaultStatus::Failed, platform::kErrorInvalidPrinterName};
    }
    const std::uint32_t error = WriteDefaultDevice(state, name, value.driver, value.port, whenSet);
    return {error == 0 ? SetDefaultStatus::Set : SetDefaultStatus::Failed, error};
}

std::uint32_t WriteDefaultDevice(RunState& state, std::string_view name, std::string_view driver,
                                 std::string_view port, const std::function<void()>& whenSet) {
    std::string value(name);
    value.append(",").append(driver).append(",").append(port);
    const std::uint32_t error = state.os.profile.WriteString("windows", "Device", value);
    const bool stored = error == 0;
    // Programs already running (word processors keep their printer) learn
    // of the new default only from the broadcast, on every version; the
    // profile waits a bounded time for them, so they cannot hold the run.
    // A value that was not stored is no change to tell of.
    if (stored && whenSet) whenSet();
    if (stored) state.os.profile.BroadcastChange("windows");
    state.WriteDiagnostic("default printer set to " + std::string(name));
    return error;
}

SetDefaultResult SetDefaultBySpooler(RunState& state, std::optional<std::string_view> entry,
                                     const std::function<void()>& whenSet) {
    const std::string name =
        entry ? ListEntryToPrinterName(state.PrinterTable, *entry) : std::string{};
    if (name.empty()) return {SetDefaultStatus::Failed};

    const auto printer = state.os.spooler.Open(name, platform::kPrinterAllAccess);
    if (!printer) return {SetDefaultStatus::Failed};
    const auto record = printer->ReadInfo5();
    if (!record) return {SetDefaultStatus::Failed};
    // The record goes back with its names; a name cut short by the text
    // buffer would name another printer, so such a record is left alone.
    if (!FitsRecordBuffer(record->printerName) || !FitsRecordBuffer(record->portName)) {
        state.WriteDiagnostic("set default to " + name + " failed: name too long");
        return {SetDefaultStatus::Failed};
    }

    // The default bit is added to the printer's attributes; replacing the
    // word would clear its other bits (shared, network, ...).
    const platform::PrinterInfo5 updated{
        StringFromPointer(record->printerName), StringFromPointer(record->portName),
        record->attributes | platform::kPrinterAttributeDefault, record->deviceNotSelectedTimeout,
        record->transmissionRetryTimeout};
    const std::uint32_t error = printer->WriteInfo5(updated);
    if (error == 0) {
        if (whenSet) whenSet();
        state.WriteDiagnostic("default printer set to " + name);
        return {SetDefaultStatus::Set};
    }
    state.WriteDiagnostic("set default to " + name + " failed err code: " + std::to_string(error));
    return {SetDefaultStatus::SpoolerRefused, error};
}

std::string StringFromPointer(const char* address) {
    if (address == nullptr) return {};
    // One byte more than the buffer keeps tells whether the buffer would cut
    // the text, and then where a whole character ends.
    std::size_t length = 0;
    while (length < kRecordTextBufferSize && address[length] != '\0') ++length;
    return std::string(text::FirstBytes(std::string_view(address, length), kRecordTextBufferSize - 1));
}

}  // namespace quillon::printers
