#include "win32/win32_annotations.h"

#include <array>
#include <atomic>
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

constexpr IID kAccessibleInterface = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

using CreateStdAccessibleObjectFunction = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
using LresultFromObjectFunction = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// A link label as screen readers see it: the system's object for the
// label, announced as a link, whose default action opens it. A label has no
// default action of its own, and the system's annotations can name one but
// not carry it out.
//
// The object answers for itself alone. An interface of the label's object
// handed on would be another object to COM: asked for IUnknown, it would
// give the plain label, and the questions of marshalling (IMarshal,
// IStdMarshalInfo, IAgileObject ...) would send a screen reader the label
// instead of the link. Its window (IOleWindow, through which the system
// finds the window of an object) it answers itself. IEnumVARIANT it leaves
// out: a label has no children, and get_accChildCount says so;
// IAccIdentity the accessibility library supplies for a client object.
class LinkAccessible final : public IAccessible, public IOleWindow {
public:
    LinkAccessible(HWND link, IAccessible* label, const std::wstring& action)
        : link_(link), label_(label), action_(action) {}
    LinkAccessible(const LinkAccessible&) = delete;
    LinkAccessible& operator=(const LinkAccessible&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
            IsEqualIID(iid, kAccessibleInterface)) {
            *object = static_cast<IAccessible*>(this);
        } else if (IsEqualIID(iid, IID_IOleWindow)) {
            *object = static_cast<IOleWindow*>(this);
        } else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
        if (window == nullptr) return E_POINTER;
        *window = link_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // The label's description of the interface, which is the same one.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        return label_->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
        return label_->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override {
        return label_->GetIDsOfNames(iid, names, count, locale, ids);
    }
    // Through that description to this object's methods, so that a client
    // calling by name meets the link too, not the label.
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                     DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argument) override {
        if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
        unique_com<ITypeInfo> info;
        const HRESULT described = label_->GetTypeInfo(0, locale, info.out());
        if (FAILED(described)) return described;
        if (!info) return E_NOTIMPL;
        return info->Invoke(static_cast<IAccessible*>(this), id, flags, parameters, result,
                            exception, argument);
    }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return label_->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        return label_->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        return label_->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        return label_->get_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return label_->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        return label_->get_accDescription(child, description);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!IsSelf(child) || role == nullptr) return label_->get_accRole(child, role);
        VariantInit(role);
        role->vt = VT_I4;
        role->lVal = ROLE_SYSTEM_LINK;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return label_->get_accState(child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return label_->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
        return label_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return label_->get_accKeyboardShortcut(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
        return label_->get_accFocus(child);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return label_->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        if (!IsSelf(child) || action == nullptr) return label_->get_accDefaultAction(child, action);
        *action = SysAllocString(action_.c_str());
        return *action != nullptr ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        return label_->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override {
        return label_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        return label_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
        return label_->accHitTest(x, y, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        if (!IsSelf(child)) return label_->accDoDefaultAction(child);
        if (!IsWindowEnabled(link_)) return E_FAIL;
        // Posted, as a click reaches the window, so that the screen reader
        // is not kept waiting while the link opens.
        return PostMessageA(GetParent(link_), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(link_), STN_CLICKED),
                            reinterpret_cast<LPARAM>(link_))
                   ? S_OK
                   : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        return label_->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return label_->put_accValue(child, value);
    }

private:
    ~LinkAccessible() = default;

    HWND link_;
    unique_com<IAccessible> label_;
    std::wstring action_;
    std::atomic<ULONG> references_{1};
};

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

void Win32Annotations::SetLinkDefaultAction(std::string_view name) { linkDefaultAction_ = Widen(name); }

LRESULT Win32Annotations::LinkObject(HWND link, WPARAM wParam, LPARAM lParam) {
    // OBJID_CLIENT arrives as a DWORD in the message's LPARAM.
    if (static_cast<DWORD>(lParam) != kClientObject || linkDefaultAction_.empty()) return 0;
    static_cast<void>(Service());
    const auto createStandard = LookUpFunction<CreateStdAccessibleObjectFunction>(
        library_.get(), "CreateStdAccessibleObject");
    const auto answer =
        LookUpFunction<LresultFromObjectFunction>(library_.get(), "LresultFromObject");
    if (createStandard == nullptr || answer == nullptr) return 0;
    IAccessible* label = nullptr;
    if (FAILED(createStandard(link, OBJID_CLIENT, kAccessibleInterface,
                              reinterpret_cast<void**>(&label))) ||
        label == nullptr) {
        return 0;
    }
    // The answer holds a reference of its own; ours goes with the wrapper.
    // COM's standard marshalling hands it on (the object has no marshalling
    // of its own), so a screen reader's calls reach the link itself, through
    // this thread.
    const unique_com<IAccessible> object(new LinkAccessible(link, label, linkDefaultAction_));
    const LRESULT result = answer(kAccessibleInterface, wParam, object.get());
    return result > 0 ? result : 0;
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
