#pragma once
// Move-only owners for the Win32 handles the host creates.
#include <windows.h>

#include <memory>
#include <type_traits>

namespace zarnhost {

template <auto Close> struct HandleCloser {
    template <class H> void operator()(H handle) const { Close(handle); }
};

template <class Handle, auto Close>
using UniqueHandle = std::unique_ptr<std::remove_pointer_t<Handle>, HandleCloser<Close>>;

using UniqueWindow = UniqueHandle<HWND, DestroyWindow>;
using UniqueBitmap = UniqueHandle<HBITMAP, DeleteObject>;
using UniqueMemoryDc = UniqueHandle<HDC, DeleteDC>;
using UniqueAccelerators = UniqueHandle<HACCEL, DestroyAcceleratorTable>;

// A window's device context, given back when the scope ends.
class WindowDc {
public:
    explicit WindowDc(HWND window, bool whole = false)
        : window_(window), dc_(whole ? GetWindowDC(window) : GetDC(window)) {}
    ~WindowDc() {
        if (dc_)
            ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC Get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// Puts an object into a device context and takes it out again.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~Selection() { SelectObject(dc_, previous_); }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

} // namespace zarnhost
