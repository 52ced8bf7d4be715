#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/run_state.h"
#include "platform/window_toolkit.h"

namespace quillon::ui {

// Turns a label into a link: the label's caption is what the shell opens
// when it is clicked, an address with "@" in it as an e-mail address. The
// window that holds the label passes the label's click and mouse-move
// events on to the object bound to it.
class HyperText {
public:
    // Sets the screen's pointer back to the default: a link of an earlier
    // window may have left the custom one behind.
    explicit HyperText(RunState& state);

    // Binds the object to the label of a loaded window and shows the label
    // in the link colour. The underline and the pointing hand are in the
    // label's layout, since the toolkit fixes fonts and pointers as it
    // builds the window.
    void CreateHyper(platform::Window& window, std::string_view label);

    // Whether the control is the label this object is bound to.
    bool Targets(std::string_view control) const;

    // Opens the link; a link that opened takes the visited colour, one that
    // did not keeps its colour and the user is told.
    void mlblTarget_Click();
    // Shows the custom (pointing-hand) pointer. Nothing sets it back when
    // the mouse leaves the label.
    void mlblTarget_MouseMove();

    std::uint32_t LinkColor = 0xFF0000;     // 0x00BBGGRR: blue
    std::uint32_t VisitedColor = 0x0000FF;  // red

private:
    RunState& state_;
    platform::Window* window_ = nullptr;
    std::string mlblTarget;  // the bound label's name in window_
};

// What the shell is asked to open for a link caption: an e-mail address
// (anything with "@") as a "mailto:" address, a web address without a
// scheme as "https://" + the caption, anything else as it stands.
std::string LinkTarget(std::string_view caption);

// Whether the link begins with a scheme ("https:", "mailto:", ...).
bool HasScheme(std::string_view link);

}  // namespace quillon::ui
