#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "settings/setting_value.h"

namespace quillon::settings {
namespace {

struct ParseCase {
    std::string text;
    std::int32_t value;
};

TEST(ParseSettingValue, ReadsTheNumberAtTheStart) {
    const ParseCase cases[] = {
        {"1", 1},
        {"2", 2},
        {"", 0},
        {" 2", 2},
        {"2abc", 2},
        {"abc", 0},
        {"\t\n 2", 2},
        {"1 2", 12},  // blanks inside the number are skipped too
        {"- 3", -3},
        {"\r2", 0},   // a carriage return is not a blank
        {"+7", 7},
        {"-0", 0},
        {"007", 7},
        {"1.4", 1},
        {"1.6", 2},
        {"2.5", 2},
        {"1.5", 2},
        {"3.5", 4},
        {"-2.5", -2},
        {"-1.5", -2},
        {"0.5", 0},
        {".5", 0},
        {".6", 1},
        {"5.", 5},
        {".", 0},
        {"+", 0},
        {"-", 0},
        {"1e2", 100},
        {"1E+2", 100},
        {"15e-1", 2},
        {"25E-1", 2},
        {"1e", 1},
        {"1e+", 1},
        {"2x3", 2},
        {"1,5", 1},
        {"&h10", 16},
        {"&HfF", 255},
        {"&H 1 0", 16},
        {"&o17", 15},
        {"&O8", 0},
        {"&H", 0},
        {"&", 0},
        {"&X10", 0},
        {"&H7FFFFFFF", 2147483647},
        {"-&H10", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseSettingValue(c.text), c.value) << "text: " << c.text;
    }
}

TEST(ParseSettingValue, NumbersOutsideTheRangeGiveZero) {
    const ParseCase cases[] = {
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"2147483648", 0},
        {"-2147483649", 0},
        {"2147483647.4", 2147483647},
        {"2147483647.5", 0},  // rounds to the even 2147483648
        {"1e10", 0},
        {"1e400", 0},
        {"1e-400", 0},
        {"&H80000000", 0},
        {"&HFFFFFFFFFFFFFFFFFFFF", 0},
        {std::string(400, '9'), 0},
        {"0." + std::string(400, '0') + "1", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseSettingValue(c.text), c.value) << "text: " << c.text;
    }
}

TEST(FormatSettingValue, WritesPlainDecimals) {
    EXPECT_EQ(FormatSettingValue(1), "1");
    EXPECT_EQ(FormatSettingValue(2), "2");
    EXPECT_EQ(FormatSettingValue(0), "0");
    EXPECT_EQ(FormatSettingValue(-15), "-15");
    EXPECT_EQ(FormatSettingValue(-2147483647 - 1), "-2147483648");
    for (const std::int32_t value : {0, 1, 2, -1, 2147483647, -2147483647 - 1}) {
        EXPECT_EQ(ParseSettingValue(FormatSettingValue(value)), value);
    }
}

}  // namespace
}  // namespace quillon::settings
