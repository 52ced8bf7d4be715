#pragma once

#include <string>
#include <string_view>

// Text rules shared by every part of the program. Texts are 8-bit in the
// system's ANSI code page; lower-casing folds A-Z and the Latin-1 capitals.
namespace quillon::text {

char ToLower(char c);
std::string ToLower(std::string_view s);

// Orders two texts as their lower-cased forms would order, byte by byte.
bool LessIgnoringCase(std::string_view a, std::string_view b);

bool Contains(std::string_view haystack, std::string_view needle);
// Contains, after lower-casing the haystack; the needle is given in lower case.
bool ContainsLower(std::string_view haystack, std::string_view lowerNeedle);

// Only the blank (code 32) is trimmed.
std::string_view TrimBlanks(std::string_view s);
std::string_view TrimTrailingBlanks(std::string_view s);

// The text before the first NUL; the whole text when it holds none.
std::string_view BeforeNul(std::string_view s);

}  // namespace quillon::text
