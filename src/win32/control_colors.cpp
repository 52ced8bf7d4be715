#include "win32/control_colors.h"

#include <algorithm>
#include <cmath>

namespace quillon::platform::win32 {
namespace {

// The least contrast the guidelines accept for text of this size and for
// parts of a control.
constexpr double kReadableContrast = 3.0;

double Channel(BYTE value) {
    const double c = value / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(COLORREF colour) {
    return 0.2126 * Channel(GetRValue(colour)) + 0.7152 * Channel(GetGValue(colour)) +
           0.0722 * Channel(GetBValue(colour));
}

bool HighContrastOn() {
    HIGHCONTRASTA theme{};
    theme.cbSize = sizeof theme;
    return SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof theme, &theme, 0) &&
           (theme.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

}  // namespace

double ContrastRatio(COLORREF a, COLORREF b) {
    const double lighter = std::max(Luminance(a), Luminance(b));
    const double darker = std::min(Luminance(a), Luminance(b));
    return (lighter + 0.05) / (darker + 0.05);
}

COLORREF TextColorOnFace(std::optional<COLORREF> own, bool link) {
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const auto readable = [&](COLORREF colour) {
        return ContrastRatio(colour, face) >= kReadableContrast;
    };
    if (own && readable(*own) && !HighContrastOn()) return *own;
    if (link && readable(GetSysColor(COLOR_HOTLIGHT))) return GetSysColor(COLOR_HOTLIGHT);
    return GetSysColor(COLOR_BTNTEXT);
}

}  // namespace quillon::platform::win32
