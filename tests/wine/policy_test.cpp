#include <windows.h>

#include <algorithm>
#include <regex>
#include <string>
#include <vector>

#include "wine/fixture.h"

// The administrative template applied as Group Policy applies it: each
// policy's value written under its key, below the machine for the computer
// side and below the user for the user side. The program then shows the
// policy's effect.
namespace quillon::e2e {
namespace {

struct Policy {
    std::string name, policyClass, key, valueName, enabled, disabled;
};

std::string Match(const std::string& text, const std::string& pattern) {
    std::smatch match;
    return std::regex_search(text, match, std::regex(pattern)) ? match[1].str() : "";
}

// The template's policies with the texts they store. A value of another
// kind reads as no text, which stores nothing the program would act on.
std::vector<Policy> ReadTemplate(const std::string& path) {
    std::vector<Policy> policies;
    const std::string text = FileBytes(path);
    const std::regex policy("<policy\\s([^>]*)>([\\s\\S]*?)</policy>");
    for (std::sregex_iterator it(text.begin(), text.end(), policy), end; it != end; ++it) {
        const std::string tag = (*it)[1].str(), body = (*it)[2].str();
        const auto attribute = [&](const char* name) {
            return Match(tag, std::string("(?:^|\\s)") + name + "=\"([^\"]*)\"");
        };
        const auto value = [&](const char* state) {
            return Match(body, std::string("<") + state + ">\\s*<string>([^<]*)</string>");
        };
        policies.push_back({attribute("name"), attribute("class"), attribute("key"),
                            attribute("valueName"), value("enabledValue"), value("disabledValue")});
    }
    return policies;
}

void Apply(HKEY root, const Policy& policy, const std::string& text) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(root, policy.key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, policy.valueName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
    RegCloseKey(key);
}

// Whether the program offers what the option named governs, read from its
// windows: the two buttons, the all-users choice, the server in the list.
bool FeatureShown(const std::string& valueName, Process& program, HWND main) {
    if (valueName == "desktop") return IsEnabled(FindControl(main, "Button", "&Create desktop shortcut"));
    if (valueName == "startup") return IsEnabled(FindControl(main, "Button", "&Add to startup"));
    if (valueName == "networkpolicy") return IsEnabled(FindControl(main, "Button", "Per &network..."));
    const auto entries = ListEntries(FindControl(main, "ListBox"));
    const auto listed = [&](const char* entry) {
        return std::find(entries.begin(), entries.end(), entry) != entries.end();
    };
    if (valueName == "uncpath") {
        EXPECT_NE(listed("Plotter on srv"), listed("Plotter"));
        return listed("Plotter on srv");
    }
    if (valueName == "startupall") {
        Press(FindControl(main, "Button", "&Add to startup"));
        HWND dialog = program.WaitForWindow("Add To Startup");
        const bool offered = dialog != nullptr && IsEnabled(FindControl(dialog, "Button", "&All Users"));
        if (dialog != nullptr) Press(FindControl(dialog, "Button", "&Cancel"));
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 10s));
        return offered;
    }
    ADD_FAILURE() << "the program reads no option \"" << valueName << "\"";
    return false;
}

// Three runs a side: all enabled; all disabled but "startup", whose button
// leads to the all-users choice; "startup" alone disabled.
TEST_F(QuillonTest, EachPolicyOfTheTemplateShowsInTheProgram) {
    auto policies = ReadTemplate(PathFromEnvironment("QUILLON_ADMX"));
    // A list of rules is no option of the window; /network reads it.
    std::erase_if(policies, [](const Policy& p) { return p.valueName.empty(); });
    ASSERT_FALSE(policies.empty());
    SetDefaultDevice("Fax,winspool,FAX:");
    for (const HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        const std::string side = root == HKEY_LOCAL_MACHINE ? "Machine" : "User";
        const auto applies = [&](const Policy& p) { return p.policyClass == side || p.policyClass == "Both"; };
        for (const int run : {0, 1, 2}) {
            const auto off = [&](const Policy& p) {
                return run == 1 ? p.valueName != "startup" : run == 2 && p.valueName == "startup";
            };
            ClearOptions();  // nothing stored but the template's values
            for (const auto& p : policies) if (applies(p)) Apply(root, p, off(p) ? p.disabled : p.enabled);
            auto& program = Start("");
            HWND main = program.WaitForWindow("Quillon");
            ASSERT_NE(main, nullptr) << "no main window: " << ::testing::PrintToString(program.WindowCaptions());
            for (const auto& p : policies) {
                if (!applies(p) || (run == 2 && p.valueName == "startupall")) continue;
                SCOPED_TRACE(p.name + (off(p) ? " disabled for " : " enabled for ") + side);
                EXPECT_EQ(FeatureShown(p.valueName, program, main), !off(p));
            }
            PostClose(main);
            EXPECT_EQ(program.WaitForExit(10s), 0U);
        }
    }
    ClearOptions();
}

}  // namespace
}  // namespace quillon::e2e
