#include "ui/about_box.h"

#include "base/text.h"
#include "base/texts.h"
#include "ui/about_window.h"

namespace quillon::ui {

void FillAboutBox(platform::Window& window, const texts::Texts& texts,
                  const ProgramVersion& version) {
    window.SetCaption("", texts::Fill(texts.AboutTitle, version.title));
    if (version.fileDescription != version.productName) {
        window.SetCaption(frmAbout::lblTitle, std::string(version.productName) + " - " +
                                          std::string(version.fileDescription));
    } else {
        window.SetCaption(frmAbout::lblTitle, version.productName);
    }
    // lblTitle is bold by its layout: the toolkit fixes fonts as it builds
    // the window.
    window.SetCaption(frmAbout::lblVersion, VersionText(texts, version));
    // The company name is shown as it is stored; only a name of nothing but
    // blanks counts as none.
    if (text::TrimBlanks(version.companyName).empty()) {
        window.SetCaption(frmAbout::lblDescription, version.legalCopyright);
    } else {
        window.SetCaption(frmAbout::lblDescription, std::string(version.companyName) + "\r\n\r\n" +
                                                std::string(version.legalCopyright));
    }
}

std::string VersionText(const texts::Texts& texts, const ProgramVersion& version) {
    std::string line =
        std::string(texts.VersionPrefix) + std::to_string(version.major) + "." +
        std::to_string(version.minor);
    if (version.revision > 0) {
        std::string revision = std::to_string(version.revision);
        if (revision.size() < 3) revision.insert(0, 3 - revision.size(), '0');
        line += std::string(texts.BuildPrefix) + revision;
    }
    return line;
}

}  // namespace quillon::ui
