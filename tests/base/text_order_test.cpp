#include <gtest/gtest.h>

#include <string>

#include "base/text.h"

namespace quillon::text {
namespace {

TEST(LessIgnoringCase, OrdersAsTheLowerCasedTextsWould) {
    const struct {
        std::string a;
        std::string b;
        bool less;
    } cases[] = {
        {"a", "B", true},
        {"B", "a", false},
        {"HP", "hp", false},  // equal: neither comes first
        {"hp", "HP", false},
        {"\xC9tage", "\xE9tage", false},  // Latin-1 capitals fold too
        {"abc", "ABCD", true},
        {"", "a", true},
        {"a", "", false},
        // Bytes past 127 come after ASCII, as unsigned characters.
        {"z", "\xE9", true},
        {"\xE9", "z", false},
        {"Printer 10", "printer 9", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LessIgnoringCase(c.a, c.b), c.less) << c.a << " < " << c.b;
    }
}

}  // namespace
}  // namespace quillon::text
