#include "log/LogWindow.h"

namespace zarnhost {

namespace {

constexpr wchar_t kLogClass[] = L"ZarnHostLog";

} // namespace

LogWindow::LogWindow() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    wc.lpszClassName = kLogClass;
    RegisterClassExW(&wc);
    window_.reset(CreateWindowExW(0, kLogClass, L"zarnhost log", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 520, 480, nullptr, nullptr, wc.hInstance, nullptr));
    text_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                            WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_READONLY |
                                ES_AUTOVSCROLL | ES_AUTOHSCROLL,
                            0, 0, 0, 0, window_.get(), nullptr, wc.hInstance, nullptr);
    SendMessageW(text_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    SendMessageW(text_, EM_SETLIMITTEXT, 0, 0);
    RECT client;
    GetClientRect(window_.get(), &client);
    MoveWindow(text_, 0, 0, client.right, client.bottom, FALSE);
    ShowWindow(window_.get(), SW_SHOWNOACTIVATE);
}

void LogWindow::Append(const std::wstring& line) {
    const LRESULT end = GetWindowTextLengthW(text_);
    SendMessageW(text_, EM_SETSEL, end, end);
    SendMessageW(text_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>((line + L"\r\n").c_str()));
}

void LogWindow::PlaceBeside(HWND other) {
    RECT r;
    GetWindowRect(other, &r);
    SetWindowPos(window_.get(), nullptr, r.right + 8, r.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK LogWindow::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_SIZE:
        if (const HWND text = GetWindow(window, GW_CHILD))
            MoveWindow(text, 0, 0, LOWORD(lparam), HIWORD(lparam), TRUE);
        return 0;
    case WM_CLOSE:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

} // namespace zarnhost
