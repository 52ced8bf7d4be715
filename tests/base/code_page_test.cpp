#include <gtest/gtest.h>

#include <string>

#include "base/pattern.h"
#include "base/text.h"
#include "fakes/fake_code_page.h"

namespace quillon::text {
namespace {

using fakes::FakeCodePage;

// Shift-JIS-like bytes: "\x83\x5C" ends in "\", "\x83\x41" in "A".
const auto& kUtf8 = FakeCodePage::Utf8();
const auto& kDouble = FakeCodePage::DoubleByte();

TEST(ToLower, FoldsEveryLetterTheCodePageKnows) {
    const struct {
        const FakeCodePage& page;
        std::string text;
        std::string lower;
    } cases[] = {
        {kUtf8, "ПРИНТЕР Бухгалтерия", "принтер бухгалтерия"},
        {kUtf8, "ЧЕРНЫЙ", "черный"},
        {kUtf8, "ŠKODA Tisk", "škoda tisk"},
        {kUtf8, "ΕΚΤΥΠΩΤΗΣ Γραφείο", "εκτυπωτησ γραφείο"},
        {kUtf8, "ԱՐՄԵՆ", "արմեն"},
        {kUtf8, "ＦＵＬＬ Ｗｉｄｔｈ", "ｆｕｌｌ ｗｉｄｔｈ"},
        {kUtf8, "DRUCKER BÜRO", "drucker büro"},
        {kUtf8, "打印机 3楼", "打印机 3楼"},
        {kUtf8, "ȺB", "ⱥb"},                  // the lower case is a byte longer
        {kUtf8, "\xFF\xC3Z\xE6\x89", "\xFF\xC3z\xE6\x89"},  // unreadable bytes stay
        {kDouble, "\x82\x60\x82\x79X", "\x82\x81\x82\x9Ax"},  // full-width A, Z
        {kDouble, "\x83\x41\x83\x5A", "\x83\x41\x83\x5A"},    // trail bytes "A", "Z"
    };
    for (const auto& c : cases) {
        const ScopedCodePage page(c.page);
        EXPECT_EQ(ToLower(c.text), c.lower) << c.text;
    }
}

TEST(MatchesPattern, TakesWholeCharactersOfTheCodePage) {
    const struct {
        const FakeCodePage& page;
        std::string name;
        std::string pattern;
        bool matches;
    } cases[] = {
        {kUtf8, "打印机 3楼", "打?机*", true},
        {kUtf8, "打印机 3楼", "打???机*", false},  // "?" is one character, not one byte
        {kUtf8, "打印机 3楼", "*#?", true},
        {kUtf8, "принтер бухгалтерия", "[а-я]*", true},
        {kUtf8, "ёлка", "[а-я]*", false},  // ё lies outside а-я, as in Unicode
        {kUtf8, "drucker büro", "drucker b?ro", true},
        {kUtf8, "drucker büro", "drucker b[!ü]ro", false},
        {kUtf8, "drucker buro", "drucker b[!ü]ro", true},
        {kUtf8, "εκτυπωτησ γραφείο", "εκτυπ*", true},
        {kUtf8, "３", "#", false},  // only the ASCII digits
        {kUtf8, "\xC3", "?", true},  // an unreadable byte is one character
        {kDouble, "\x83\x5C", "?", true},
        {kDouble, "\x83\x5C", "??", false},
        {kDouble, "a\x83\x5C" "b", "a?b", true},
        {kDouble, "\x83\x41", "*A*", false},
        {kDouble, "\x83\x5C", "[\x83\x5C]", true},
        {kDouble, "\x82\x65", "[\x82\x60-\x82\x79]", true},
        {kDouble, "\x82\x81", "[\x82\x60-\x82\x79]", false},
    };
    for (const auto& c : cases) {
        const ScopedCodePage page(c.page);
        EXPECT_EQ(MatchesPattern(c.name, c.pattern), c.matches) << c.name << " / " << c.pattern;
    }
}

TEST(TextRules, NeverFindOrKeepPartOfACharacter) {
    const struct {
        const FakeCodePage& page;
        std::string (*actual)();  // run with the page in force
        std::string expected;
    } cases[] = {
        {kUtf8, [] { return std::string(FirstBytes("aé", 2)); }, "a"},
        {kUtf8, [] { return std::string(FirstBytes("aé", 3)); }, "aé"},
        {kUtf8, [] { return std::string(BeforeNul("ab\xD0")); }, "ab"},
        {kUtf8, [] { return std::string(BeforeNul("ab\xE6\x89")); }, "ab"},
        {kUtf8, [] { return std::string(BeforeNul("ab\xFF")); }, "ab\xFF"},
        {kUtf8, [] { return std::string(BeforeNul(std::string("п\0x", 4))); }, "п"},
        {kUtf8, [] { return std::to_string(FindIgnoringCase("ȺȺ ON srv", " on ")); }, "4"},
        {kUtf8, [] { return std::to_string(PrinterArgumentMatches("принтер", "при")); }, "1"},
        {kDouble, [] { return std::string(FirstBytes("a\x83\x5C", 2)); }, "a"},
        {kDouble, [] { return std::string(BeforeNul("a\x83")); }, "a"},
        {kDouble, [] { return std::string(BeforeNul("\x83\x5C")); }, "\x83\x5C"},
        {kDouble, [] { return std::to_string(FindLast("a\\b\x83\x5C", "\\")); }, "1"},
        {kDouble, [] { return std::to_string(Contains("\x83sab", "sab")); }, "0"},
        {kDouble, [] { return std::to_string(EndsWith("x\x83on srv", "on srv")); }, "0"},
        {kDouble, [] { return std::to_string(PrinterArgumentMatches("\x83\x5C", "\x83")); }, "0"},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const ScopedCodePage page(cases[i].page);
        EXPECT_EQ(cases[i].actual(), cases[i].expected) << "case " << i;
    }
}

}  // namespace
}  // namespace quillon::text
