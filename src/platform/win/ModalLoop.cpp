#include "platform/win/ModalLoop.h"

namespace zarn {

namespace {

bool IsInput(UINT message) {
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
           (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK) || message == WM_NCMOUSEHOVER ||
           message == WM_NCMOUSELEAVE || message == WM_MOUSEHOVER || message == WM_MOUSELEAVE;
}

} // namespace

bool IsInputForOthers(const MSG& msg, HWND window) {
    return IsInput(msg.message) && msg.hwnd != window && !IsChild(window, msg.hwnd);
}

std::optional<int> RunModalLoop(HWND window, const std::function<bool()>& goOn) {
    MSG msg;
    while (IsWindow(window) && goOn()) {
        if (!GetMessageW(&msg, nullptr, 0, 0))
            return static_cast<int>(msg.wParam);
        if (IsInputForOthers(msg, window))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        if (IsWindow(window) && GetCapture() != window)
            SetCapture(window);
    }
    return std::nullopt;
}

} // namespace zarn
