// The program's work per printer at 100, 4,000 and 50,000 printers: each
// benchmark reports "per_printer", the time per printer, which must stay
// flat as the count grows.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/pattern.h"
#include "base/text.h"
#include "fakes/harness.h"
#include "printers/key_list.h"
#include "printers/printer_names.h"
#include "printers/printer_table.h"

namespace quillon {
namespace {

// A third local printers, the rest network printers on 50 servers, in an
// order that is not the sorted one (a profile keeps the order of
// installation).
std::vector<std::string> PrinterNames(std::int64_t count) {
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(count));
    for (std::int64_t i = 0; i < count; ++i) {
        const std::int64_t n = (i * 7919) % count;
        if (n % 3 == 0) {
            names.push_back("Local Printer " + std::to_string(n));
        } else {
            names.push_back("\\\\server" + std::to_string(n % 50) + "\\Laser " + std::to_string(n));
        }
    }
    return names;
}

// The key list as the profile leaves it in its buffer.
std::string KeyList(const std::vector<std::string>& names) {
    std::string list;
    for (const auto& name : names) {
        list += name;
        list += '\0';
    }
    list += '\0';
    list += std::string(8192, ' ');
    return list;
}

void PerPrinter(benchmark::State& state) {
    state.counters["per_printer"] = benchmark::Counter(
        static_cast<double>(state.range(0)),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_ReadPrinterKeyList(benchmark::State& state) {
    fakes::FakeProfile profile;
    for (const auto& name : PrinterNames(state.range(0))) {
        profile.Set("PrinterPorts", name, "winspool,Ne01:,15,45");
    }
    for (auto _ : state) benchmark::DoNotOptimize(printers::ReadPrinterKeyList(profile));
    PerPrinter(state);
}

void BM_FillPrinterTable(benchmark::State& state) {
    const auto keyList = KeyList(PrinterNames(state.range(0)));
    PrinterTable table;
    for (auto _ : state) {
        printers::FillPrinterTable(table, keyList, 1);
        benchmark::DoNotOptimize(table.DisplayPrinterNames.data());
    }
    PerPrinter(state);
}

// Every list entry turned back into its printer name, as the lookup of a
// printer named on the command line does.
void BM_ListEntryToPrinterName(benchmark::State& state) {
    PrinterTable table;
    printers::FillPrinterTable(table, KeyList(PrinterNames(state.range(0))), 2);
    for (auto _ : state) {
        for (const auto& entry : table.DisplayPrinterNames) {
            benchmark::DoNotOptimize(printers::ListEntryToPrinterName(table, entry));
        }
    }
    PerPrinter(state);
}

// The current default against every entry, as the window's preparation
// does when the default is the last one.
void BM_PrinterNameMatches(benchmark::State& state) {
    PrinterTable table;
    const auto names = PrinterNames(state.range(0));
    printers::FillPrinterTable(table, KeyList(names), 1);
    const std::string current = "\\\\server49\\Laser none";
    for (auto _ : state) {
        for (const auto& entry : table.DisplayPrinterNames) {
            benchmark::DoNotOptimize(printers::PrinterNameMatches(current, entry));
        }
    }
    PerPrinter(state);
}

void BM_PatternMatcher(benchmark::State& state) {
    std::vector<std::string> lowered;
    for (const auto& name : PrinterNames(state.range(0))) {
        lowered.push_back(text::ToLower(printers::ToOnForm(name)));
    }
    for (auto _ : state) {
        for (const auto& name : lowered) {
            benchmark::DoNotOptimize(PrinterArgumentMatches(name, "*laser 4#?? on server[1-3]*"));
        }
    }
    PerPrinter(state);
}

// The matcher's hardest case, a pattern of many stars against a name that
// almost matches: the time must grow with the product of the lengths, not
// exponentially. The count here is the name's length.
void BM_PatternWorstCase(benchmark::State& state) {
    const std::string name(static_cast<std::size_t>(state.range(0)), 'a');
    const std::string pattern = "*a*a*a*a*a*a*a*a*b";
    for (auto _ : state) benchmark::DoNotOptimize(MatchesPattern(name, pattern));
    PerPrinter(state);
}

// Whole runs against the in-memory platform, the log off as in the normal
// build: the key list read, the table and the sorted list filled, and
// then either the current default found among the entries (window mode)
// or every entry looked up for a name that matches none ("/nogui").
void WholeRun(benchmark::State& state, const std::string& commandLine) {
    const auto names = PrinterNames(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto run = std::make_unique<fakes::Harness>();
        run->diagnostics = false;
        run->StoreOptions("1", "1", "1");
        for (const auto& name : names) run->profile.Set("PrinterPorts", name, "winspool,Ne01:,15,45");
        run->SetDefault(names.back() + ",winspool,Ne01:");
        state.ResumeTiming();
        benchmark::DoNotOptimize(run->Start(commandLine));
        state.PauseTiming();
        run.reset();
        state.ResumeTiming();
    }
    PerPrinter(state);
}

void BM_WindowModeRun(benchmark::State& state) { WholeRun(state, ""); }
void BM_NamedPrinterNotFoundRun(benchmark::State& state) { WholeRun(state, "nothing /nogui"); }

#define QUILLON_PRINTER_COUNTS Arg(100)->Arg(4000)->Arg(50000)->Unit(benchmark::kMicrosecond)

BENCHMARK(BM_ReadPrinterKeyList)->QUILLON_PRINTER_COUNTS;
BENCHMARK(BM_FillPrinterTable)->QUILLON_PRINTER_COUNTS;
BENCHMARK(BM_ListEntryToPrinterName)->QUILLON_PRINTER_COUNTS;
BENCHMARK(BM_PrinterNameMatches)->QUILLON_PRINTER_COUNTS;
BENCHMARK(BM_PatternMatcher)->QUILLON_PRINTER_COUNTS;
BENCHMARK(BM_PatternWorstCase)->Arg(100)->Arg(4000)->Arg(50000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WindowModeRun)->QUILLON_PRINTER_COUNTS;
BENCHMARK(BM_NamedPrinterNotFoundRun)->QUILLON_PRINTER_COUNTS;

}  // namespace
}  // namespace quillon

BENCHMARK_MAIN();
