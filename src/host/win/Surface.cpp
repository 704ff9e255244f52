#include "host/win/Surface.h"

#include "host/runtime/RuntimeError.h"
#include "host/win/WindowClass.h"

#include <olectl.h>

namespace zarn {

Surface::Surface(SurfaceListener& listener) : listener_(listener) {
    const wchar_t* cls = RegisterOwnClass(kSurfaceClass, Proc, CS_DBLCLKS, nullptr);
    window_.reset(CreateWindowExW(WS_EX_CONTROLPARENT, cls, L"", WS_CHILD | WS_CLIPCHILDREN, 0, 0, 120, 21,
                                  park_.Window(), nullptr, ThisModule(), this));
    if (!window_)
        ThrowIfFailed(HRESULT_FROM_WIN32(GetLastError()));
    text1_ = std::make_unique<TextBox>(Handle());
}

// Messages reach the surface object once WM_NCCREATE has stored it; the
// few before that go to the default procedure.
LRESULT CALLBACK Surface::Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<Surface*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self || message == WM_NCDESTROY || !self->window_)
        return DefWindowProcW(window, message, wparam, lparam);
    return self->OnMessage(message, wparam, lparam);
}

LRESULT Surface::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // the face covers every pixel
    case WM_PAINT: {
        PAINTSTRUCT ps;
        const HDC dc = BeginPaint(Handle(), &ps);
        listener_.Paint(dc);
        EndPaint(Handle(), &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        listener_.Paint(reinterpret_cast<HDC>(wparam));
        return 0;
    case WM_SIZE:
        listener_.Resized();
        return 0;
    case WM_SETFOCUS:
        // The surface itself is no focus target: the text box is.
        if (text1_ && IsWindowEnabled(text1_->Handle()))
            SetFocus(text1_->Handle());
        return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: // a read-only box asks as a static
        if (text1_ && reinterpret_cast<HWND>(lparam) == text1_->Handle())
            return ColourText(reinterpret_cast<HDC>(wparam));
        return DefWindowProcW(Handle(), message, wparam, lparam);
    case WM_COMMAND:
        if (text1_ && reinterpret_cast<HWND>(lparam) == text1_->Handle())
            OnCommand(HIWORD(wparam));
        return 0;
    default:
        return DefWindowProcW(Handle(), message, wparam, lparam);
    }
}

// The box's colours with the DC brush: nothing to create or delete.
LRESULT Surface::ColourText(HDC dc) {
    COLORREF fore = 0, back = 0;
    OleTranslateColor(text1_->ForeColor(), nullptr, &fore);
    OleTranslateColor(text1_->BackColor(), nullptr, &back);
    SetTextColor(dc, fore);
    SetBkColor(dc, back);
    SetDCBrushColor(dc, back);
    return reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
}

void Surface::OnCommand(WORD code) {
    switch (code) {
    case EN_CHANGE:
        listener_.TextChanged();
        break;
    case EN_SETFOCUS:
        listener_.TextFocus(true);
        break;
    case EN_KILLFOCUS:
        listener_.TextFocus(false);
        break;
    default:
        break;
    }
}

bool Surface::Enabled() const {
    return IsWindowEnabled(Handle()) != FALSE;
}
void Surface::SetEnabled(bool enabled) {
    EnableWindow(Handle(), enabled);
}

SIZE Surface::ClientSize() const {
    RECT r{};
    GetClientRect(Handle(), &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

void Surface::Invalidate() {
    InvalidateRect(Handle(), nullptr, FALSE);
}

void Surface::PlaceIn(HWND parent, const RECT& position) {
    SetParent(Handle(), parent);
    SetWindowPos(Handle(), nullptr, position.left, position.top, position.right - position.left,
                 position.bottom - position.top, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void Surface::Park() {
    ShowWindow(Handle(), SW_HIDE);
    SetParent(Handle(), park_.Window());
}

} // namespace zarn
