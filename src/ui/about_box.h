#pragma once

#include <string>
#include <string_view>

#include "base/texts.h"
#include "platform/window_toolkit.h"
#include "version.h"

namespace quillon::ui {

// The version information the about window shows. The program's own comes
// from version.h, which the version resource is made from as well; tests
// pass others.
struct ProgramVersion {
    std::string_view title;
    std::string_view productName;
    std::string_view fileDescription;
    std::string_view companyName;
    std::string_view legalCopyright;
    int major;
    int minor;
    int revision;
};

inline constexpr ProgramVersion kThisProgram{
    .title = QUILLON_TITLE,
    .productName = QUILLON_PRODUCT_NAME,
    .fileDescription = QUILLON_FILE_DESCRIPTION,
    .companyName = QUILLON_COMPANY_NAME,
    .legalCopyright = QUILLON_LEGAL_COPYRIGHT,
    .major = QUILLON_VERSION_MAJOR,
    .minor = QUILLON_VERSION_MINOR,
    .revision = QUILLON_VERSION_REVISION,
};

// Sets the caption of an about window and its labels lblTitle, lblVersion
// and lblDescription from the version information, in the texts' language.
void FillAboutBox(platform::Window& window, const texts::Texts& texts,
                  const ProgramVersion& version = kThisProgram);

// "Version 1.7", with " build 012" after it once there is a revision.
std::string VersionText(const texts::Texts& texts, const ProgramVersion& version = kThisProgram);

}  // namespace quillon::ui
