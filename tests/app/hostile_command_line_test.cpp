#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>

#include "fakes/harness.h"
#include "test_names.h"

namespace quillon {
namespace {

// The longest command line Windows passes on: 32,767 characters.
constexpr std::size_t kLongestCommandLine = 32767;

// Characters 1 to 255 drawn from a fixed seed, without the pattern
// characters, after an "x" so that the noise never begins with a switch.
// The text is longer than any printer name, so it names none of them.
std::string Noise(std::size_t length) {
    std::mt19937 random(20261206);
    std::string noise = "x";
    while (noise.size() < length) {
        const auto c = static_cast<char>(random() % 255 + 1);
        if (c != '?' && c != '*') noise += c;
    }
    return noise;
}

struct Hostile {
    std::string label;
    std::string commandLine;
    std::optional<int> exitCode;  // nothing: the run waits in its window
    std::optional<std::string> device;
};

class HostileCommandLine : public ::testing::TestWithParam<Hostile> {};

TEST_P(HostileCommandLine, EndsAsStatedAndSetsOnlyTheNamedPrinter) {
    const auto& c = GetParam();
    fakes::Harness run;
    run.StoreOptions("1", "1", "1");
    run.AddPrinter("HP LaserJet 4");
    run.AddPrinter("Fax", "winspool", "FAX:");
    run.AddPrinter("Drucker Büro", "winspool", "LPT2:");
    EXPECT_EQ(run.Start(c.commandLine), c.exitCode);
    EXPECT_EQ(run.Device(), c.device);
    // A run that did not end is a usable window, with the list intact.
    if (!c.exitCode) {
        const auto* list = run.toolkit.Find("frmQuillon")->Control("lstPrinters");
        EXPECT_EQ(list->items.size(), 3u);
    }
}

INSTANTIATE_TEST_SUITE_P(
    BadInput, HostileCommandLine,
    ::testing::Values(
        // Blanks between words are kept, then trimmed at the ends.
        Hostile{"longest line naming a printer",
                "fax" + std::string(kLongestCommandLine - 6, ' ') + " /q", 0,
                "Fax,winspool,FAX:"},
        Hostile{"longest line naming nothing",
                std::string(kLongestCommandLine - 7, 'x') + " /nogui", 1, std::nullopt},
        // Every element a star or a letter: the matcher stays linear.
        Hostile{"longest pattern",
                [] {
                    std::string pattern;
                    while (pattern.size() + 9 < kLongestCommandLine) pattern += "*a";
                    return pattern + "*z /nogui";
                }(),
                1, std::nullopt},
        Hostile{"longest noise", Noise(kLongestCommandLine - 7) + " /nogui", 1, std::nullopt},
        Hostile{"short noise", Noise(300) + " /nogui", 1, std::nullopt},
        // A quoted empty text, and quotes that end up as the whole argument.
        Hostile{"two quotes", "\"\"", std::nullopt, std::nullopt},
        Hostile{"one quote", "\"", std::nullopt, std::nullopt},
        Hostile{"four quotes", "\"\"\"\" /nogui", std::nullopt, std::nullopt},
        Hostile{"three quotes", "\"\"\" /nogui", 1, std::nullopt},
        Hostile{"only switches", "/q /nogui /noquit /delay /hideuncpath -enableall", std::nullopt,
                std::nullopt},
        Hostile{"only blanks", std::string(1000, ' '), std::nullopt, std::nullopt},
        Hostile{"opening quote only", "\"HP LaserJet 4 /q", 0, "HP LaserJet 4,winspool,Ne01:"},
        Hostile{"closing quote only", "HP LaserJet 4\" /q", 0, "HP LaserJet 4,winspool,Ne01:"},
        Hostile{"quote inside", "HP\"Laser /nogui", 1, std::nullopt},
        // Capitals past ASCII fold as the active code page's do; bytes it
        // cannot read are characters of their own.
        Hostile{"ansi capitals", "\"DRUCKER BÜRO\" /q", 0, "Drucker Büro,winspool,LPT2:"},
        Hostile{"ansi pattern", "*bü?o /q", 0, "Drucker Büro,winspool,LPT2:"},
        Hostile{"ansi noise", "\xFF\xFE\x80\x81 /nogui", 1, std::nullopt},
        Hostile{"control characters", "fax\t\r\n /nogui", 1, std::nullopt}),
    [](const auto& info) { return testing_names::FromText(info.param.label, info.index); });

TEST(HostileCommandLineRun, OnlySwitchesStillApplyThem) {
    fakes::Harness run;
    run.StoreOptions("1", "1", "1");
    run.AddPrinter("Fax");
    EXPECT_EQ(run.Start("/noquit /hideuncpath /nogui"), std::nullopt);
    EXPECT_TRUE(run.state.NoQuit);
    EXPECT_EQ(run.state.Options.UncDisplayMode, 2);
}

TEST(HostileCommandLineRun, ALongDelayWaitsTenMinutesAndSaysSo) {
    for (const std::string& delay : {"1" + std::string(400, '0'), std::string("1e30")}) {
        fakes::Harness run;
        run.StoreOptions("1", "1", "1");
        run.AddPrinter("Fax", "winspool", "FAX:");
        // No endless wait in an invisible window.
        EXPECT_EQ(run.Start("/delay " + delay + " fax /q"), 0);
        EXPECT_EQ(run.toolkit.waitedSeconds, 600.0) << delay;
        EXPECT_EQ(run.LogLines()[2], "execution delayed 600 secs");
        EXPECT_EQ(run.Device(), "Fax,winspool,FAX:");
    }
}

}  // namespace
}  // namespace quillon
