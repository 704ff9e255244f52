// The form's window: its class, its messages and its painting.
#include "site/Form.h"

namespace zarnhost {

namespace {

constexpr wchar_t kFormClass[] = L"ZarnHostForm";
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;

void RegisterFormClass(WNDPROC proc) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (GetClassInfoExW(GetModuleHandleW(nullptr), kFormClass, &wc))
        return;
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    wc.hbrBackground = nullptr; // painted in WM_PAINT
    wc.lpszClassName = kFormClass;
    RegisterClassExW(&wc);
}

SIZE OuterSize(HWND window, SIZE client) {
    RECT r{0, 0, client.cx, client.cy};
    AdjustWindowRectEx(&r, kStyle, window && GetMenu(window) != nullptr, 0);
    return {r.right - r.left, r.bottom - r.top};
}

// Design mode shows a dot grid and a frame around each control, as form
// designers do.
void PaintDesignAids(HDC dc, const RECT& client, const std::vector<RECT>& controls) {
    const COLORREF dot = GetSysColor(COLOR_BTNSHADOW);
    for (LONG y = 0; y < client.bottom; y += 8)
        for (LONG x = 0; x < client.right; x += 8)
            SetPixel(dc, x, y, dot);
    const HBRUSH frame = GetSysColorBrush(COLOR_HIGHLIGHT);
    for (RECT r : controls) {
        InflateRect(&r, 2, 2);
        FrameRect(dc, &r, frame);
    }
}

} // namespace

void Form::CreateWindowSized(SIZE client) {
    RegisterFormClass(WindowProc);
    size_ = client;
    const SIZE outer = OuterSize(nullptr, client);
    const HWND window = CreateWindowExW(0, kFormClass, L"zarnhost", kStyle, 40, 40, outer.cx, outer.cy,
                                        nullptr, nullptr, GetModuleHandleW(nullptr), this);
    window_.reset(window);
    frame_ = Make<FormFrame>(window);
    UpdateTitle();
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    SetForegroundWindow(window);
}

void Form::FitWindowTo(SIZE client) {
    const SIZE outer = OuterSize(Window(), client);
    SetWindowPos(Window(), nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::SetMenu(HMENU menu) {
    ::SetMenu(Window(), menu);
    FitWindowTo(size_);
}

void Form::UpdateTitle() {
    const std::wstring name = path_.empty() ? L"(new form)" : path_;
    SetWindowTextW(Window(), (L"zarnhost - " + name + (userMode_ ? L" [run]" : L" [design]")).c_str());
}

LRESULT CALLBACK Form::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* form = reinterpret_cast<Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!form || !form->window_ || message == WM_NCDESTROY) {
        if (message == WM_NCDESTROY)
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        return DefWindowProcW(window, message, wparam, lparam);
    }
    return form->HandleMessage(message, wparam, lparam);
}

LRESULT Form::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    const HWND window = Window();
    switch (message) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SIZE:
        size_ = {LOWORD(lparam), HIWORD(lparam)};
        for (const auto& c : controls_)
            c->ClipChanged();
        InvalidateRect(window, nullptr, TRUE);
        return 0;
    case WM_ACTIVATE:
        Activated(LOWORD(wparam) != WA_INACTIVE);
        if (LOWORD(wparam) != WA_INACTIVE && savedFocus_)
            return 0;
        break;
    case WM_LBUTTONDOWN:
        ClickedOnForm();
        return 0;
    case WM_COMMAND:
        if (lparam == 0 && onCommand_) {
            onCommand_(LOWORD(wparam));
            return 0;
        }
        break;
    case WM_CLOSE:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

void Form::Paint() {
    PAINTSTRUCT ps;
    const HDC dc = BeginPaint(Window(), &ps);
    RECT client;
    GetClientRect(Window(), &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    if (!userMode_) {
        std::vector<RECT> rects;
        for (const auto& c : controls_)
            rects.push_back(c->Layout().rect);
        PaintDesignAids(dc, client, rects);
    }
    EndPaint(Window(), &ps);
}

// The focus goes back where it was when the form was last active, and the
// active control learns that its frame came and went.
void Form::Activated(bool active) {
    const HWND focus = GetFocus();
    if (!active && focus && IsChild(Window(), focus))
        savedFocus_ = focus;
    if (active && savedFocus_) {
        if (IsWindow(savedFocus_) && IsChild(Window(), savedFocus_))
            SetFocus(savedFocus_);
        else
            savedFocus_ = nullptr;
    }
    if (IOleInPlaceActiveObject* object = frame_ ? frame_->ActiveObject() : nullptr) {
        Microsoft::WRL::ComPtr<IOleInPlaceActiveObject> keep(object);
        keep->OnFrameWindowActivate(active);
    }
}

// A click on the form itself takes the focus away from the controls.
void Form::ClickedOnForm() {
    if (uiActive_)
        if (HostedControl* active = Of(*uiActive_))
            active->UIDeactivate();
    SetFocus(Window());
}

} // namespace zarnhost
