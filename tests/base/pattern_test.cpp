#include <gtest/gtest.h>

#include <string>

#include "base/pattern.h"

namespace quillon {
namespace {

TEST(IsPattern, NeedsAQuestionMarkOrAStar) {
    EXPECT_TRUE(IsPattern("hp?laser"));
    EXPECT_TRUE(IsPattern("*"));
    EXPECT_FALSE(IsPattern("hp#1"));
    EXPECT_FALSE(IsPattern("[a-f]x"));
    EXPECT_FALSE(IsPattern(""));
}

struct MatchCase {
    std::string name;
    std::string pattern;
    bool matches;
};

TEST(MatchesPattern, FollowsTheElementRules) {
    const MatchCase cases[] = {
        {"hp laserjet 4", "*laser*", true},
        {"hp laserjet 4", "hp?laser*", true},
        {"hp laserjet 4", "hp?laser", false},  // the whole name must match
        {"hp laserjet 4", "laser*", false},
        {"hp laserjet 4", "*4", true},
        {"hp laserjet 4", "*5", false},
        {"", "*", true},
        {"", "", true},
        {"", "?", false},
        {"a", "", false},
        {"abc", "a*c", true},
        {"ac", "a*c", true},
        {"ab", "a*c", false},
        {"abcbc", "a*bc", true},
        {"aXbXc", "*b*c", true},
        {"abc", "***", true},
        {"abc", "a**?", true},
        {"abc", "????", false},
        {"abc", "??", false},
        {"fax 1", "fax #", true},
        {"fax x", "fax #", false},
        {"fax 12", "fax #*", true},
        {"plot b", "plot [abc]", true},
        {"plot d", "plot [abc]", false},
        {"plot d", "plot [!abc]", true},
        {"plot a", "plot [!abc]", false},
        {"plot e", "plot [a-f]*", true},
        {"plot g", "plot [a-f]*", false},
        {"plot a", "plot [a-f]*", true},
        {"plot f", "plot [a-f]*", true},
        {"plot 5", "plot [0-46-9]*", false},
        {"plot 6", "plot [0-46-9]*", true},
        {"plot -", "plot [-a]*", true},  // "-" at either end is itself
        {"plot -", "plot [a-]*", true},
        {"plot b", "plot [a-]*", false},
        {"plot m", "plot [z-a]*", false},  // a backward range holds nothing
        {"a*b", "a[*]b", true},             // brackets make "*" plain
        {"axb", "a[*]b*", false},
        {"a?b", "a[?]*", true},
        {"a#b", "a[#]b*", true},
        {"a[b", "a[[]b*", true},
        {"ab", "a[]b*", true},  // an empty list stands for nothing
        {"axb", "a[!]b*", true},
        // An unclosed "[" stands for itself.
        {"a[b", "a[b*", true},
        {"ab", "a[b*", false},
        {"x[", "*[", true},
        {"[", "[*", true},
        {"a]b", "a]b*", true},
        // Letter case is compared exactly; callers lower-case both sides.
        {"HP", "hp*", false},
        {"\xe9t\xe9", "?t?", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MatchesPattern(c.name, c.pattern), c.matches)
            << "name: " << c.name << " pattern: " << c.pattern;
    }
}

TEST(MatchesPattern, ManyStarsAgainstALongNameEndsWithoutAMatch) {
    const std::string name(10000, 'a');
    EXPECT_FALSE(MatchesPattern(name, "*a*a*a*a*a*a*a*a*a*b"));
    EXPECT_TRUE(MatchesPattern(name + "b", "*a*a*a*a*a*a*a*a*a*b"));
    EXPECT_FALSE(MatchesPattern(name, std::string(5000, '*') + "b"));
}

TEST(PrinterArgumentMatches, UsesPrefixOrPatternByTheArgument) {
    const MatchCase cases[] = {
        {"hp laserjet 4", "hp", true},
        {"hp deskjet 500", "hp", true},
        {"hp laserjet 4", "laser", false},
        {"hp laserjet 4", "*laser*", true},
        {"hp", "hp laserjet", false},  // a shorter name never matches
        {"hp laserjet 4", "hp laserjet 4", true},
        {"hp laserjet 4", "hp laserjet 4 ", false},
        {"fax 1", "fax #", false},  // "#" counts only in a pattern
        {"fax #", "fax #", true},
        {"fax [1]", "fax [", true},
        {"plotter on srv", "plotter on srv", true},
        {"plotter on srv", "plot", true},
        {"plotter on srv", "\\\\srv\\plotter", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PrinterArgumentMatches(c.name, c.pattern), c.matches)
            << "name: " << c.name << " argument: " << c.pattern;
    }
}

}  // namespace
}  // namespace quillon
