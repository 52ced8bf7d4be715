#pragma once

// A control's font lives in the program's process and its handle means
// nothing in another one. The layout tests therefore load this library into
// the program as a window hook: sending the window the message below with a
// control in wParam makes the hook write that control's LOGFONTW into the
// shared memory of the same name.
namespace quillon::e2e {

inline constexpr char kFontReportName[] = "QuillonFontReport";
inline constexpr char kFontReportHook[] = "FontReportHook";

}  // namespace quillon::e2e
