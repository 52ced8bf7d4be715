#pragma once

#include <windows.h>

#include <optional>

namespace quillon::platform::win32 {

// How far apart two colours are to the eye: 1 for the same brightness up
// to 21 for black against white, as accessibility guidelines measure it.
double ContrastRatio(COLORREF a, COLORREF b);

// The colour a label or an option draws its text in on the dialog face.
// A window's own colour was chosen for a light face: it is kept only where
// it stands out from the face of the system's scheme and no high-contrast
// theme is on. Otherwise a link takes the system's link colour and any
// other text (or a link whose system colour would not stand out either)
// the dialog text colour, so that no text vanishes into the face.
COLORREF TextColorOnFace(std::optional<COLORREF> own, bool link);

}  // namespace quillon::platform::win32
