// The table of the languages the program speaks. A new language: its file
// beside this one, declared here and given a row with its name as Windows
// gives it (GetUserPreferredUILanguages), and a row of kLanguages in the
// window test, tests/wine/layout_test.cpp.
#include <algorithm>
#include <array>

#include "base/texts.h"

namespace quillon::texts {

extern const Texts kEnglish;
extern const Texts kGerman;
extern const Texts kFrench;
extern const Texts kSpanish;
extern const Texts kItalian;
extern const Texts kPortugueseBrazil;
extern const Texts kDutch;
extern const Texts kPolish;
extern const Texts kRussian;
extern const Texts kJapanese;
extern const Texts kChineseSimplified;

namespace {

const std::array kTranslations{
    Translation{"en-US", kEnglish},          Translation{"de-DE", kGerman},
    Translation{"fr-FR", kFrench},           Translation{"es-ES", kSpanish},
    Translation{"it-IT", kItalian},          Translation{"pt-BR", kPortugueseBrazil},
    Translation{"nl-NL", kDutch},            Translation{"pl-PL", kPolish},
    Translation{"ru-RU", kRussian},          Translation{"ja-JP", kJapanese},
    Translation{"zh-CN", kChineseSimplified},
};

}  // namespace

std::span<const Translation> Translations() { return kTranslations; }

const Texts& English() { return kEnglish; }

std::string Fill(std::string_view entry, std::string_view value) {
    const auto place = entry.find("%1");
    if (place == std::string_view::npos) return std::string(entry);
    std::string filled(entry.substr(0, place));
    filled += value;
    filled += entry.substr(place + 2);
    return filled;
}

std::string Fill(std::string_view entry, std::string_view first, std::string_view second) {
    const auto place = entry.find("%2");
    if (place == std::string_view::npos) return Fill(entry, first);
    return Fill(entry.substr(0, place), first) + std::string(second) + Fill(entry.substr(place + 2), first);
}

}  // namespace quillon::texts
