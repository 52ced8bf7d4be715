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

struct Look {
    const char* name;
    int dpi;
    bool highContrast;
};

void PrintTo(const Look& look, std::ostream* out) { *out << look.name; }

class Layout : public QuillonTest, public ::testing::WithParamInterface<Look> {
protected:
    void SetUp() override {
        QuillonTest::SetUp();
        AddProfilePrinter(kLongPrinter, "winspool,LPT1:,15,45");
        InstallSpoolerPrinter(kLongPrinter, "LPT1:");
        SetDefaultDevice("HP LaserJet 4,winspool,LPT1:");
        DeleteMachineKey("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
        DeleteMachineKey("SOFTWARE\\Microsoft\\Shared Tools Location");
    }

public:
    // The steps from a fresh run to each window.
    using QuillonTest::program_;
    using QuillonTest::Start;
    HWND Main() {
        Start("");
        return program_->WaitForWindow("Quillon");
    }
    HWND Press(HWND window, const char* button, const char* opens) {
        if (window == nullptr) return nullptr;
        e2e::Press(FindControl(window, "Button", button));
        return program_->WaitForWindow(opens);
    }
};

struct Screen {
    const char* name;
    bool ownFont;  // a window of the program's, not a system message box
    std::function<HWND(Layout&)> open;
    std::vector<std::string> links{};
};

const Screen kScreens[] = {
    {"main-window", true, [](Layout& t) { return t.Main(); }},
    {"setup-window", true,
     [](Layout& t) {
         ClearOptions();
         return t.Start("").WaitForWindow("Quillon Setup");
     }},
    {"success-window", true,
     [](Layout& t) {
         HWND main = t.Main();
         SendMessageA(FindControl(main, "ListBox"), LB_SETCURSEL, 0, 0);  // the long name
         return t.Press(main, "&Set as default", "Success");
     }},
    {"add-to-startup-window", true,
     [](Layout& t) { return t.Press(t.Main(), "&Add to startup", "Add To Startup"); }},
    {"about-window", true, [](Layout& t) { return t.Press(t.Main(), "A&bout", "About Quillon"); },
     {"www.example.com/quillon", "support@example.com"}},
    {"system-info-unavailable-box", false,
     [](Layout& t) {
         HWND about = t.Press(t.Main(), "A&bout", "About Quillon");
         e2e::Press(FindControl(about, "Button", "&System Info..."));
         return WaitForDialog(t.program_->Id(), "Quillon");  // not the main window of that title
     }},
    {"could-not-set-box", false,
     [](Layout& t) {
         AddProfilePrinter(kBrokenPrinter, "winspool");
         const auto& program = t.Start(std::string("\"") + kBrokenPrinter + "\"");
         return WaitForDialog(program.Id(), "Error");
     }},
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
        SCOPED_TRACE(screen.name);
        StoreOptions("1", "1", "1");
        HWND window = screen.open(*this);
        ASSERT_NE(window, nullptr);
        if (screen.ownFont) {
            const auto font = FontOf(FindControl(window, "Button"));
            ASSERT_TRUE(font.has_value());
            EXPECT_EQ(font->lfHeight, -MulDiv(8, look.dpi, 72)) << "8 points at the display's DPI";
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

INSTANTIATE_TEST_SUITE_P(Looks, Layout,
                         ::testing::Values(Look{"dpi96", 96, false}, Look{"dpi120", 120, false},
                                           Look{"dpi144", 144, false},
                                           Look{"highcontrast", 96, true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quillon::e2e
