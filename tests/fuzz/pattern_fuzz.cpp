// The printer pattern of the command line, against printer names. The
// input is the pattern, a NUL, and the name. Run with -timeout: a matcher
// with an exponential case would show up as a slow input here.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "base/pattern.h"
#include "base/text.h"
#include "fakes/fake_code_page.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

// The same rules read straight from the pattern text and decided by
// dynamic programming over (pattern position, name position), both at
// character starts of the active code page: slow but plainly right, so the
// fast matcher can be held against it.
struct Reference {
    const quillon::text::CharacterLayout& layout;
    std::string_view pattern;
    std::string_view name;
    std::vector<signed char> memo;

    std::string_view CharacterAt(std::string_view text, std::size_t at) const {
        return text.substr(at, layout.CharacterLength(text.substr(at)));
    }

    // The end of the list's "]", or npos; found character by character.
    std::size_t Close(std::size_t from) const {
        for (std::size_t at = from; at < pattern.size(); at += CharacterAt(pattern, at).size()) {
            if (pattern[at] == ']') return at;
        }
        return std::string_view::npos;
    }

    // One element starting at p: its end, and whether it takes character c.
    std::size_t ElementEnd(std::size_t p) const {
        if (pattern[p] != '[') return p + CharacterAt(pattern, p).size();
        const auto close = Close(p + 1);
        return close == std::string_view::npos ? p + 1 : close + 1;
    }

    bool Takes(std::size_t p, std::size_t end, std::string_view c) const {
        const auto head = CharacterAt(pattern, p);
        if (head == "?") return true;
        if (head == "#") return c.size() == 1 && c[0] >= '0' && c[0] <= '9';
        if (head != "[" || end == p + 1) return head == c;
        std::string_view list = pattern.substr(p + 1, end - p - 2);
        const bool negated = !list.empty() && list.front() == '!';
        if (negated) list.remove_prefix(1);
        bool in = false;
        for (std::size_t i = 0; i < list.size();) {
            const auto first = CharacterAt(list, i);
            const auto dash = i + first.size();
            if (dash + 1 < list.size() && list[dash] == '-') {
                const auto last = CharacterAt(list, dash + 1);
                const auto value = layout.Value(c);
                if (layout.Value(first) <= value && value <= layout.Value(last)) in = true;
                i = dash + 1 + last.size();
            } else {
                if (first == c) in = true;
                i = dash;
            }
        }
        return in != negated;
    }

    // An empty list "[]" is no element at all.
    bool IsEmptyList(std::size_t p, std::size_t end) const {
        return pattern[p] == '[' && end == p + 2;
    }

    bool Match(std::size_t p, std::size_t n) {
        auto& slot = memo[p * (name.size() + 1) + n];
        if (slot >= 0) return slot != 0;
        bool result = false;
        const auto c = CharacterAt(name, n);
        if (p == pattern.size()) {
            result = n == name.size();
        } else if (pattern[p] == '*') {
            result = Match(p + 1, n) || (n < name.size() && Match(p, n + c.size()));
        } else {
            const auto end = ElementEnd(p);
            if (IsEmptyList(p, end)) {
                result = Match(end, n);
            } else {
                result = n < name.size() && Takes(p, end, c) && Match(end, n + c.size());
            }
        }
        slot = result ? 1 : 0;
        return result;
    }
};

// Small enough for the reference's table and its recursion depth.
constexpr std::size_t kReferenceCells = 1 << 12;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quillon;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const auto split = input.find('\0');
    const std::string_view pattern = input.substr(0, split);
    const std::string_view name =
        split == std::string_view::npos ? std::string_view{} : input.substr(split + 1);

    // Every input under UTF-8 and under a double-byte page.
    for (const auto* page : {&fakes::FakeCodePage::Utf8(), &fakes::FakeCodePage::DoubleByte()}) {
        const text::ScopedCodePage active(*page);
        const bool matches = MatchesPattern(name, pattern);
        (void)PrinterArgumentMatches(name, pattern);

        if ((pattern.size() + 1) * (name.size() + 1) <= kReferenceCells) {
            Reference reference{text::ActiveLayout(), pattern, name,
                                std::vector<signed char>((pattern.size() + 1) * (name.size() + 1), -1)};
            Check(matches == reference.Match(0, 0));
        }
        // A star around any pattern only widens it.
        if (matches) Check(MatchesPattern(name, "*" + std::string(pattern) + "*"));
    }
    return 0;
}
