#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "base/texts.h"

namespace quillon {
namespace {

struct Language {
    std::string_view tag;
    std::vector<std::pair<std::string_view, std::string_view>> quotes;  // opening, closing
    // Group Policy's own words and Windows' folder names, which a text may
    // quote beside the program's; first the names of a policy's states:
    // Enabled, Disabled, Not configured.
    std::vector<std::string_view> windowsWords;
};

const Language kLanguages[] = {
    {"en-US", {}, {"Enabled", "Disabled", "Not configured", "Network 2"}},
    {"de-DE", {{"„", "“"}}, {"Aktiviert", "Deaktiviert", "Nicht konfiguriert", "Netzwerk 2"}},
    {"fr-FR", {{"«", "»"}}, {"Activé", "Désactivé", "Non configuré", "Réseau 2"}},
    {"es-ES", {}, {"Habilitada", "Deshabilitada", "No configurada", "Red 2"}},
    {"it-IT", {}, {"Attivato", "Disattivato", "Non configurato", "Rete 2"}},
    {"pt-BR", {}, {"Habilitado", "Desabilitado", "Não Configurado", "Rede 2"}},
    {"nl-NL", {}, {"Ingeschakeld", "Uitgeschakeld", "Niet geconfigureerd", "Netwerk 2"}},
    {"pl-PL", {{"„", "”"}}, {"Włączone", "Wyłączone", "Nie skonfigurowano", "Sieć 2"}},
    {"ru-RU", {{"«", "»"}},
     {"Включено", "Отключено", "Не задано", "Конфигурация компьютера", "Конфигурация пользователя",
      "Автозагрузка", "Сеть 2"}},
    {"ja-JP", {{"[", "]"}, {"「", "」"}},
     {"有効", "無効", "未構成", "コンピューターの構成", "ユーザーの構成", "Windows で通常使うプリンターを管理する",
      "ネットワーク 2"}},
    {"zh-CN", {{"“", "”"}}, {"已启用", "已禁用", "未配置", "计算机配置", "用户配置", "启动", "网络 2"}},
};

// A caption as a text names it: without its access key, "&S" or "(&S)"
// (which an ellipsis may follow: "按网络(&N)...").
std::string WithoutAccessKey(std::string_view caption) {
    std::string name(caption);
    if (const auto mark = name.find("(&"); mark != std::string::npos && name.size() > mark + 3 &&
                                           name[mark + 3] == ')') {
        name.erase(mark, 4);
    }
    std::erase(name, '&');
    return name;
}

// Every quoted span of the text, blanks and no-break spaces inside the
// marks left off.
std::vector<std::string> Quoted(std::string_view text, const Language& language) {
    auto quotes = language.quotes;
    quotes.emplace_back("\"", "\"");
    std::vector<std::string> found;
    for (const auto& [open, close] : quotes) {
        for (auto start = text.find(open); start != std::string_view::npos;) {
            const auto end = text.find(close, start + open.size());
            if (end == std::string_view::npos) break;
            std::string span(text.substr(start + open.size(), end - start - open.size()));
            for (const std::string blank : {" ", "\u00a0"}) {
                while (span.starts_with(blank)) span.erase(0, blank.size());
                while (span.ends_with(blank)) span.resize(span.size() - blank.size());
            }
            found.push_back(span);
            start = text.find(open, end + close.size());
        }
    }
    return found;
}

// The string table of a language's template: id to text.
std::map<std::string, std::string> Template(std::string_view tag) {
    std::stringstream read;
    read << std::ifstream(std::string(QUILLON_POLICY_DIR) + "/" + std::string(tag) + "/quillon.adml").rdbuf();
    const std::string adml = read.str();
    std::map<std::string, std::string> table;
    for (auto at = adml.find("<string id=\""); at != std::string::npos; at = adml.find("<string id=\"", at + 1)) {
        const auto idEnd = adml.find('"', at + 12);
        const auto textStart = adml.find('>', idEnd) + 1;
        table[adml.substr(at + 12, idEnd - at - 12)] = adml.substr(textStart, adml.find("</string>", textStart) - textStart);
    }
    return table;
}

const texts::Translation& Translation(std::string_view tag) {
    return *std::ranges::find(texts::Translations(), tag, &texts::Translation::tag);
}

// What a template or a message quotes is the program's caption in that
// language, a policy's name, Group Policy's word or an example: both say
// one thing in one way, and a change of either shows here.
TEST(PolicyTemplates, QuoteTheProgramsCaptionsInItsLanguage) {
    for (const auto& language : kLanguages) {
        SCOPED_TRACE(language.tag);
        const auto& catalogue = Translation(language.tag);
        auto texts = Template(language.tag);
        ASSERT_GE(texts.size(), 10u);
        std::set<std::string> names{language.windowsWords.begin(), language.windowsWords.end()};
        for (const auto& [id, text] : texts) {
            if (!id.ends_with("_Help")) names.insert(text);
        }
        // A pattern's wildcards, which the network rules' help names.
        names.insert({"desktop", "HP LaserJet 4", "Laser 4", "?", "*",
                      texts::Fill(catalogue.texts.PrinterOnServer, "Laser 4", "prtsrv")});
        for (const auto& entry : texts::kEntries) {
            names.insert(WithoutAccessKey(catalogue.texts.*entry.text));
            // The brackets of the usage line mark what may be left out.
            if (entry.name != "UsageArguments") texts[std::string(entry.name)] = catalogue.texts.*entry.text;
        }
        for (const auto& [id, text] : texts) {
            for (const auto& quoted : Quoted(text, language)) EXPECT_TRUE(names.contains(quoted)) << id << ": " << quoted;
        }
    }
}

// The states a policy's help names where a sentence starts ("Enabled: ...",
// "Enabled, or never configured: ..."), by their English names.
std::vector<std::string_view> StatesNamed(std::string_view help, const Language& language) {
    std::vector<std::string_view> states;
    for (std::size_t at = 0; at < help.size(); ++at) {
        const auto before = help.substr(0, at);
        if (at > 0 && !before.ends_with('\n') && !before.ends_with(". ") && !before.ends_with("。")) continue;
        for (std::size_t state = 0; state < 3; ++state) {
            if (help.substr(at).starts_with(language.windowsWords[state])) {
                states.push_back(kLanguages[0].windowsWords[state]);
            }
        }
    }
    return states;
}

// Every help names the states the English one names, in Group Policy's
// words of its language ("Attivato", never "Abilitato").
TEST(PolicyTemplates, NameThePolicysStatesInGroupPolicysWords) {
    const auto english = Template("en-US");
    for (const auto& language : kLanguages) {
        SCOPED_TRACE(language.tag);
        auto texts = Template(language.tag);
        for (const auto& [id, help] : english) {
            if (!id.ends_with("_Help")) continue;
            EXPECT_EQ(StatesNamed(texts[id], language), StatesNamed(help, kLanguages[0])) << id;
        }
    }
}

// English words that no other language of the program writes, so that a
// text left in English, or an English identifier in front of a translated
// one ("SetPrinterFailed. Fehlercode: %1"), shows.
constexpr std::string_view kEnglishWords[] = {
    "the", "and", "with", "could", "not", "failed", "set", "get", "default", "shortcut", "startup", "network",
    "window", "user", "users", "you", "your", "this", "when", "where", "cannot", "unable", "successfully",
    "created", "choose", "connected", "add", "yes", "quit", "about", "cancel", "setup", "button"};
// Words that the other languages' Windows write as English does: a text of
// these alone may be the English one ("OK", "E-Mail:", Dutch "Printers").
constexpr std::string_view kSharedWords[] = {"ok",    "web",   "e",  "mail",    "version",
                                             "build", "error", "no", "printer", "printers"};
// Names, the same in every language; one with a capital inside is no
// identifier.
constexpr std::string_view kNames[] = {"Quillon", "LaserJet"};

// What reads as English in a text of another language: an identifier, a
// word of kEnglishWords, and, where the text is the English one, any word
// not shared. Words are runs of Latin letters, accented ones too ("canceló"
// is one word); those of a switch, a registry path or a Windows constant
// ("/network", "quillon\networks", "HKEY_CURRENT_USER") are left out.
std::vector<std::string> EnglishIn(std::string_view text, bool sameAsEnglish) {
    const auto contains = [](const auto& list, std::string_view word) {
        return std::ranges::find(list, word) != std::ranges::end(list);
    };
    const auto letter = [&](std::size_t at) {
        const auto c = static_cast<unsigned char>(text[at]);
        return (c < 0x80 && std::isalpha(c)) ? 1 : (c >= 0xC3 && c <= 0xC5) ? 2 : 0;
    };
    std::vector<std::string> english;
    for (std::size_t at = 0, end = 0; at < text.size(); at = std::max(end, at + 1)) {
        for (end = at; end < text.size() && letter(end);) end += letter(end);
        const auto word = text.substr(at, end - at);
        if (word.empty() || contains(kNames, word)) continue;
        if ((at > 0 && std::string_view("/\\_").find(text[at - 1]) != std::string_view::npos) ||
            (end < text.size() && text[end] == '_')) {
            continue;
        }
        std::vector<std::string> parts{""};
        for (std::size_t i = 0; i < word.size(); ++i) {
            if (i > 0 && std::islower(static_cast<unsigned char>(word[i - 1])) &&
                std::isupper(static_cast<unsigned char>(word[i]))) {
                parts.emplace_back();
            }
            parts.back() += static_cast<char>(std::tolower(static_cast<unsigned char>(word[i])));
        }
        if (parts.size() > 1) english.emplace_back(word);
        for (const auto& part : parts) {
            if (contains(kEnglishWords, part) || (sameAsEnglish && !contains(kSharedWords, part))) {
                english.push_back(part);
            }
        }
    }
    return english;
}

// No text of another language is left in English, in the catalogue or in
// the templates.
TEST(Translations, LeaveNothingInEnglish) {
    const auto englishTemplate = Template("en-US");
    for (const auto& language : kLanguages) {
        if (language.tag == "en-US") continue;
        SCOPED_TRACE(language.tag);
        const auto& catalogue = Translation(language.tag);
        for (const auto& entry : texts::kEntries) {
            const std::string_view text = catalogue.texts.*entry.text;
            EXPECT_EQ(EnglishIn(text, text == texts::English().*entry.text), std::vector<std::string>{})
                << entry.name << ": " << text;
        }
        for (const auto& [id, text] : Template(language.tag)) {
            EXPECT_EQ(EnglishIn(text, englishTemplate.contains(id) && text == englishTemplate.at(id)),
                      std::vector<std::string>{})
                << id;
        }
    }
}

}  // namespace
}  // namespace quillon
