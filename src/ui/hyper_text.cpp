#include "ui/hyper_text.h"

#include "base/text.h"

namespace quillon::ui {
HyperText::HyperText(RunState& state) : state_(state) {
    state_.os.toolkit.SetScreenPointer(platform::ScreenPointer::Default);
}

void HyperText::CreateHyper(platform::Window& window, std::string_view label) {
    window_ = &window;
    mlblTarget = std::string(label);
    window.SetTextColor(mlblTarget, LinkColor);
}

bool HyperText::Targets(std::string_view control) const {
    return window_ != nullptr && control == mlblTarget;
}

void HyperText::mlblTarget_Click() {
    if (window_ == nullptr) return;
    const std::string target = LinkTarget(window_->Caption(mlblTarget));
    if (state_.os.shell.ShellExecute(target)) {
        window_->SetTextColor(mlblTarget, VisitedColor);
        return;
    }
    state_.os.toolkit.MessageBox(text::Contains(target, "mailto:")
                                     ? state_.Texts.CouldNotStartMail
                                     : state_.Texts.CouldNotStartBrowser,
                                 state_.Texts.Error, platform::MessageIcon::Critical);
}

void HyperText::mlblTarget_MouseMove() {
    state_.os.toolkit.SetScreenPointer(platform::ScreenPointer::Custom);
}

std::string LinkTarget(std::string_view caption) {
    if (text::Contains(caption, "@")) return "mailto:" + std::string(caption);
    // Without a scheme the shell would first try the text as a path below
    // the current folder, where anything could be waiting under that name.
    if (!caption.empty() && !HasScheme(caption)) return "https://" + std::string(caption);
    return std::string(caption);
}

bool HasScheme(std::string_view link) {
    const auto colon = link.find(':');
    if (colon == 0 || colon == std::string_view::npos) return false;
    auto isLetter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    if (!isLetter(link.front())) return false;
    for (const char c : link.substr(0, colon)) {
        const bool digit = c >= '0' && c <= '9';
        if (!isLetter(c) && !digit && c != '+' && c != '-' && c != '.') return false;
    }
    // "example.com:8080/..." is a host with its port, not a scheme.
    const bool portFollows =
        colon + 1 < link.size() && link[colon + 1] >= '0' && link[colon + 1] <= '9';
    return !portFollows;
}

}  // namespace quillon::ui
