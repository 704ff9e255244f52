// The calendar form's window and life: load, activation, unload, and the
// back image every painting step draws into.
#include "calendar/frmCalendar.h"

#include "calendar/FormTrap.h"
#include "date/FnsDate.h"
#include "platform/win/Input.h"
#include "platform/win/ModalLoop.h"
#include "platform/win/WindowClass.h"
#include "settings/SharedSettings.h"

thread_local std::array<DayCell, 54> DayCells{};

namespace {
constexpr const wchar_t* kCalendarClass = L"Zarn2Calendar";
} // namespace

frmCalendar::~frmCalendar() {
    if (window_)
        Unload();
    Form_Terminate();
}

HDC frmCalendar::hDC() const {
    return back_ ? back_->dc() : nullptr;
}

// ---------------------------------------------------------------------------
// Life

void frmCalendar::Form_Load() {
    loaded_ = true;
    frmCalendarTrap::Trapped([this] { LoadSteps(); }, L"  Load ", [this] { loaded_ = false; });
}

void frmCalendar::LoadSteps() {
    CreateFormWindow();
    SetCapture(hWnd()); // clicks outside the form come to it
    pressedButton_ = -1;
    IsSelected = false;
    dayHit_ = false;

    const SharedSettings& s = SharedSettings::ForThread();
    CurrDate = FnsDate::RetDateTypeFromLong(zarn::ToLong(s.PValue.Get()));
    yearShift_ = zarn::NarrowToInteger(FnsDate::LocDiff());
    SYSTEMTIME st{};
    VariantTimeToSystemTime(CurrDate, &st);
    st.wYear = static_cast<WORD>(st.wYear + yearShift_);
    SystemTimeToVariantTime(&st, &CurrDate);

    InitialRecShape();
    DrawBkgnd();
    DrawBtn();
    mDrawFns::SetBorderStyle(*this);
    DrawWeekLabel();
    DrawWeekLine();
    mDrawFns::SetColors();
    DrawCalendar();
}

void frmCalendar::Form_Activate() {
    if (!loaded_)
        Unload();
}

// Losing the focus closes the form as Escape does: nothing is picked.
void frmCalendar::Form_LostFocus() {
    ReleaseCapture();
    Unload();
}

void frmCalendar::Form_Unload() {
    if (GetCapture() == hWnd())
        ReleaseCapture();
}

// The handle leaves window_ before the window goes, so that what its
// destruction sends (loss of focus, of activation) finds the form unloaded.
void frmCalendar::Unload() {
    if (!window_)
        return;
    Form_Unload();
    zarn::UniqueHwnd closing = std::move(window_);
    closing.reset();
    ink_.Release();
    todayMark_.Release();
    weekSign_.Release();
    back_.reset();
    backSize_ = {};
}

void frmCalendar::Form_Terminate() {
    for (RECT& r : CellRects)
        SetRectEmpty(&r);
    DayCells = {};
}

