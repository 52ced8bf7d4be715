#include "win32/win32_annotations.h"

#include <array>
#include <string>

#include "win32/library_search.h"
#include "win32/wide_text.h"

namespace quillon::platform::win32 {
namespace {

// The service and the properties, by the identifiers the system
// documents for them; spelled out here because the toolchains' headers
// name the class differently and leave its definition to different
// libraries.
constexpr CLSID kAccPropServicesClass = {
    0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr IID kAccPropServicesInterface = {
    0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
constexpr MSAAPROPID kNameProperty = {
    0x608d3df8, 0x8128, 0x4aa7, {0xa4, 0x28, 0xf5, 0x5e, 0x49, 0x26, 0x72, 0x91}};
constexpr MSAAPROPID kDescriptionProperty = {
    0x4d48dfe4, 0xbd3f, 0x491f, {0xa6, 0x48, 0x49, 0x2d, 0x6f, 0x20, 0xc5, 0x88}};
constexpr MSAAPROPID kRoleProperty = {
    0xcb905ff2, 0x7bd1, 0x4c05, {0xb3, 0xc8, 0xe6, 0xc2, 0x41, 0x36, 0x4d, 0x70}};

// The control itself, as the service takes it (OBJID_CLIENT is a negative
// LONG, the parameter a DWORD).
constexpr DWORD kClientObject = static_cast<DWORD>(OBJID_CLIENT);

}  // namespace

bool Win32Annotations::SetName(std::uintptr_t control, std::string_view name) {
    return Set(control, kNameProperty, name);
}

bool Win32Annotations::SetDescription(std::uintptr_t control, std::string_view description) {
    return Set(control, kDescriptionProperty, description);
}

bool Win32Annotations::Set(std::uintptr_t control, const MSAAPROPID& property,
                           std::string_view text) {
    IAccPropServices* service = Service();
    if (!service) return false;
    const std::wstring wide = Widen(text);
    return SUCCEEDED(service->SetHwndPropStr(reinterpret_cast<HWND>(control), kClientObject,
                                             CHILDID_SELF, property, wide.c_str()));
}

bool Win32Annotations::SetLinkRole(std::uintptr_t control) {
    IAccPropServices* service = Service();
    if (!service) return false;
    VARIANT role{};
    role.vt = VT_I4;
    role.lVal = ROLE_SYSTEM_LINK;
    return SUCCEEDED(service->SetHwndProp(reinterpret_cast<HWND>(control), kClientObject,
                                          CHILDID_SELF, kRoleProperty, role));
}

void Win32Annotations::Clear(HWND control) {
    if (!service_) return;
    const std::array properties{kNameProperty, kDescriptionProperty, kRoleProperty};
    service_->ClearHwndProps(control, kClientObject, CHILDID_SELF, properties.data(),
                             static_cast<int>(properties.size()));
}

IAccPropServices* Win32Annotations::Service() {
    if (started_) return service_.get();
    started_ = true;
    // Loaded from the system folder before COM looks for it, so that no
    // other library of that name is ever taken for it.
    library_.reset(LoadSystemLibrary("oleacc.dll"));
    if (!library_) return nullptr;
    com_.emplace(kShellApartment);
    if (!*com_) return nullptr;
    if (FAILED(CoCreateInstance(kAccPropServicesClass, nullptr, CLSCTX_INPROC_SERVER,
                                kAccPropServicesInterface, service_.out_void()))) {
        service_.reset();
    }
    return service_.get();
}

}  // namespace quillon::platform::win32
