#include "base/pattern.h"

#include <algorithm>
#include <cstddef>
#include <vector>

#include "base/text.h"

namespace quillon {
namespace {

// One element of a pattern. Every element but the star stands for exactly
// one character of the name, which is what keeps the matcher linear per
// star instead of exponential.
struct Element {
    enum Kind { Star, AnyOne, Digit, Literal, List } kind;
    std::string_view text{};  // the character, or the text between "[" (or "[!") and "]"
    bool negated = false;
};

std::string_view CharacterAt(const text::CharacterLayout& layout, std::string_view text,
                             std::size_t at) {
    return text.substr(at, layout.CharacterLength(text.substr(at)));
}

bool InList(const text::CharacterLayout& layout, std::string_view list,
            std::string_view character) {
    const auto value = layout.Value(character);
    std::size_t i = 0;
    while (i < list.size()) {
        const auto first = CharacterAt(layout, list, i);
        const auto dash = i + first.size();
        // "a-f" is a range; a "-" at either end of the list is itself.
        if (dash + 1 < list.size() && list[dash] == '-') {
            const auto last = CharacterAt(layout, list, dash + 1);
            // A range written backwards ("[z-a]") holds nothing.
            if (layout.Value(first) <= value && value <= layout.Value(last)) return true;
            i = dash + 1 + last.size();
        } else {
            if (first == character) return true;
            i = dash;
        }
    }
    return false;
}

bool Matches(const text::CharacterLayout& layout, const Element& element,
             std::string_view character) {
    switch (element.kind) {
        case Element::AnyOne:
            return true;
        case Element::Digit:
            return character.size() == 1 && character[0] >= '0' && character[0] <= '9';
        case Element::Literal:
            return character == element.text;
        case Element::List:
            return InList(layout, element.text, character) != element.negated;
        case Element::Star:
            break;
    }
    return false;
}

// A "[" without its "]" stands for itself, and so does a "]" outside a list,
// so a half-typed pattern still means something predictable. An empty list
// "[]" matches no character and is dropped, so that "a[]b" reads as "ab";
// "[!]" therefore matches any one character.
std::vector<Element> Parse(const text::CharacterLayout& layout, std::string_view pattern) {
    std::vector<Element> elements;
    for (std::size_t i = 0; i < pattern.size();) {
        const auto c = CharacterAt(layout, pattern, i);
        i += c.size();
        if (c == "*") {
            // A run of stars is one star.
            if (elements.empty() || elements.back().kind != Element::Star) {
                elements.push_back({Element::Star});
            }
        } else if (c == "?") {
            elements.push_back({Element::AnyOne});
        } else if (c == "#") {
            elements.push_back({Element::Digit});
        } else if (c == "[" && text::Find(pattern, "]", i) != std::string_view::npos) {
            const auto close = text::Find(pattern, "]", i);
            auto list = pattern.substr(i, close - i);
            const bool negated = list.starts_with('!');
            if (negated) list.remove_prefix(1);
            if (negated || !list.empty()) elements.push_back({Element::List, list, negated});
            i = close + 1;
        } else {
            elements.push_back({Element::Literal, c});
        }
    }
    return elements;
}

}  // namespace

bool IsPattern(std::string_view argument) {
    // Neither mark is ever part of a longer character.
    return argument.find_first_of("?*") != std::string_view::npos;
}

bool MatchesPattern(std::string_view name, std::string_view pattern) {
    const auto& layout = text::ActiveLayout();
    const auto elements = Parse(layout, pattern);
    // Greedy matching that, on a mismatch, lets the last star take one more
    // character. Going back to the last star only is enough because every
    // other element takes exactly one character: at most len(name) restarts
    // of at most len(pattern) steps each.
    std::size_t n = 0;
    std::size_t e = 0;
    std::size_t starElement = elements.size();
    std::size_t starName = 0;
    while (n < name.size()) {
        const auto character = CharacterAt(layout, name, n);
        if (e < elements.size() && elements[e].kind == Element::Star) {
            starElement = e++;
            starName = n;
        } else if (e < elements.size() && Matches(layout, elements[e], character)) {
            ++e;
            n += character.size();
        } else if (starElement != elements.size()) {
            e = starElement + 1;
            starName += layout.CharacterLength(name.substr(starName));
            n = starName;
        } else {
            return false;
        }
    }
    while (e < elements.size() && elements[e].kind == Element::Star) ++e;
    return e == elements.size();
}

std::size_t FixedCharacters(std::string_view pattern) {
    const auto elements = Parse(text::ActiveLayout(), pattern);
    return static_cast<std::size_t>(std::count_if(elements.begin(), elements.end(),
                                                  [](const Element& element) { return element.kind == Element::Literal; }));
}

bool PrinterArgumentMatches(std::string_view lowerName, std::string_view argument) {
    if (IsPattern(argument)) return MatchesPattern(lowerName, argument);
    return text::StartsWith(lowerName, argument);
}

}  // namespace quillon
