#pragma once

#include <windows.h>
#include <oleacc.h>

#include <optional>
#include <string>
#include <string_view>

#include "win32/unique_handle.h"
#include "platform/window_toolkit.h"

namespace quillon::platform::win32 {

// Names, descriptions and roles for screen readers through the system's
// dynamic annotation service. The accessibility library (from the system folder
// only) and COM are started with the first annotation, so that a run that
// shows no window needs neither. Where the library or its service is
// missing or refuses, nothing is annotated and the windows work as they do
// without. Use on the window thread.
class Win32Annotations final : public AccessibleAnnotations {
public:
    Win32Annotations() = default;
    ~Win32Annotations() override = default;
    Win32Annotations(const Win32Annotations&) = delete;
    Win32Annotations& operator=(const Win32Annotations&) = delete;

    bool SetName(std::uintptr_t control, std::string_view name) override;
    bool SetDescription(std::uintptr_t control, std::string_view description) override;
    bool SetLinkRole(std::uintptr_t control) override;
    // Takes back what was said of a control that is about to go, so that
    // the service does not keep it for a window that later gets its handle.
    void Clear(HWND control);

    // The name a screen reader gives a link's default action, which opens
    // the link as a click does.
    void SetLinkDefaultAction(std::string_view name);
    // The answer to a link's WM_GETOBJECT: for its client object, the
    // system's own object for the label with the link's default action;
    // 0 (the system's answer) for any other, or where the accessibility
    // library is missing.
    LRESULT LinkObject(HWND link, WPARAM wParam, LPARAM lParam);

private:
    bool Set(std::uintptr_t control, const MSAAPROPID& property, std::string_view text);
    IAccPropServices* Service();

    bool started_ = false;
    unique_hmodule library_;
    std::optional<unique_couninitialize> com_;
    unique_com<IAccPropServices> service_;
    std::wstring linkDefaultAction_;
};

}  // namespace quillon::platform::win32
