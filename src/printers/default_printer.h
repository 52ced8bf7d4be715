#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "base/run_state.h"

namespace quillon::printers {

// The current default as [windows] "device" names it, with the driver and
// port of the installed printer of that exact name (those only with the
// log on); "?" for each when no installed printer has it.
struct DefaultPrinter {
    std::string name = "?";
    std::string driver = "?";
    std::string port = "?";
};

DefaultPrinter ReadDefaultPrinter(RunState& state);

enum class SetDefaultStatus {
    Set,
    Failed,         // nothing was set, for no reason of its own to tell
    SpoolerRefused  // nothing was set; the spooler's error code says why
};

struct SetDefaultResult {
    SetDefaultStatus status = SetDefaultStatus::Failed;
    // Windows' error code: the spooler's with SpoolerRefused; with Failed,
    // the profile's when it refused the value, or that of a printer not
    // installed; 0 when Windows had nothing to say.
    std::uint32_t windowsError = 0;
};

// The NT family: [windows] "Device" from the printer's [PrinterPorts]
// value, looked up under the on-form and then the UNC form of its name.
// The entry is the text of the list entry, nothing when none is selected.
// whenSet runs once the new default is stored, before anything else: what
// the run keeps of it is kept even when the run is stopped while other
// programs are told.
SetDefaultResult SetDefaultByProfile(RunState& state, std::optional<std::string_view> entry,
                                     const std::function<void()>& whenSet = {});

// The 95/98/Me family: the default attribute of the printer's level-5
// record, through the spooler.
SetDefaultResult SetDefaultBySpooler(RunState& state, std::optional<std::string_view> entry,
                                     const std::function<void()>& whenSet = {});

// Writes [windows] "Device" = name,driver,port and, when it was stored,
// runs whenSet and tells the other programs; 0 when stored, else the
// profile's error code.
std::uint32_t WriteDefaultDevice(RunState& state, std::string_view name, std::string_view driver,
                                 std::string_view port, const std::function<void()>& whenSet = {});

// Whether [PrinterPorts] holds a printer of that name, in its on-form or its
// UNC form. The profile hands out its names in the active code page; one the
// page could not carry came with "?" or look-alikes for some of its letters
// and names no installed printer, so it is never written anywhere.
bool IsInstalledPrinter(platform::Profile& profile, std::string_view name);

// The text at the address, as read through a 512-character buffer: at most
// 511 bytes, cut at the first NUL, and never in the middle of a character.
std::string StringFromPointer(const char* address);

}  // namespace quillon::printers
