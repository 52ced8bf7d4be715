#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <utility>

#include "base/switches.h"

namespace quillon {
namespace {

struct StripCase {
    std::string line;
    std::string expected;
};

TEST(AsksForUsage, OnlyAsAWordOfItsOwnOutsideTheQuotedName) {
    const std::pair<const char*, bool> cases[] = {
        {"/?", true},          {"fax /?", true},       {"/q /? /nogui", true},
        {"\"hp\" /?", true},   {"\"hp /? x\"", false}, {"\"/?\"", false},
        {"a/?", false},        {"/?x", false},         {"-?", false},
        {"/ ?", false},        {"", false},
    };
    for (const auto& [line, asks] : cases) EXPECT_EQ(AsksForUsage(line), asks) << line;
}

TEST(AsksForNetworkPrinter, AsAWordOfItsOwnOutsideTheQuotedName) {
    const std::pair<const char*, bool> cases[] = {
        {"/network", true},       {"-NETWORK /q", true},   {"\"hp\" /Network", true},
        {"\"lab /network\"", false}, {"/networks", false},  {"lab/network", false},
        {"network", false},       {"", false},
    };
    for (const auto& [line, asks] : cases) EXPECT_EQ(AsksForNetworkPrinter(line), asks) << line;
    // Found as /network is.
    EXPECT_TRUE(AsksToRemoveNetworkTasks("-RemoveTasks"));
    EXPECT_FALSE(AsksToRemoveNetworkTasks("\"lab /removetasks\" /q"));
}

TEST(StripSwitches, TakesOutSwitchWordsAndPutsTheQuotedPartFirst) {
    const StripCase cases[] = {
        {"\"My Printer\" /nogui", "\"My Printer\""},
        {"/nogui \"My Printer\" extra", "\"My Printer\"  extra"},
        {"hp /delay 5 laser", "hp  laser"},
        // A delay that carries its value leaves the next word in the name.
        {"/delay:5 laser", "laser"},
        {"/DELAY=5 laser", "laser"},
        {"-delay=2 hp /q", "hp"},
        {"/delay: laser", "laser"},
        {"/delayed:5 laser", "laser"},
        {"/delayed 5 laser", "laser"},
        {"-Fax", ""},
        {"HP LaserJet 4 /nogui", "HP LaserJet 4"},
        {"  HP  LaserJet  ", "HP  LaserJet"},
        {"", ""},
        {"/delay", ""},
        {"hp /delay", "hp"},
        // The word after the delay is dropped even when it is a switch.
        {"/delay /q hp", "hp"},
        // Only a word's first character makes it a switch.
        {"Office/nogui", "Office/nogui"},
        {"a-b /x", "a-b"},
        // One quote only: no quoted part, the quote stays where it was.
        {"\"hp laser", "\"hp laser"},
        {"hp laser\"", "hp laser\""},
        // Every copy of the quoted part goes, letter case counts.
        {"\"a\" x \"a\" \"A\"", "\"a\"  x  \"A\""},
        // A quoted part can hold a switch word untouched.
        {"\"Fax /q\" /q", "\"Fax /q\""},
        // Only the first two quotes make the quoted part; the removed part
        // leaves its neighbouring blank behind.
        {"\"a\" \"b\"", "\"a\"  \"b\""},
        {"\"\" hp", "\"\"  hp"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StripSwitches(c.line), c.expected) << "line: " << c.line;
    }
}

struct SwitchValueCase {
    std::string line;
    bool found;
    std::string value;
};

TEST(GetSwitchValue, FindsTheDelayAndItsValue) {
    const SwitchValueCase cases[] = {
        {"/Delay=2.5", true, "2.5"},
        {"hp /delay", true, ""},
        {"/delay -5", true, ""},
        {"/delay 5 /delay 7", true, "7"},
        {"/delay 7 /delay", true, ""},
        {"/delayed 5", false, ""},
        {"/dela 5", false, ""},
        {"delay 5", false, ""},
        {"-DELAY 3 hp", true, "3"},
        {"/delay:AbC", true, "abc"},  // after ":" the value is lower-cased
        {"/delay AbC", true, "AbC"},  // the next word keeps its case
        {"/delay:", true, ""},
        {"/delay=1:2", false, ""},  // the ":" is looked for first
        {"/delay:a=b", true, "a=b"},
        {"/delay  5", true, ""},    // two blanks: the next word is empty
        {"", false, ""},
        {"/", false, ""},
    };
    for (const auto& c : cases) {
        const auto result = GetSwitchValue(c.line, "delay");
        EXPECT_EQ(result.found, c.found) << "line: " << c.line;
        EXPECT_EQ(result.value, c.value) << "line: " << c.line;
    }
}

TEST(PrinterArgumentFrom, LowerCasesAndRemovesOneQuoteAtEachEnd) {
    const StripCase cases[] = {
        {"\"HP LaserJet 4\" /nogui", "hp laserjet 4"},
        {"HP LaserJet 4 /nogui", "hp laserjet 4"},
        {"\"HP", "hp"},
        {"HP\"", "hp"},
        {"\"\"HP\"\"", "\" hp"},
        {"\"", ""},
        {"\"\"", ""},
        {"/q", ""},
        {"a\"b", "a\"b"},
        {"\"Fax\" extra", "fax\"  extra"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PrinterArgumentFrom(c.line), c.expected) << "line: " << c.line;
    }
}

struct SecondsCase {
    std::string text;
    float seconds;
};

TEST(ParseSeconds, ReadsTheLongestLeadingNumber) {
    const SecondsCase cases[] = {
        {"5", 5.0f},        {"2.5", 2.5f},      {"-5", -5.0f},     {"+3", 3.0f},
        {"", 0.0f},         {"abc", 0.0f},      {"3abc", 3.0f},    {"5.", 5.0f},
        {".5", 0.5f},       {".", 0.0f},        {"-", 0.0f},       {"+.", 0.0f},
        {"1e2", 100.0f},    {"1E-1", 0.1f},     {"1e", 1.0f},      {"1e+", 1.0f},
        {"2.5e1x", 25.0f},  {"1.2.3", 1.2f},    {"0x10", 0.0f},    {" 5", 0.0f},
        {"00012", 12.0f},   {"1e-999", 0.0f},
    };
    for (const auto& c : cases) {
        EXPECT_FLOAT_EQ(ParseSeconds(c.text), c.seconds) << "text: " << c.text;
    }
}

TEST(StartDelaySeconds, WaitsTenMinutesAtMost) {
    const float infinity = std::numeric_limits<float>::infinity();
    const SecondsCase cases[] = {
        {"5", 5.0f},     {"600", 600.0f}, {"600.5", 600.0f}, {"1e30", 600.0f},
        {"1e999", 600.0f}, {"-1e999", -infinity}, {"abc", 0.0f},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StartDelaySeconds(c.text), c.seconds) << "text: " << c.text;
    }
}

TEST(FormatSeconds, GivesTheShortestForm) {
    EXPECT_EQ(FormatSeconds(5.0f), "5");
    EXPECT_EQ(FormatSeconds(2.5f), "2.5");
    EXPECT_EQ(FormatSeconds(0.1f), "0.1");
    EXPECT_EQ(FormatSeconds(-3.0f), "-3");
    EXPECT_EQ(FormatSeconds(0.0f), "0");
    EXPECT_EQ(FormatSeconds(-0.0f), "0");
    EXPECT_EQ(FormatSeconds(ParseSeconds("1.0000001")), "1.0000001");
}

struct OptionCase {
    std::string line;
    Options expected;
};

TEST(ApplyOptionSwitches, EnablesAndDisablesForTheRun) {
    const Options start{0, 0, 0, 7};
    const OptionCase cases[] = {
        {"", {0, 0, 0, 7}},
        {"/enablestartupall", {0, 1, 1, 7}},
        {"/enablestartup", {0, 1, 0, 7}},
        {"/enabledesktop", {1, 0, 0, 7}},
        {"-ENABLEALL", {1, 1, 1, 7}},
        {"/enableall /disableall", {2, 2, 2, 7}},
        {"/disableall /enableall", {2, 2, 2, 7}},
        {"-disableall", {2, 2, 2, 7}},
        {"/enable", {0, 0, 0, 7}},
        {"enabledesktop", {0, 0, 0, 7}},
        {"hp/enabledesktop", {1, 0, 0, 7}},
        {"/enabledesktop -enablestartup", {1, 1, 0, 7}},
    };
    for (const auto& c : cases) {
        auto options = start;
        ApplyOptionSwitches(c.line, options);
        EXPECT_EQ(options.DesktopSetting, c.expected.DesktopSetting) << "line: " << c.line;
        EXPECT_EQ(options.StartupSetting, c.expected.StartupSetting) << "line: " << c.line;
        EXPECT_EQ(options.StartupAllSetting, c.expected.StartupAllSetting) << "line: " << c.line;
        EXPECT_EQ(options.UncDisplayMode, 7) << "line: " << c.line;
    }
}

TEST(ApplyOptionSwitches, KeepsStoredValuesWithoutSwitches) {
    Options options{1, 2, 1, 2};
    ApplyOptionSwitches("hp laser /q", options);
    EXPECT_EQ(options.DesktopSetting, 1);
    EXPECT_EQ(options.StartupSetting, 2);
    EXPECT_EQ(options.StartupAllSetting, 1);
}

TEST(ApplyNetworkNameSwitches, ShowWinsOverHide) {
    const struct {
        std::string line;
        std::int32_t before;
        std::int32_t after;
    } cases[] = {
        {"/hideuncpath", 0, 2},   {"/HIDEUNCPATH", 1, 2},
        {"/showuncpath", 2, 1},   {"/showuncpath /hideuncpath", 0, 1},
        {"-hideuncpath", 0, 0},   {"hp", 2, 2},
        {"x/hideuncpathy", 0, 2},
    };
    for (const auto& c : cases) {
        Options options;
        options.UncDisplayMode = c.before;
        ApplyNetworkNameSwitches(c.line, options);
        EXPECT_EQ(options.UncDisplayMode, c.after) << "line: " << c.line;
        EXPECT_EQ(options.DesktopSetting, 0);
    }
}

}  // namespace
}  // namespace quillon
