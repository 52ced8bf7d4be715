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

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

// The same rules read straight from the pattern text and decided by
// dynamic programming over (pattern position, name position): slow but
// plainly right, so the fast matcher can be held against it.
struct Reference {
    std::string_view pattern;
    std::string_view name;
    std::vector<signed char> memo;

    // One element starting at p: its end, and whether it takes character c.
    std::size_t ElementEnd(std::size_t p) const {
        if (pattern[p] != '[') return p + 1;
        const auto close = pattern.find(']', p + 1);
        return close == std::string_view::npos ? p + 1 : close + 1;
    }

    bool Takes(std::size_t p, std::size_t end, char c) const {
        const char head = pattern[p];
        if (head == '?') return true;
        if (head == '#') return c >= '0' && c <= '9';
        if (head != '[' || end == p + 1) return head == c;
        std::string_view list = pattern.substr(p + 1, end - p - 2);
        const bool negated = !list.empty() && list.front() == '!';
        if (negated) list.remove_prefix(1);
        bool in = false;
        for (std::size_t i = 0; i < list.size(); ++i) {
            if (i + 2 < list.size() && list[i + 1] == '-') {
                const auto u = static_cast<unsigned char>(c);
                if (static_cast<unsigned char>(list[i]) <= u &&
                    u <= static_cast<unsigned char>(list[i + 2])) {
                    in = true;
                }
                i += 2;
            } else if (list[i] == c) {
                in = true;
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
        if (p == pattern.size()) {
            result = n == name.size();
        } else if (pattern[p] == '*') {
            result = Match(p + 1, n) || (n < name.size() && Match(p, n + 1));
        } else {
            const auto end = ElementEnd(p);
            if (IsEmptyList(p, end)) {
                result = Match(end, n);
            } else {
                result = n < name.size() && Takes(p, end, name[n]) && Match(end, n + 1);
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

    const bool matches = MatchesPattern(name, pattern);
    (void)PrinterArgumentMatches(name, pattern);

    if ((pattern.size() + 1) * (name.size() + 1) <= kReferenceCells) {
        Reference reference{pattern, name,
                            std::vector<signed char>((pattern.size() + 1) * (name.size() + 1), -1)};
        Check(matches == reference.Match(0, 0));
    }
    // A star around any pattern only widens it.
    if (matches) Check(MatchesPattern(name, "*" + std::string(pattern) + "*"));
    return 0;
}
