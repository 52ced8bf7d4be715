#include <algorithm>
#include <cstdlib>
#include <functional>
#include <thread>

#include "wine/fixture.h"
#include "wine/layout.h"

namespace quillon::e2e {
namespace {

constexpr const char* kLongPrinter = "Accounts Department Colour LaserJet 500 Second Floor West";
constexpr const char* kBrokenPrinter = "Accounts Department Label Printer Without Any Port";
constexpr COLORREF kContrastText = RGB(255, 255, 255);
constexpr COLORREF kContrastLink = RGB(255, 255, 0);

// White on black, with yellow links, as high-contrast schemes have them.
const std::vector<std::pair<std::string, std::string>> kHighContrast{
    {"ButtonFace", "0 0 0"},          {"ButtonText", "255 255 255"},
    {"Window", "0 0 0"},              {"WindowText", "255 255 255"},
    {"HotTrackingColor", "255 255 0"}, {"GrayText", "63 242 63"},
    {"Hilight", "26 235 255"},        {"HilightText", "0 0 0"},
    {"ButtonShadow", "128 128 128"},  {"ButtonHilight", "255 255 255"},
    {"ButtonLight", "255 255 255"},   {"ButtonDkShadow", "128 128 128"},
    {"WindowFrame", "255 255 255"},   {"ActiveTitle", "128 0 128"},
    {"TitleText", "255 255 255"},     {"GradientActiveTitle", "128 0 128"},
};

// A look of the windows: the display's DPI and colours, and the language
// of the user (the host locale of the runs, and the translation the
// windows show in it).
struct Look {
    std::string name;
    int dpi;
    bool highContrast;
    const char* locale = "";  // the session's own: English
    std::string_view language = "en-US";
    bool everyWindow = true;  // else the main window only
};

void PrintTo(const Look& look, std::ostream* out) { *out << look.name; }

using Strings = std::vector<std::string>;

class Layout : public QuillonTest, public ::testing::WithParamInterface<Look> {
protected:
    void SetUp() override {
        QuillonTest::SetUp();
        AddProfilePrinter(kLongPrinter, "winspool,LPT1:,15,45");
        InstallSpoolerPrinter(kLongPrinter, "LPT1:");
        SetDefaultDevice("HP LaserJet 4,winspool,LPT1:");
        DeleteMachineKey("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
        DeleteMachineKey("SOFTWARE\\Microsoft\\Shared Tools Location");
        locale_ = GetParam().locale;
    }

public:
    // The steps from a fresh run to each window.
    using QuillonTest::program_;
    using QuillonTest::Start;
    const texts::Texts& Texts() const { return TranslationOf(GetParam().language); }
    HWND Main() {
        Start("");
        return program_->WaitForWindow(texts::ProgramTitle);
    }
    HWND Press(HWND window, std::string_view button, std::string_view opens) {
        if (window == nullptr) return nullptr;
        e2e::Press(FindControl(window, "Button", button));
        return program_->WaitForWindow(opens);
    }
};

struct Screen {
    const char* name;
    bool ownFont;  // a window of the program's, not a system message box
    std::function<HWND(Layout&)> open;
    // The texts of the catalogue the window shows.
    std::function<Strings(const texts::Texts&)> shows;
    std::vector<std::string> links{};
};

const Screen kScreens[] = {
    {"main-window", true, [](Layout& t) { return t.Main(); },
     [](const texts::Texts& x) {
         return Strings{std::string(x.SetAsDefault), std::string(x.CreateDesktopShortcut),
                        std::string(x.AddToStartup), std::string(x.PerNetwork), std::string(x.About),
                        std::string(x.Quit)};
     }},
    {"network-printers-window", true,
     [](Layout& t) {
         // Switching on, with a row in the table, while the window reads them.
         const ScopedUserValues table({{"software\\kvo\\quillon\\networks", "Home", REG_SZ, std::string("Fax", 4)},
                                       {"software\\kvo\\quillon", "network", REG_SZ, std::string("1", 2)}});
         return t.Press(t.Main(), t.Texts().PerNetwork, t.Texts().NetworkPrintersCaption);
     },
     [](const texts::Texts& x) {
         return Strings{std::string(x.SameDefault), std::string(x.ChangeWithNetwork),
                        std::string(x.NetworkLabel), std::string(x.PrinterLabel),
                        std::string(x.AddNetworkPrinter), std::string(x.RemoveNetworkPrinter),
                        std::string(x.OK), std::string(x.Cancel)};
     }},
    {"setup-window", true,
     [](Layout& t) {
         ClearOptions();
         return t.Start("").WaitForWindow(t.Texts().SetupCaption);
     },
     [](const texts::Texts& x) {
         return Strings{std::string(x.AskDesktop), std::string(x.AskStartup),
                        std::string(x.AskStartupAll), std::string(x.Yes), std::string(x.No),
                        std::string(x.OK), std::string(x.Cancel)};
     }},
    {"success-window", true,
     [](Layout& t) {
         HWND main = t.Main();
         SendMessageA(FindControl(main, "ListBox"), LB_SETCURSEL, 0, 0);  // the long name
         return t.Press(main, t.Texts().SetAsDefault, t.Texts().Success);
     },
     [](const texts::Texts& x) {
         return Strings{texts::Fill(x.DefaultSet, kLongPrinter), std::string(x.OK)};
     }},
    {"add-to-startup-window", true,
     [](Layout& t) { return t.Press(t.Main(), t.Texts().AddToStartup, t.Texts().StartupUsersCaption); },
     [](const texts::Texts& x) {
         return Strings{std::string(x.AddToStartupFor), std::string(x.CurrentUserOnly),
                        std::string(x.AllUsers), std::string(x.OK), std::string(x.Cancel)};
     }},
    {"about-window", true,
     [](Layout& t) {
         return t.Press(t.Main(), t.Texts().About, texts::Fill(t.Texts().AboutTitle, texts::ProgramTitle));
     },
     [](const texts::Texts& x) {
         return Strings{std::string(x.TechSupport), std::string(x.Web), std::string(x.EMail),
                        std::string(x.AboutOK), std::string(x.SystemInfo)};
     },
     {"www.example.com/quillon", "support@example.com"}},
    {"system-info-unavailable-box", false,
     [](Layout& t) {
         HWND about =
             t.Press(t.Main(), t.Texts().About, texts::Fill(t.Texts().AboutTitle, texts::ProgramTitle));
         e2e::Press(FindControl(about, "Button", t.Texts().SystemInfo));
         // not the main window of that title
         return WaitForDialog(t.program_->Id(), texts::ProgramTitle);
     },
     [](const texts::Texts& x) { return Strings{std::string(x.SystemInfoUnavailable)}; }},
    {"could-not-set-box", false,
     [](Layout& t) {
         AddProfilePrinter(kBrokenPrinter, "winspool");
         const auto& program = t.Start(std::string("\"") + kBrokenPrinter + "\"");
         return WaitForDialog(program.Id(), t.Texts().Error);
     },
     [](const texts::Texts& x) { return Strings{texts::Fill(x.DefaultNotSet, kBrokenPrinter)}; }},
};

std::vector<ScopedUserValues::Value> DisplayValues(const Look& look) {
    const DWORD dpi = static_cast<DWORD>(look.dpi);
    std::vector<ScopedUserValues::Value> values{
        {"Control Panel\\Desktop", "LogPixels", REG_DWORD,
         std::string(reinterpret_cast<const char*>(&dpi), sizeof dpi)}};
    for (const auto& [name, rgb] : kHighContrast) {
        if (look.highContrast) values.push_back({"Control Panel\\Colors", name, REG_SZ, rgb + '\0'});
    }
    return values;
}

TEST_P(Layout, EveryTextFitsItsControlAndNothingCoversAnother) {
    const Look look = GetParam();
    const ScopedUserValues display(DisplayValues(look));
    const char* screenshots = std::getenv("QUILLON_SCREENSHOTS");
    for (const auto& screen : kScreens) {
        if (!look.everyWindow && &screen != &kScreens[0]) break;
        SCOPED_TRACE(screen.name);
        StoreOptions("1", "1", "1");
        HWND window = screen.open(*this);
        ASSERT_NE(window, nullptr);
        if (screen.ownFont) {
            const auto font = FontOf(FindControl(window, "Button"));
            ASSERT_TRUE(font.has_value());
            EXPECT_EQ(font->lfHeight, -MulDiv(8, look.dpi, 72)) << "8 points at the display's DPI";
        }
        const auto shown = ControlTexts(window);
        for (const auto& text : screen.shows(Texts())) {
            EXPECT_NE(std::find(shown.begin(), shown.end(), text), shown.end())
                << text << " among " << ::testing::PrintToString(shown);
        }
        EXPECT_EQ(LayoutFaults(window, look.dpi), std::vector<std::string>{});
        if (look.highContrast) {
            std::vector<std::string> unreadable;
            EXPECT_TRUE(WaitUntil(
                [&] {
                    unreadable = TextsNotShownIn(window, look.dpi, kContrastText, kContrastLink,
                                                 screen.links);
                    return unreadable.empty();
                },
                30s))
                << ::testing::PrintToString(unreadable);
        }
        if (screenshots != nullptr) {
            std::this_thread::sleep_for(500ms);  // painted through
            SaveScreenshot(window, std::string(screenshots) + "\\" + screen.name + "-" + look.name +
                                       ".bmp");
        }
        program_.reset();
    }
}

const Look kLooks[] = {{"dpi96", 96, false}, {"dpi120", 120, false}, {"dpi144", 144, false},
                       {"highcontrast", 96, true}};

INSTANTIATE_TEST_SUITE_P(Looks, Layout, ::testing::ValuesIn(kLooks),
                         [](const auto& info) { return info.param.name; });

// Every translation at every look (named by its language alone at 96 DPI).
// A region the program has no translation for gets its language's, a
// language it does not speak English: for those the main window tells.
struct Translated {
    const char* name;
    const char* locale;
    std::string_view language;
};
const Translated kTranslated[] = {
    {"de", "de_DE.UTF-8", "de-DE"}, {"fr", "fr_FR.UTF-8", "fr-FR"},
    {"es", "es_ES.UTF-8", "es-ES"}, {"it", "it_IT.UTF-8", "it-IT"},
    {"pt_BR", "pt_BR.UTF-8", "pt-BR"}, {"nl", "nl_NL.UTF-8", "nl-NL"},
    {"pl", "pl_PL.UTF-8", "pl-PL"}, {"ru", "ru_RU.UTF-8", "ru-RU"},
    {"ja", "ja_JP.UTF-8", "ja-JP"}, {"zh_CN", "zh_CN.UTF-8", "zh-CN"},
};

std::vector<Look> LanguageLooks() {
    std::vector<Look> looks;
    for (const auto& translated : kTranslated) {
        for (const auto& look : kLooks) {
            const std::string name = &look == &kLooks[0] ? translated.name
                                                          : std::string(translated.name) + "_" + look.name;
            looks.push_back({name, look.dpi, look.highContrast, translated.locale, translated.language});
        }
    }
    looks.push_back({"fr_CA", 96, false, "fr_CA.UTF-8", "fr-FR", false});
    looks.push_back({"sv_SE", 96, false, "sv_SE.UTF-8", "en-US", false});
    return looks;
}

INSTANTIATE_TEST_SUITE_P(Languages, Layout, ::testing::ValuesIn(LanguageLooks()),
                         [](const auto& info) { return info.param.name; });

TEST(Languages, EveryTranslationHasItsRow) {
    for (const auto& translation : texts::Translations()) {
        EXPECT_TRUE(translation.tag == "en-US" ||
                    std::any_of(std::begin(kTranslated), std::end(kTranslated),
                                [&](const Translated& row) { return row.language == translation.tag; }))
            << translation.tag;
    }
}

}  // namespace
}  // namespace quillon::e2e
