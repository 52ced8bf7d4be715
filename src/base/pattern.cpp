#include "base/pattern.h"

#include <cstddef>
#include <vector>

namespace quillon {
namespace {

// One element of a pattern. Every element but the star stands for exactly
// one character of the name, which is what keeps the matcher linear per
// star instead of exponential.
struct Element {
    enum Kind { Star, AnyOne, Digit, Literal, List } kind;
    char literal = 0;
    std::string_view list{};  // the text between "[" (or "[!") and "]"
    bool negated = false;
};

bool InList(std::string_view list, char c) {
    const auto u = static_cast<unsigned char>(c);
    for (std::size_t i = 0; i < list.size(); ++i) {
        // "a-f" is a range; a "-" at either end of the list is itself.
        if (i + 2 < list.size() && list[i + 1] == '-') {
            const auto low = static_cast<unsigned char>(list[i]);
            const auto high = static_cast<unsigned char>(list[i + 2]);
            // A range written backwards ("[z-a]") holds nothing.
            if (low <= u && u <= high) return true;
            i += 2;
        } else if (list[i] == c) {
            return true;
        }
    }
    return false;
}

bool Matches(const Element& element, char c) {
    switch (element.kind) {
        case Element::AnyOne:
            return true;
        case Element::Digit:
            return c >= '0' && c <= '9';
        case Element::Literal:
            return c == element.literal;
        case Element::List:
            return InList(element.list, c) != element.negated;
        case Element::Star:
            break;
    }
    return false;
}

// A "[" without its "]" stands for itself, and so does a "]" outside a list,
// so a half-typed pattern still means something predictable. An empty list
// "[]" matches no character and is dropped, so that "a[]b" reads as "ab";
// "[!]" therefore matches any one character.
std::vector<Element> Parse(std::string_view pattern) {
    std::vector<Element> elements;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '*') {
            // A run of stars is one star.
            if (elements.empty() || elements.back().kind != Element::Star) {
                elements.push_back({Element::Star});
            }
        } else if (c == '?') {
            elements.push_back({Element::AnyOne});
        } else if (c == '#') {
            elements.push_back({Element::Digit});
        } else if (c == '[' && pattern.find(']', i + 1) != std::string_view::npos) {
            const auto close = pattern.find(']', i + 1);
            auto list = pattern.substr(i + 1, close - i - 1);
            const bool negated = !list.empty() && list.front() == '!';
            if (negated) list.remove_prefix(1);
            if (negated || !list.empty()) {
                elements.push_back({Element::List, 0, list, negated});
            }
            i = close;
        } else {
            elements.push_back({Element::Literal, c});
        }
    }
    return elements;
}

}  // namespace

bool IsPattern(std::string_view argument) {
    return argument.find_first_of("?*") != std::string_view::npos;
}

bool MatchesPattern(std::string_view name, std::string_view pattern) {
    const auto elements = Parse(pattern);
    // Greedy matching that, on a mismatch, lets the last star take one more
    // character. Going back to the last star only is enough because every
    // other element takes exactly one character: at most len(name) restarts
    // of at most len(pattern) steps each.
    std::size_t n = 0;
    std::size_t e = 0;
    std::size_t starElement = elements.size();
    std::size_t starName = 0;
    while (n < name.size()) {
        if (e < elements.size() && elements[e].kind == Element::Star) {
            starElement = e++;
            starName = n;
        } else if (e < elements.size() && Matches(elements[e], name[n])) {
            ++e;
            ++n;
        } else if (starElement != elements.size()) {
            e = starElement + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (e < elements.size() && elements[e].kind == Element::Star) ++e;
    return e == elements.size();
}

bool PrinterArgumentMatches(std::string_view lowerName, std::string_view argument) {
    if (IsPattern(argument)) return MatchesPattern(lowerName, argument);
    return lowerName.starts_with(argument);
}

}  // namespace quillon
