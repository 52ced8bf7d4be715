#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/text.h"
#include "platform/spooler.h"

namespace quillon::fakes {

// An in-memory print spooler. Printer names are compared without regard to
// letter case, as the spooler does.
class FakeSpooler : public platform::Spooler {
public:
    struct Printer {
        platform::InstalledPrinter installed;
        platform::PrinterInfo5 info5;
    };
    struct OpenRequest {
        std::string printerName;
        std::uint32_t access;
    };

    std::vector<Printer> printers;
    // Names whose Open fails even though the printer exists (lower case).
    std::set<std::string> failOpen;
    bool failRead = false;
    // What WriteInfo5 returns; 0 lets the write through.
    std::uint32_t setPrinterError = 0;

    std::vector<OpenRequest> opened;
    std::vector<platform::PrinterInfo5> writes;
    // Connections not yet closed.
    int openConnections = 0;

    // Adds a printer whose level-5 record carries the device name, the port
    // and the usual time-outs.
    Printer& Add(std::string_view deviceName, std::string_view driverName, std::string_view port,
                 std::uint32_t attributes = 0) {
        Printer printer;
        printer.installed = {std::string(deviceName), std::string(driverName), std::string(port)};
        printer.info5 = {std::string(deviceName), std::string(port), attributes, 15000, 45000};
        printers.push_back(std::move(printer));
        return printers.back();
    }

    Printer* Find(std::string_view name) {
        for (auto& printer : printers) {
            if (text::ToLower(printer.installed.deviceName) == text::ToLower(name)) return &printer;
        }
        return nullptr;
    }

    std::unique_ptr<platform::PrinterConnection> Open(std::string_view printerName,
                                                      std::uint32_t access) override {
        opened.push_back(OpenRequest{std::string(printerName), access});
        if (failOpen.contains(text::ToLower(printerName))) return nullptr;
        if (Find(printerName) == nullptr) return nullptr;
        return std::make_unique<Connection>(*this, std::string(printerName));
    }

    std::vector<platform::InstalledPrinter> InstalledPrinters(bool withDriverAndPort) override {
        std::vector<platform::InstalledPrinter> result;
        for (const auto& printer : printers) {
            result.push_back(withDriverAndPort ? printer.installed
                                               : platform::InstalledPrinter{printer.installed.deviceName, {}, {}});
        }
        return result;
    }

private:
    class Connection : public platform::PrinterConnection {
    public:
        Connection(FakeSpooler& spooler, std::string name)
            : spooler_(spooler), name_(std::move(name)) {
            ++spooler_.openConnections;
        }
        ~Connection() override { --spooler_.openConnections; }

        std::optional<platform::PrinterInfo5View> ReadInfo5() override {
            const auto* printer = spooler_.Find(name_);
            if (spooler_.failRead || printer == nullptr) return std::nullopt;
            // Copies into the connection's own buffers, as GetPrinterA fills
            // the caller's buffer.
            printerName_ = printer->info5.printerName;
            portName_ = printer->info5.portName;
            return platform::PrinterInfo5View{printerName_.c_str(), portName_.c_str(),
                                              printer->info5.attributes,
                                              printer->info5.deviceNotSelectedTimeout,
                                              printer->info5.transmissionRetryTimeout};
        }

        std::uint32_t WriteInfo5(const platform::PrinterInfo5& info) override {
            spooler_.writes.push_back(info);
            if (spooler_.setPrinterError != 0) return spooler_.setPrinterError;
            auto* printer = spooler_.Find(name_);
            if (printer == nullptr) return 1801;  // ERROR_INVALID_PRINTER_NAME
            // Only one printer can be the default: the spooler takes the
            // mark from the others.
            if ((info.attributes & platform::kPrinterAttributeDefault) != 0) {
                for (auto& other : spooler_.printers) {
                    other.info5.attributes &= ~platform::kPrinterAttributeDefault;
                }
            }
            printer->info5.attributes = info.attributes;
            return 0;
        }

    private:
        FakeSpooler& spooler_;
        std::string name_;
        std::string printerName_;
        std::string portName_;
    };
};

}  // namespace quillon::fakes
