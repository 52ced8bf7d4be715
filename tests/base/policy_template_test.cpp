#include <gtest/gtest.h>

#include <algorithm>
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
    // quote beside the program's.
    std::vector<std::string_view> windowsWords;
};

const Language kLanguages[] = {
    {"en-US", {}, {"Network 2"}},
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

// What a template or a message quotes is the program's caption in that
// language, a policy's name, Group Policy's word or an example: both say
// one thing in one way, and a change of either shows here.
TEST(PolicyTemplates, QuoteTheProgramsCaptionsInItsLanguage) {
    for (const auto& language : kLanguages) {
        SCOPED_TRACE(language.tag);
        const auto& catalogue = *std::find_if(texts::Translations().begin(), texts::Translations().end(),
                                              [&](const auto& t) { return t.tag == language.tag; });
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

}  // namespace
}  // namespace quillon
