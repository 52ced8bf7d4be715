#include "base/catalogue.h"

#include <algorithm>

#include "base/text.h"

namespace quillon::texts {
namespace {

std::string AsciiLower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + ('a' - 'A'));
    }
    return lower;
}

// The language part of a name, with the script where one language is
// written in two: "fr" of "fr-CA", "zh-hant" of "zh-TW".
std::string LanguageOf(std::string_view name) {
    const std::string lower = AsciiLower(name);
    std::string primary = lower.substr(0, lower.find('-'));
    if (primary != "zh") return primary;
    const bool traditional = lower.find("-hant") != std::string::npos ||
                             lower == "zh-tw" || lower == "zh-hk" || lower == "zh-mo";
    return traditional ? "zh-hant" : "zh-hans";
}

// Every entry of the translation in the active code page, English where it
// has none; nothing when the page cannot write one of them.
std::optional<std::vector<std::string>> Written(const Texts& texts) {
    std::vector<std::string> written;
    for (const auto& entry : kEntries) {
        const std::string_view own = texts.*entry.text;
        auto text = text::FromUtf8(own.empty() ? English().*entry.text : own);
        if (!text) return std::nullopt;
        written.push_back(std::move(*text));
    }
    return written;
}

}  // namespace

std::optional<std::size_t> MatchTranslation(std::string_view language,
                                            std::span<const Translation> translations) {
    const auto exact = std::find_if(translations.begin(), translations.end(), [&](const auto& t) {
        return AsciiLower(t.tag) == AsciiLower(language);
    });
    if (exact != translations.end()) return static_cast<std::size_t>(exact - translations.begin());
    const auto same = std::find_if(translations.begin(), translations.end(), [&](const auto& t) {
        return LanguageOf(t.tag) == LanguageOf(language);
    });
    if (same != translations.end()) return static_cast<std::size_t>(same - translations.begin());
    return std::nullopt;
}

Catalogue::Catalogue(std::span<const std::string> preferredLanguages)
    : Texts(English()), tag_(Translations().front().tag) {
    for (const auto& language : preferredLanguages) {
        const auto match = MatchTranslation(language, Translations());
        if (!match) continue;
        const Translation& chosen = Translations()[*match];
        auto written = Written(chosen.texts);
        if (!written) continue;
        tag_ = chosen.tag;
        written_ = std::move(*written);
        for (std::size_t i = 0; i < std::size(kEntries); ++i) this->*kEntries[i].text = written_[i];
        return;
    }
}

bool IsShortcutName(std::string_view fileName) {
    const std::string name = text::ToLower(fileName);
    return std::any_of(Translations().begin(), Translations().end(), [&](const auto& t) {
        // Each fixed part of the name around the entry, in this page's
        // letters; a language the page cannot write names no file of it.
        const std::string_view pattern = t.texts.ShortcutName;
        const auto place = pattern.find("%1");
        if (place == std::string_view::npos) return false;
        for (const auto part : {pattern.substr(0, place), pattern.substr(place + 2)}) {
            const auto trimmed = text::TrimBlanks(part);
            if (trimmed.empty()) continue;
            const auto written = text::FromUtf8(trimmed);
            if (!written || text::Find(name, text::ToLower(*written)) == std::string::npos) {
                return false;
            }
        }
        return true;
    });
}

}  // namespace quillon::texts
