#pragma once

namespace quillon::platform::win32 {

inline constexpr int kTwipsPerInch = 1440;

// Window layouts are designed in twips; on screen they take as many pixels
// as the display's dots per inch give, rounded to the nearest pixel (halves
// away from zero, so that a layout mirrored at zero stays mirrored).
constexpr int TwipsToPixels(int twips, int dpi) {
    const long long scaled = static_cast<long long>(twips) * dpi;
    const long long half = kTwipsPerInch / 2;
    return static_cast<int>(scaled >= 0 ? (scaled + half) / kTwipsPerInch
                                        : -((-scaled + half) / kTwipsPerInch));
}

}  // namespace quillon::platform::win32
