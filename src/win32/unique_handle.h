#pragma once

#include <windows.h>
#include <objbase.h>
#include <oleauto.h>
#include <winspool.h>

#include <utility>

namespace quillon::platform::win32 {

// Owns one handle of the kind the traits describe and closes it exactly once.
// Traits give the handle type, the value that means "nothing" and the close
// call. Copies are deleted; moves hand the handle over.
template <typename Traits>
class unique_any {
public:
    using pointer = typename Traits::type;

    unique_any() noexcept = default;
    explicit unique_any(pointer value) noexcept : value_(value) {}
    unique_any(const unique_any&) = delete;
    unique_any& operator=(const unique_any&) = delete;
    unique_any(unique_any&& other) noexcept : value_(other.release()) {}
    unique_any& operator=(unique_any&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~unique_any() { reset(); }

    // Closes the handle held so far, then holds the new one.
    void reset(pointer value = Traits::empty()) noexcept {
        const pointer old = std::exchange(value_, value);
        if (old != Traits::empty()) Traits::close(old);
    }

    // Hands the handle to the caller, who must close it.
    [[nodiscard]] pointer release() noexcept { return std::exchange(value_, Traits::empty()); }

    pointer get() const noexcept { return value_; }
    explicit operator bool() const noexcept { return value_ != Traits::empty(); }

    // For APIs that hand out a handle through a pointer: closes the current
    // one first, so filling it again cannot leak.
    pointer* out() noexcept {
        reset();
        return &value_;
    }

private:
    pointer value_ = Traits::empty();
};

// Traits for the common case: a handle whose empty value is zero (or null),
// closed by one call whose result is of no use once the handle goes.
template <typename T, auto Close>
struct close_traits {
    using type = T;
    static constexpr T empty() noexcept { return T{}; }
    static void close(T value) noexcept { static_cast<void>(Close(value)); }
};

// CreateFileA and FindFirstFileA report failure with INVALID_HANDLE_VALUE,
// not with a null handle.
template <auto Close>
struct invalid_value_traits {
    using type = HANDLE;
    static type empty() noexcept { return INVALID_HANDLE_VALUE; }
    static void close(type value) noexcept { static_cast<void>(Close(value)); }
};

template <typename T>
struct cotaskmem_traits {
    using type = T*;
    static constexpr type empty() noexcept { return nullptr; }
    static void close(type value) noexcept { CoTaskMemFree(value); }
};

// What the system handed out with LocalAlloc (the text of
// ConvertSidToStringSidW) goes back with LocalFree.
template <typename T>
struct local_traits {
    using type = T*;
    static constexpr type empty() noexcept { return nullptr; }
    static void close(type value) noexcept { static_cast<void>(LocalFree(value)); }
};

using unique_handle = unique_any<close_traits<HANDLE, &CloseHandle>>;
using unique_file = unique_any<invalid_value_traits<&CloseHandle>>;
using unique_find = unique_any<invalid_value_traits<&FindClose>>;
using unique_hkey = unique_any<close_traits<HKEY, &RegCloseKey>>;
using unique_printer = unique_any<close_traits<HANDLE, &ClosePrinter>>;
using unique_hmodule = unique_any<close_traits<HMODULE, &FreeLibrary>>;
using unique_hwnd = unique_any<close_traits<HWND, &DestroyWindow>>;
using unique_hicon = unique_any<close_traits<HICON, &DestroyIcon>>;
// The screen's device context (GetDC of no window) goes back with ReleaseDC.
inline int ReleaseScreenDC(HDC dc) noexcept { return ReleaseDC(nullptr, dc); }
using unique_screen_dc = unique_any<close_traits<HDC, &ReleaseScreenDC>>;
using unique_memory_dc = unique_any<close_traits<HDC, &DeleteDC>>;
template <typename T = void>
using unique_cotaskmem = unique_any<cotaskmem_traits<T>>;
using unique_bstr = unique_any<close_traits<BSTR, &SysFreeString>>;
using unique_event_source = unique_any<close_traits<HANDLE, &DeregisterEventSource>>;
template <typename T = void>
using unique_local = unique_any<local_traits<T>>;

// Fonts, brushes, pens and bitmaps all go back with DeleteObject; the
// handle keeps its own type so it can be passed on without casts.
template <typename T>
struct gdi_traits {
    using type = T;
    static constexpr T empty() noexcept { return nullptr; }
    static void close(T value) noexcept { static_cast<void>(DeleteObject(value)); }
};
template <typename T>
using unique_gdi = unique_any<gdi_traits<T>>;
using unique_hfont = unique_gdi<HFONT>;
using unique_hbitmap = unique_gdi<HBITMAP>;

// Holds one reference to a COM object and releases it.
template <typename T>
class unique_com {
public:
    unique_com() noexcept = default;
    // Takes over a reference the caller already holds.
    explicit unique_com(T* object) noexcept : object_(object) {}
    unique_com(const unique_com&) = delete;
    unique_com& operator=(const unique_com&) = delete;
    unique_com(unique_com&& other) noexcept : object_(other.release()) {}
    unique_com& operator=(unique_com&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~unique_com() { reset(); }

    void reset(T* object = nullptr) noexcept {
        T* const old = std::exchange(object_, object);
        if (old != nullptr) old->Release();
    }
    [[nodiscard]] T* release() noexcept { return std::exchange(object_, nullptr); }

    T* get() const noexcept { return object_; }
    T* operator->() const noexcept { return object_; }
    explicit operator bool() const noexcept { return object_ != nullptr; }

    T** out() noexcept {
        reset();
        return &object_;
    }
    // For CoCreateInstance and QueryInterface, which hand out void**.
    void** out_void() noexcept { return reinterpret_cast<void**>(out()); }

    // Asks the object for another of its interfaces; the result is empty
    // when the object does not have it.
    template <typename U>
    HRESULT query(REFIID iid, unique_com<U>& result) const noexcept {
        if (object_ == nullptr) {
            result.reset();
            return E_POINTER;
        }
        return object_->QueryInterface(iid, result.out_void());
    }

private:
    T* object_ = nullptr;
};

// How the window thread takes COM, as the shell asks of a program that
// opens documents through it: a single-threaded apartment, which some
// shell extensions need, without the dynamic data exchange kept for
// OLE 1.0.
inline constexpr DWORD kShellApartment = COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE;

// Initialises COM on this thread for the life of the object and balances
// it with CoUninitialize, but only when the initialisation succeeded.
class unique_couninitialize {
public:
    explicit unique_couninitialize(DWORD model = kShellApartment) noexcept
        : result_(CoInitializeEx(nullptr, model)) {}
    unique_couninitialize(const unique_couninitialize&) = delete;
    unique_couninitialize& operator=(const unique_couninitialize&) = delete;
    ~unique_couninitialize() {
        if (SUCCEEDED(result_)) CoUninitialize();
    }

    // S_FALSE (already initialised on this thread) counts as success and
    // is balanced too; RPC_E_CHANGED_MODE is not.
    HRESULT result() const noexcept { return result_; }
    explicit operator bool() const noexcept { return SUCCEEDED(result_); }

private:
    HRESULT result_;
};

}  // namespace quillon::platform::win32
