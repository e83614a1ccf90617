// Ownership of Win32 handles: each kind of handle with the call that frees it.
#pragma once

#include <objbase.h>
#include <windows.h>

#include <memory>
#include <type_traits>

namespace platform::win32 {

template <class Handle, auto Free>
struct Freer {
    void operator()(Handle handle) const { Free(handle); }
};

template <class Handle, auto Free>
using Owned = std::unique_ptr<std::remove_pointer_t<Handle>, Freer<Handle, Free>>;

using OwnedFont = Owned<HFONT, DeleteObject>;
using OwnedFontResource = Owned<HANDLE, RemoveFontMemResourceEx>;
using OwnedHook = Owned<HHOOK, UnhookWindowsHookEx>;

// COM on this thread, for as long as it lives.
struct ComApartment {
    ComApartment() : result(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComApartment()
    {
        if (SUCCEEDED(result))
            CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    HRESULT result;
};

// A COM interface pointer, released when it goes.
template <class Interface>
struct Releaser {
    void operator()(Interface* object) const { object->Release(); }
};
template <class Interface>
using ComPtr = std::unique_ptr<Interface, Releaser<Interface>>;

} // namespace platform::win32
