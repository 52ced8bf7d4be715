#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/texts.h"

namespace quillon::texts {

// Which translation serves a language Windows names ("fr-CA"): the one of
// that very name, else the one of the same language ("fr-FR"); nothing
// when the program does not speak it. Chinese in traditional characters
// (zh-TW, zh-HK, zh-MO, zh-Hant) is another language than Chinese in
// simplified ones (zh-CN, zh-SG, zh-Hans).
std::optional<std::size_t> MatchTranslation(std::string_view language,
                                            std::span<const Translation> translations);

// The texts of a run: those of the first of the user's languages, in the
// user's order, that the program speaks and the active code page can
// write, else English. UTF-8 runs write every language; a run in a
// Western code page (before Windows 10 1903) passes over Japanese rather
// than show question marks. An entry a translation lacks is English.
class Catalogue : public Texts {
public:
    Catalogue() : Catalogue(std::span<const std::string>{}) {}
    explicit Catalogue(std::span<const std::string> preferredLanguages);
    Catalogue(const Catalogue&) = delete;
    Catalogue& operator=(const Catalogue&) = delete;

    // The chosen translation's name ("en-US" for English).
    std::string_view Tag() const { return tag_; }

private:
    std::string_view tag_;
    // The texts written in the active code page, where it is not UTF-8.
    std::vector<std::string> written_;
};

// Whether a file name is one the program gives its shortcuts, in any of
// its languages; the name's letter case does not count.
bool IsShortcutName(std::string_view fileName);

}  // namespace quillon::texts
