#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace quillon::e2e {

// Values under HKEY_CURRENT_USER for the life of the object; afterwards
// each holds what it held before, or is gone again. Wine reads the
// display's dots per inch and the system colours as a program starts, so
// the programs started meanwhile run with these.
class ScopedUserValues {
public:
    struct Value {
        std::string key;
        std::string name;
        DWORD type;
        std::string bytes;
    };
    explicit ScopedUserValues(const std::vector<Value>& values);
    ScopedUserValues(const ScopedUserValues&) = delete;
    ScopedUserValues& operator=(const ScopedUserValues&) = delete;
    ~ScopedUserValues();

private:
    std::vector<Value> previous_;  // type REG_NONE: there was none
};

// What is wrong with the layout of a window of another process as the
// screen shows it, one line per fault; empty when there is nothing.
// Every visible control's text is measured with the control's own font and
// drawn the way the control draws it (word-wrapped or on one line), and
// must fit inside the control without being cut off by the frame or window
// it sits in; no control may cover another's text or box. The dots per
// inch are the program's, for the parts the controls scale themselves.
std::vector<std::string> LayoutFaults(HWND window, int dpi);

// The labels and options of a window whose text shows no pixel of its
// colour (the link colour for the links named, the text colour for the
// rest) where the text is drawn; disabled ones are passed over.
std::vector<std::string> TextsNotShownIn(HWND window, int dpi, COLORREF text, COLORREF link,
                                        const std::vector<std::string>& links);

// The font a control of another process draws its text with; nothing when
// the program could not be asked.
std::optional<LOGFONTW> FontOf(HWND control);

// The window as the screen shows it, frame included, as a BMP file.
bool SaveScreenshot(HWND window, const std::string& path);

}  // namespace quillon::e2e
