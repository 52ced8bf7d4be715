#include <gtest/gtest.h>

#include "fakes/harness.h"
#include "ui/success_window.h"

namespace quillon::ui {
namespace {

TEST(FixVBAmpersandInText, DoublesEveryAmpersand) {
    struct Case {
        const char* in;
        const char* out;
    };
    for (const auto& c : {Case{"", ""}, Case{"Fax", "Fax"}, Case{"R&D Laser", "R&&D Laser"},
                          Case{"&&", "&&&&"}, Case{"&", "&&"}, Case{"A&", "A&&"}}) {
        EXPECT_EQ(FixVBAmpersandInText(c.in), c.out) << c.in;
    }
}

TEST(SuccessWindow, ShowsTheEntryWithItsAmpersandVisible) {
    fakes::Harness run;
    run.StoreOptions("1", "1", "1");
    run.AddPrinter("R&D Laser");
    std::string shown;
    run.toolkit.onModal["frmSuccess"] = [&](fakes::FakeWindow& window) {
        shown = window.Caption("lblSuccess");
    };
    EXPECT_EQ(run.Start(""), std::nullopt);
    auto* main = run.toolkit.Find("frmQuillon");
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(run.Ending([&] { main->Click("cmdSetDefault"); }), 0);
    EXPECT_EQ(shown, "The default printer has been set to R&&D Laser.");
}

}  // namespace
}  // namespace quillon::ui
