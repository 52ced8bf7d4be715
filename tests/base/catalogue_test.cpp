#include <gtest/gtest.h>

#include <map>
#include <set>

#include "base/catalogue.h"
#include "fakes/harness.h"
#include "ui/about_window.h"
#include "ui/main_window.h"
#include "ui/network_window.h"
#include "ui/setup_window.h"
#include "ui/startup_users_window.h"
#include "ui/success_window.h"

namespace quillon {
namespace {

using texts::Translations;

// Every language has every entry, with its "%1" where English has one,
// shortcut names a file system keeps whole, and no two captions of a window
// on one access key.
TEST(Catalogue, EveryLanguageFillsEveryEntryAndKeepsItsWindowsKeysApart) {
    for (const auto& translation : Translations()) {
        SCOPED_TRACE(translation.tag);
        for (const auto& entry : texts::kEntries) {
            const std::string_view text = translation.texts.*entry.text;
            const std::string_view english = texts::English().*entry.text;
            EXPECT_FALSE(text.empty()) << entry.name;
            EXPECT_EQ(text.find("%1") != std::string_view::npos,
                      english.find("%1") != std::string_view::npos)
                << entry.name;
        }
        EXPECT_EQ(translation.texts.ShortcutName.find_first_of("/\\:*?\"<>|'"), std::string::npos);

        fakes::Harness run({std::string(translation.tag)});
        ASSERT_EQ(run.state.Texts.Tag(), translation.tag);
        auto& forms = run.forms;
        for (const ui::Form* form : std::initializer_list<const ui::Form*>{
                 &forms.Quillon(), &forms.Setup(), &forms.StartupUsers(), &forms.Success(),
                 &forms.About(), &forms.NetworkPrinters()}) {
            std::map<std::string, std::string_view> keys;
            for (const auto& control : form->Design().controls) {
                const auto mark = control.caption.find('&');
                if (mark == std::string_view::npos) continue;
                const auto rest = control.caption.substr(mark + 1);
                const auto key = text::ToLower(rest.substr(0, text::CharacterLength(rest)));
                const auto [other, added] = keys.emplace(key, control.caption);
                EXPECT_TRUE(added) << form->Design().name << ": " << control.caption << " and "
                                   << other->second << " share " << key;
            }
        }
    }
}

TEST(MatchTranslation, ExactNameThenSameLanguageElseNone) {
    const auto tagOf = [](std::string_view language) -> std::string_view {
        const auto match = texts::MatchTranslation(language, Translations());
        return match ? Translations()[*match].tag : "none";
    };
    const std::pair<const char*, const char*> cases[] = {
        {"de-DE", "de-DE"},       {"DE-de", "de-DE"},  {"de-AT", "de-DE"},  {"fr-CA", "fr-FR"},
        {"pt-PT", "pt-BR"},       {"es-MX", "es-ES"},  {"ja", "ja-JP"},     {"en-GB", "en-US"},
        {"zh-SG", "zh-CN"},       {"zh-Hans-HK", "zh-CN"}, {"zh-TW", "none"}, {"zh-HK", "none"},
        {"zh-Hant-TW", "none"},   {"sv-SE", "none"},   {"", "none"},
    };
    for (const auto& [language, tag] : cases) EXPECT_EQ(tagOf(language), tag) << language;
}

// The user's order counts before the match's kind; a language the code
// page cannot write is passed over.
TEST(Catalogue, FirstOfTheUsersLanguagesThatTheProgramSpeaksAndThePageWrites) {
    fakes::Utf8CodePage utf8;
    const std::vector<std::string> swedishThenCanadian{"sv-SE", "fr-CA", "de-DE"};
    EXPECT_EQ(texts::Catalogue(swedishThenCanadian).Tag(), "fr-FR");
    EXPECT_EQ(texts::Catalogue(swedishThenCanadian).Quit, "&Quitter");
    EXPECT_EQ(texts::Catalogue(std::vector<std::string>{"sv-SE"}).Quit, "&Quit");
    EXPECT_EQ(texts::Catalogue().Tag(), "en-US");

    const text::ScopedCodePage doubleByte(fakes::FakeCodePage::DoubleByte());
    const std::vector<std::string> japaneseThenDutch{"ja-JP", "nl-NL"};
    EXPECT_EQ(texts::Catalogue(japaneseThenDutch).Tag(), "nl-NL");
}

TEST(IsShortcutName, NamesOfEveryLanguageInAnyCase) {
    fakes::Utf8CodePage utf8;
    for (const char* name : {"Set default printer to Fax.lnk", "standarddrucker auf Fax festlegen.lnk",
                             "Définir Fax comme imprimante par défaut.lnk",
                             "既定のプリンターを Fax に設定.lnk"}) {
        EXPECT_TRUE(texts::IsShortcutName(name)) << name;
    }
    for (const char* name : {"Fax.lnk", "Standarddrucker.lnk", "Définir Fax.lnk"}) {
        EXPECT_FALSE(texts::IsShortcutName(name)) << name;
    }
}

}  // namespace
}  // namespace quillon
