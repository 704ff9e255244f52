#include "platform/win/Surface.h"

#include "platform/Report.h"
#include "platform/win/WindowClass.h"

#include <olectl.h>

namespace zarn {

Surface::Surface(SurfaceListener& listener) : listener_(listener) {
    const wchar_t* cls = RegisterOwnClass(kSurfaceClass, Proc, CS_DBLCLKS, nullptr);
    window_.reset(CreateWindowExW(WS_EX_CONTROLPARENT, cls, L"", WS_CHILD | WS_CLIPCHILDREN, 0, 0, 120, 21,
                                  park_.Window(), nullptr, ThisModule(), this));
    if (!window_)
        ThrowIfFailed(HRESULT_FROM_WIN32(GetLastError()));
    // The design-time font of the surface: Marlett, 8.25 points, symbols.
    font_ = NewStandardFont(L"Marlett", 8.25, false, SYMBOL_CHARSET);
    text1_ = std::make_unique<TextBox>(Handle(), listener_);
}

HFONT Surface::GlyphFont() const {
    HFONT font = nullptr;
    font_->get_hFont(&font);
    return font;
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
    const auto hold = self->listener_.KeepAlive();
    return self->OnMessage(message, wparam, lparam);
}

LRESULT Surface::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_MOUSEMOVE || IsButtonDown(message) || IsButtonUp(message)) {
        OnMouse(message, wparam, lparam);
        return 0;
    }
    if (IsKeyMessage(message))
        OnKey(message, wparam);
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
    case WM_KILLFOCUS:
        // Handing the focus on to the text box is no loss of it.
        if (!text1_ || reinterpret_cast<HWND>(wparam) != text1_->Handle())
            AtMessageBoundary([&] { listener_.LostFocus(); });
        return 0;
    case WM_SETFOCUS:
        // The text box is the focus target; the surface keeps the focus
        // only while the box cannot take it.
        if (text1_ && IsWindowEnabled(text1_->Handle()))
            SetFocus(text1_->Handle());
        else
            AtMessageBoundary([&] { listener_.GotFocus(); });
        return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: // a read-only box asks as a static
        if (text1_ && reinterpret_cast<HWND>(lparam) == text1_->Handle())
            return ColourText(reinterpret_cast<HDC>(wparam));
        return DefWindowProcW(Handle(), message, wparam, lparam);
    case WM_COMMAND:
        if (text1_ && reinterpret_cast<HWND>(lparam) == text1_->Handle() && HIWORD(wparam) == EN_CHANGE)
            AtMessageBoundary([&] { listener_.TextChanged(); });
        return 0;
    default:
        return DefWindowProcW(Handle(), message, wparam, lparam);
    }
}

// Mouse input over the surface, and over the thread's other windows while
// the surface holds the capture.
void Surface::OnMouse(UINT message, WPARAM wparam, LPARAM lparam) {
    AtMessageBoundary([&] {
        MouseEvent event = MouseEventOf(message, wparam, lparam);
        if (message == WM_MOUSEMOVE) {
            listener_.MouseMove(event);
        } else if (IsButtonDown(message)) {
            TakeFocusAt(event);
            listener_.MouseDown(event);
        } else {
            listener_.MouseUp(event);
        }
    });
}

// A press on the surface puts the focus into the control, as a press on
// its text box does; a press elsewhere that reaches it under capture does not.
void Surface::TakeFocusAt(const MouseEvent& event) {
    const SIZE size = ClientSize();
    const HWND focus = GetFocus();
    if (event.x < 0 || event.y < 0 || event.x >= size.cx || event.y >= size.cy)
        return;
    if (focus != Handle() && !(text1_ && focus == text1_->Handle()))
        SetFocus(Handle());
}

// Keys on the surface (it has the focus only while the text box cannot take
// it) are reported and then go on to the default processing, the system
// keys to the menu: the surface consumes nothing.
void Surface::OnKey(UINT message, WPARAM wparam) {
    short code = static_cast<short>(wparam);
    AtMessageBoundary([&] {
        if (message == WM_CHAR) {
            listener_.KeyPress(code);
            return;
        }
        short shift = KeyShift();
        if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN)
            listener_.KeyDown(code, shift);
        else
            listener_.KeyUp(code, shift);
    });
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

void Surface::Capture() {
    if (GetCapture() != Handle())
        SetCapture(Handle());
}

void Surface::ReleaseCapture() {
    if (GetCapture() == Handle())
        ::ReleaseCapture();
}

void Surface::PlaceIn(HWND parent, const RECT& position) {
    SetParent(Handle(), parent);
    Move(position);
    ShowWindow(Handle(), SW_SHOWNA);
}

void Surface::Move(const RECT& position) {
    SetWindowPos(Handle(), nullptr, position.left, position.top, position.right - position.left,
                 position.bottom - position.top, SWP_NOZORDER | SWP_NOACTIVATE);
    listener_.Resized();
}

void Surface::Park() {
    ReleaseCapture();
    ShowWindow(Handle(), SW_HIDE);
    SetParent(Handle(), park_.Window());
}

} // namespace zarn
