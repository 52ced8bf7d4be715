#include <gtest/gtest.h>

#include <memory>

#include "fakes/harness.h"
#include "ui/about_box.h"
#include "ui/about_window.h"

namespace quillon::ui {
namespace {

ProgramVersion Numbered(int major, int minor, int revision) {
    ProgramVersion version = kThisProgram;
    version.major = major;
    version.minor = minor;
    version.revision = revision;
    return version;
}

TEST(VersionText, ShowsTheBuildOnlyForARevisionWithAtLeastThreeDigits) {
    struct Case {
        int major, minor, revision;
        const char* line;
    };
    for (const auto& c : {Case{1, 7, 0, "Version 1.7"}, Case{1, 7, 5, "Version 1.7 build 005"},
                          Case{1, 7, 12, "Version 1.7 build 012"},
                          Case{1, 7, 100, "Version 1.7 build 100"},
                          Case{1, 7, 1234, "Version 1.7 build 1234"},
                          Case{1, 12, 0, "Version 1.12"}, Case{2, 0, 0, "Version 2.0"},
                          Case{1, 7, -1, "Version 1.7"}}) {
        EXPECT_EQ(VersionText(texts::English(), Numbered(c.major, c.minor, c.revision)), c.line)
            << c.major << "." << c.minor << "." << c.revision;
    }
}

class FillAboutBoxTest : public ::testing::Test {
protected:
    struct NoEvents : platform::WindowEvents {
        void Control_Click(std::string_view) override {}
    };

    fakes::Harness run;
    NoEvents events;
    std::unique_ptr<platform::Window> window =
        run.toolkit.Create(run.forms.About().Design(), events, nullptr);

    std::string Fill(const ProgramVersion& version, std::string_view label) {
        FillAboutBox(*window, texts::English(), version);
        return window->Caption(label);
    }
};

TEST_F(FillAboutBoxTest, ShowsTheProgramsOwnInformation) {
    FillAboutBox(*window, texts::English());
    EXPECT_EQ(window->Caption(""), "About Quillon");
    EXPECT_EQ(window->Caption("lblTitle"), "Quillon - Quillon Utility");
    EXPECT_EQ(window->Caption("lblVersion"), "Version 1.7");
    EXPECT_EQ(window->Caption("lblDescription"),
              std::string(QUILLON_COMPANY_NAME) + "\r\n\r\n" + QUILLON_LEGAL_COPYRIGHT);
}

TEST_F(FillAboutBoxTest, TitleJoinsADescriptionThatDiffersFromTheProduct) {
    struct Case {
        const char* product;
        const char* description;
        const char* title;
    };
    for (const auto& c : {Case{"Quillon", "Quillon", "Quillon"},
                          Case{"Quillon", "quillon", "Quillon - quillon"},
                          Case{"Quillon", "", "Quillon - "},
                          Case{"Quillon", "Quillon ", "Quillon - Quillon "}}) {
        ProgramVersion version = kThisProgram;
        version.productName = c.product;
        version.fileDescription = c.description;
        EXPECT_EQ(Fill(version, "lblTitle"), c.title) << '"' << c.description << '"';
    }
}

TEST_F(FillAboutBoxTest, DescriptionHasTheCompanyUnlessItIsBlank) {
    struct Case {
        const char* company;
        const char* description;
    };
    for (const auto& c : {Case{"", "(C) Ann"}, Case{"   ", "(C) Ann"},
                          Case{"Acme", "Acme\r\n\r\n(C) Ann"},
                          Case{" Acme ", " Acme \r\n\r\n(C) Ann"},
                          Case{"\t", "\t\r\n\r\n(C) Ann"}}) {
        ProgramVersion version = kThisProgram;
        version.companyName = c.company;
        version.legalCopyright = "(C) Ann";
        EXPECT_EQ(Fill(version, "lblDescription"), c.description) << '"' << c.company << '"';
    }
}

TEST_F(FillAboutBoxTest, CaptionFollowsTheTitle) {
    ProgramVersion version = kThisProgram;
    version.title = "Quill";
    EXPECT_EQ(Fill(version, ""), "About Quill");
}

}  // namespace
}  // namespace quillon::ui
