#include "base/text.h"

#include <algorithm>

namespace quillon::text {

char ToLower(char c) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 'A' && u <= 'Z') return static_cast<char>(u + 32);
    // Latin-1 capitals À..Þ, except the multiplication sign.
    if (u >= 0xC0 && u <= 0xDE && u != 0xD7) return static_cast<char>(u + 32);
    return c;
}

std::string ToLower(std::string_view s) {
    std::string result(s);
    for (char& c : result) c = ToLower(c);
    return result;
}

bool LessIgnoringCase(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(ToLower(x)) < static_cast<unsigned char>(ToLower(y));
    });
}

bool Contains(std::string_view haystack, std::string_view needle) {
    return haystack.find(needle) != std::string_view::npos;
}

bool ContainsLower(std::string_view haystack, std::string_view lowerNeedle) {
    return Contains(ToLower(haystack), lowerNeedle);
}

std::string_view TrimTrailingBlanks(std::string_view s) {
    const auto last = s.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string_view{} : s.substr(0, last + 1);
}

std::string_view TrimBlanks(std::string_view s) {
    const auto first = s.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string_view{} : TrimTrailingBlanks(s.substr(first));
}

std::string_view BeforeNul(std::string_view s) {
    return s.substr(0, s.find('\0'));
}

}  // namespace quillon::text
