#pragma once

#include <cstddef>
#include <string_view>

namespace quillon {

// A printer argument with "?" or "*" is a pattern; any other is a prefix.
bool IsPattern(std::string_view argument);

// Whether the whole name matches the pattern: "?" any character, "*" any
// run, "#" a digit 0-9, "[abc]" / "[a-f]" one listed character, "[!abc]"
// one unlisted character; anything else stands for itself, compared exactly
// (callers lower-case both sides). Characters are those of the active code
// page, and a range holds what lies between its ends in the page's order
// (code points under UTF-8). Inside brackets "?", "*" and "#" are plain
// characters. Not well-formed pieces are taken literally, see the
// definition.
bool MatchesPattern(std::string_view name, std::string_view pattern);

// How many of the pattern's characters stand for themselves: the more, the
// fewer names it matches ("office-*" before "o*").
std::size_t FixedCharacters(std::string_view pattern);

// The printer argument's rule for one lower-cased printer name: a pattern
// matches the whole name, a plain argument its beginning.
bool PrinterArgumentMatches(std::string_view lowerName, std::string_view argument);

}  // namespace quillon
