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

struct RegistryValue {
    DWORD type = REG_NONE;
    std::string data;
};

struct Policy {
    std::string name, policyClass, key, valueName;
    RegistryValue enabled, disabled;
};

std::string Attribute(const std::string& tag, const char* name) {
    std::smatch match;
    const std::regex attribute(std::string("(?:^|\\s)") + name + "=\"([^\"]*)\"");
    return std::regex_search(tag, match, attribute) ? match[1].str() : "";
}

// <string>text</string> is stored as REG_SZ, <decimal value="n"/> as REG_DWORD.
RegistryValue ValueOf(const std::string& body, const char* element) {
    std::smatch match;
    const std::string open = std::string("<") + element + ">\\s*";
    if (std::regex_search(body, match, std::regex(open + "<string>([^<]*)</string>"))) {
        return {REG_SZ, match[1].str() + '\0'};
    }
    if (std::regex_search(body, match, std::regex(open + "<decimal value=\"(\\d+)\""))) {
        const DWORD number = std::stoul(match[1].str());
        return {REG_DWORD, std::string(reinterpret_cast<const char*>(&number), sizeof number)};
    }
    return {};
}

std::vector<Policy> ReadTemplate(const std::string& path) {
    std::vector<Policy> policies;
    const std::string text = FileBytes(path);
    const std::regex policy("<policy\\s([^>]*)>([\\s\\S]*?)</policy>");
    for (std::sregex_iterator it(text.begin(), text.end(), policy), end; it != end; ++it) {
        const std::string tag = (*it)[1].str(), body = (*it)[2].str();
        policies.push_back({Attribute(tag, "name"), Attribute(tag, "class"), Attribute(tag, "key"),
                            Attribute(tag, "valueName"), ValueOf(body, "enabledValue"),
                            ValueOf(body, "disabledValue")});
    }
    return policies;
}

void Apply(HKEY root, const Policy& policy, const RegistryValue& value) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(root, policy.key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, policy.valueName.c_str(), 0, value.type,
                   reinterpret_cast<const BYTE*>(value.data.data()), static_cast<DWORD>(value.data.size()));
    RegCloseKey(key);
}

// Whether the program offers what the option named governs, read from its
// windows: the two buttons, the all-users choice, the server in the list.
bool FeatureShown(const std::string& valueName, Process& program, HWND main) {
    if (valueName == "desktop") return IsEnabled(FindControl(main, "Button", "&Create desktop shortcut"));
    if (valueName == "startup") return IsEnabled(FindControl(main, "Button", "&Add to startup"));
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

TEST_F(QuillonTest, EachPolicyOfTheTemplateShowsInTheProgram) {
    const auto policies = ReadTemplate(PathFromEnvironment("QUILLON_ADMX"));
    ASSERT_FALSE(policies.empty());
    SetDefaultDevice("Fax,winspool,FAX:");
    for (const auto& tested : policies) {
        std::vector<HKEY> roots;
        if (tested.policyClass != "User") roots.push_back(HKEY_LOCAL_MACHINE);
        if (tested.policyClass != "Machine") roots.push_back(HKEY_CURRENT_USER);
        for (const HKEY root : roots) {
            for (const bool enabled : {true, false}) {
                SCOPED_TRACE(tested.name + (enabled ? " enabled" : " disabled") +
                             (root == HKEY_LOCAL_MACHINE ? " for the computer" : " for the user"));
                // Nothing stored but the template's values, every other policy enabled.
                ClearOptions();
                for (const auto& policy : policies) {
                    Apply(root, policy, &policy != &tested || enabled ? policy.enabled : policy.disabled);
                }
                auto& program = Start("");
                HWND main = program.WaitForWindow("Quillon");
                ASSERT_NE(main, nullptr) << "no main window: " << ::testing::PrintToString(program.WindowCaptions());
                EXPECT_EQ(FeatureShown(tested.valueName, program, main), enabled);
                PostClose(main);
                EXPECT_EQ(program.WaitForExit(10s), 0U);
            }
        }
    }
    ClearOptions();
}

}  // namespace
}  // namespace quillon::e2e
