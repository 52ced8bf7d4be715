#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/character_layout.h"
#include "platform/code_page.h"

// Text rules shared by every part of the program. Texts are 8-bit in the
// active code page (UTF-8 where the program's manifest puts it in force,
// otherwise the system's own single- or double-byte page), and the rules
// work on its characters, never on parts of one: a search finds whole
// characters only, and a text cut to a size never ends in half a character.
namespace quillon::text {

// Makes a code page the active one for as long as the object lives, then
// restores the one before. Every text rule of every layer depends on the
// code page and on nothing else of the system, and passing it to each of
// them would thread one parameter through every pure function of the
// program; so it is the one process-wide convention, installed by the entry
// point for the run and by each test for itself. Until one is installed,
// every byte is a character and only A-Z have a lower case.
class ScopedCodePage {
public:
    explicit ScopedCodePage(const platform::CodePage& codePage);
    ~ScopedCodePage();
    ScopedCodePage(const ScopedCodePage&) = delete;
    ScopedCodePage& operator=(const ScopedCodePage&) = delete;

private:
    const platform::CodePage* previous_;
    const CharacterLayout* previousLayout_;
    CharacterLayout layout_;
};

const CharacterLayout& ActiveLayout();

// Every letter in lower case, as the system maps it. Plain ASCII text is
// folded here without asking the system.
std::string ToLower(std::string_view s);

// UTF-8 text (the program's own texts) written in the active code page;
// nothing when the page lacks one of its characters.
std::optional<std::string> FromUtf8(std::string_view utf8);

// The first (last) place from `from` on where the part stands as whole
// characters; npos when there is none.
std::size_t Find(std::string_view text, std::string_view part, std::size_t from = 0);
std::size_t FindLast(std::string_view text, std::string_view part);
bool Contains(std::string_view haystack, std::string_view needle);
// Contains, after lower-casing the haystack; the needle is given in lower case.
bool ContainsLower(std::string_view haystack, std::string_view lowerNeedle);
bool StartsWith(std::string_view text, std::string_view prefix);
bool EndsWith(std::string_view text, std::string_view suffix);

// Where the characters of the text, lower-cased, first read as the part;
// npos when they never do. The place is one of the text itself, also when
// lower-casing changes the length of some characters.
std::size_t FindIgnoringCase(std::string_view text, std::string_view lowerPart);

// The bytes of the character at the front of the text; 0 for "".
std::size_t CharacterLength(std::string_view text);

// The text without a character cut short at its end (by a buffer too small
// for it).
std::string_view WholeCharacters(std::string_view text);

// The longest front of the text that has at most that many bytes and ends
// between two characters.
std::string_view FirstBytes(std::string_view text, std::size_t maxBytes);

// Only the blank (code 32) is trimmed. No code page uses it inside a
// character.
std::string_view TrimBlanks(std::string_view s);
std::string_view TrimTrailingBlanks(std::string_view s);

// The text before the first NUL, or the whole text when it holds none;
// in whole characters.
std::string_view BeforeNul(std::string_view s);

}  // namespace quillon::text
