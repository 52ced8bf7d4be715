#include <gtest/gtest.h>

#include <string>

#include "fakes/fake_code_page.h"
#include "fakes/fake_toolkit.h"

namespace quillon::fakes {
namespace {

TEST(LessIgnoringCase, OrdersAsTheLowerCasedTextsWould) {
    const Utf8CodePage utf8;
    const struct {
        std::string a;
        std::string b;
        bool less;
    } cases[] = {
        {"a", "B", true},
        {"B", "a", false},
        {"HP", "hp", false},  // equal: neither comes first
        {"hp", "HP", false},
        {"Étage", "étage", false},  // capitals past ASCII fold too
        {"abc", "ABCD", true},
        {"", "a", true},
        {"a", "", false},
        // Bytes past 127 come after ASCII, as unsigned characters.
        {"z", "é", true},
        {"é", "z", false},
        {"Printer 10", "printer 9", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LessIgnoringCase(c.a, c.b), c.less) << c.a << " < " << c.b;
    }
}

}  // namespace
}  // namespace quillon::fakes
