#pragma once
// Owners for the GDI objects one drawing step creates, a guard that puts
// back what a device context held, and memory surfaces built from both.
// Graphics objects live for one drawing step. Debug builds (ZARN_COUNT_GDI)
// count the objects the owners hold, because Wine's GetGuiResources always
// answers 0 and a leak would otherwise only show once GDI runs out.
#include "platform/win/Handles.h"

#include <utility>

namespace zarn::gdi {

#ifdef ZARN_COUNT_GDI
// GDI objects taken by an owner below and not yet deleted.
long LiveObjects();
#endif

namespace detail {
#ifdef ZARN_COUNT_GDI
void Count(long delta);
#else
inline void Count(long) {}
#endif

template <class Handle, auto Delete> void Release(Handle handle) {
    Count(-1);
    Delete(handle);
}
} // namespace detail

// Owns one GDI object its caller has just created; move-only. A null handle
// (a creation that failed) is held, never counted and never deleted.
template <class Handle, auto Delete> class Created {
public:
    Created() = default;
    explicit Created(Handle created) : owner_(created) {
        if (created)
            detail::Count(+1);
    }

    Handle get() const { return owner_.get(); }
    explicit operator bool() const { return static_cast<bool>(owner_); }

private:
    unique_any<Handle, detail::Release<Handle, Delete>> owner_;
};

using UniqueBrush = Created<HBRUSH, DeleteObject>;
using UniquePen = Created<HPEN, DeleteObject>;
using UniqueBitmap = Created<HBITMAP, DeleteObject>;
using UniqueMemoryDC = Created<HDC, DeleteDC>;

UniqueBrush SolidBrush(COLORREF colour);
// A solid pen one pixel wide.
UniquePen SolidPen(COLORREF colour);
UniqueMemoryDC CompatibleDC(HDC like);
// A bitmap in the format of the surface `like` draws on.
UniqueBitmap CompatibleBitmap(HDC like, int width, int height);
// One plane, one bit per pixel.
UniqueBitmap MonochromeBitmap(int width, int height);

// Selects an object into a device context and selects the previous one back
// when it goes out of scope. A selection that fails restores nothing.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object);
    ~Selection();
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

[[nodiscard]] inline Selection Select(HDC dc, HGDIOBJ object) {
    return Selection(dc, object);
}

// The device context of a window's client area, released at the end of the
// scope that took it.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDC() {
        if (dc_)
            ReleaseDC(window_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// A memory device context compatible with `like`, holding one bitmap of its
// own. Members are declared so that the bitmap is selected out first, then
// the context is deleted, then the bitmap.
class MemorySurface {
public:
    MemorySurface(HDC like, UniqueBitmap bitmap);

    HDC dc() const { return dc_.get(); }
    HBITMAP bitmap() const { return bitmap_.get(); }

private:
    UniqueBitmap bitmap_;
    UniqueMemoryDC dc_;
    Selection holding_;
};

} // namespace zarn::gdi