void frmCalendar::Show(POINT topLeft) {
    if (!window_)
        return;
    SetWindowPos(hWnd(), HWND_TOPMOST, topLeft.x, topLeft.y, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    // A load that failed has unloaded the form by now (Form_Activate).
    if (window_ && GetActiveWindow() != hWnd())
        Form_Activate();
}

// Pending messages run first, as in the loop that shows the form, until one
// of them closes the form; a quit is left for that loop.
bool frmCalendar::IsActiveWindow() {
    if (GetActiveWindow() != hWnd())
        return false;
    MSG msg;
    while (window_ && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (zarn::IsInputForOthers(msg, hWnd()))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return true;
}

// ---------------------------------------------------------------------------
// Layout and the state painting reads

void frmCalendar::InitialRecShape() {
    frmCalendarTrap::Trapped(
        [this] {
            const SharedSettings& s = SharedSettings::ForThread();
            const auto layout = frmCalendarLayout::InitialRecShape(s.CalendarGridWidth, s.CalendarGridHeight,
                                                                   s.WeekColumnWidth, s.ShowWeek);
            CellRects = layout.CellRects;
            formWidth_ = layout.FormWidth;
            formHeight_ = layout.FormHeight;
        },
        L" Initial RecShape ");
}

void frmCalendar::CleanupDayCells() {
    frmCalendarTrap::Trapped([] { DayCells = {}; }, L" Cleanup:DayCells ");
}

void frmCalendar::SetPressedButton(short button, bool inside) {
    pressedButton_ = button;
    if (button >= 0 && button <= 2)
        pressedInside_[button] = inside;
}

// ---------------------------------------------------------------------------
// The window and its back image

void frmCalendar::CreateFormWindow() {
    if (window_)
        return;
    const wchar_t* cls = zarn::RegisterOwnClass(kCalendarClass, Proc, CS_DBLCLKS);
    window_.reset(CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, cls, L"", WS_POPUP, 0, 0, 1, 1, nullptr,
                                  nullptr, zarn::ThisModule(), this));
    if (!window_)
        zarn::ThrowIfFailed(HRESULT_FROM_WIN32(GetLastError()));
    SetClientSize(1, 1);
}

// The window and its back image take the size; the image starts white.
void frmCalendar::SetClientSize(int width, int height) {
    SetWindowPos(hWnd(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const zarn::gdi::WindowDC screen(hWnd());
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    zarn::gdi::UniqueBitmap image(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!image)
        zarn::Raise(zarn::ErrOutOfMemory);
    ink_.LetGo();
    back_.reset();
    back_ = std::make_unique<zarn::gdi::MemorySurface>(screen.get(), std::move(image));
    backSize_ = {width, height};
    PatBlt(back_->dc(), 0, 0, width, height, WHITENESS);
}

// A hidden form is painted whole when it is shown.
void frmCalendar::Refresh() {
    if (window_ && IsWindowVisible(hWnd()))
        InvalidateRect(hWnd(), nullptr, FALSE);
}

LRESULT CALLBACK frmCalendar::Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<frmCalendar*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self || message == WM_NCDESTROY || !self->window_)
        return DefWindowProcW(window, message, wparam, lparam);
    return self->OnMessage(message, wparam, lparam);
}

// A double click is two clicks to the form.
void frmCalendar::OnMouse(UINT message, WPARAM wparam, LPARAM lparam) {
    const zarn::MouseEvent e = zarn::MouseEventOf(message, wparam, lparam);
    if (message == WM_MOUSEMOVE)
        Form_MouseMove(e.button, e.shift, e.x, e.y);
    else if (zarn::IsButtonDown(message))
        Form_MouseDown(e.button, e.shift, e.x, e.y);
    else
        Form_MouseUp(e.button, e.shift, e.x, e.y);
}

LRESULT frmCalendar::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // the back image covers every pixel
    case WM_PAINT: {
        PAINTSTRUCT ps;
        const HDC dc = BeginPaint(hWnd(), &ps);
        if (back_)
            BitBlt(dc, 0, 0, backSize_.cx, backSize_.cy, back_->dc(), 0, 0, SRCCOPY);
        EndPaint(hWnd(), &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        if (back_)
            BitBlt(reinterpret_cast<HDC>(wparam), 0, 0, backSize_.cx, backSize_.cy, back_->dc(), 0, 0, SRCCOPY);
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wparam) == WA_INACTIVE) {
            Form_LostFocus();
            return 0;
        }
        DefWindowProcW(hWnd(), message, wparam, lparam); // takes the focus
        Form_Activate();
        return 0;
    case WM_KILLFOCUS:
        Form_LostFocus();
        return 0;
    case WM_SYSCOMMAND:
        // Alt alone, or Alt with the key that opened the form, starts no
        // menu mode: the form has no menu.
        if ((wparam & 0xFFF0) == SC_KEYMENU)
            return 0;
        return DefWindowProcW(hWnd(), message, wparam, lparam);
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        OnMouse(message, wparam, lparam);
        return 0;
    case WM_KEYDOWN:
    case WM_KEYUP: {
        short keyCode = static_cast<short>(wparam);
        if (message == WM_KEYDOWN)
            Form_KeyDown(keyCode, zarn::KeyShift());
        else
            Form_KeyUp(keyCode, zarn::KeyShift());
        return 0;
    }
    default:
        return DefWindowProcW(hWnd(), message, wparam, lparam);
    }
}
