#pragma once
// Mouse and keyboard state as the control's events carry it: Shift is 1
// for the Shift key, 2 for Ctrl, 4 for Alt; Button is 1 for the left, 2 for
// the right and 4 for the middle button.
#include <windows.h>
#include <windowsx.h>

namespace zarn {

struct MouseEvent {
    short button;
    short shift;
    float x; // pixels of the window that received the message
    float y;
};

// Reads the keyboard state: only for key and mouse messages, since each
// reading is a call to the window server.
inline short KeyShift() {
    return static_cast<short>((GetKeyState(VK_SHIFT) < 0 ? 1 : 0) | (GetKeyState(VK_CONTROL) < 0 ? 2 : 0) |
                              (GetKeyState(VK_MENU) < 0 ? 4 : 0));
}

// A mouse message carries Shift and Ctrl as they were when it was sent;
// Alt is not in it.
inline short MouseShift(WPARAM keys) {
    return static_cast<short>(((keys & MK_SHIFT) ? 1 : 0) | ((keys & MK_CONTROL) ? 2 : 0) |
                              (GetKeyState(VK_MENU) < 0 ? 4 : 0));
}

// The button a press or release message is about; 0 for any other message.
inline short ButtonOf(UINT message) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
        return 1;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_RBUTTONUP:
        return 2;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_MBUTTONUP:
        return 4;
    default:
        return 0;
    }
}

// The buttons held during a mouse move.
inline short ButtonsHeld(WPARAM keys) {
    return static_cast<short>(((keys & MK_LBUTTON) ? 1 : 0) | ((keys & MK_RBUTTON) ? 2 : 0) |
                              ((keys & MK_MBUTTON) ? 4 : 0));
}

// A mouse message as an event: the button of a press or release, the held
// buttons of a move; coordinates may lie outside the window under capture.
inline MouseEvent MouseEventOf(UINT message, WPARAM wparam, LPARAM lparam) {
    const short button = message == WM_MOUSEMOVE ? ButtonsHeld(wparam) : ButtonOf(message);
    return MouseEvent{button, MouseShift(wparam), static_cast<float>(GET_X_LPARAM(lparam)),
                      static_cast<float>(GET_Y_LPARAM(lparam))};
}

inline bool IsButtonDown(UINT message) {
    return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN ||
           message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDBLCLK || message == WM_MBUTTONDBLCLK;
}

inline bool IsButtonUp(UINT message) {
    return message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_MBUTTONUP;
}

inline bool IsKeyMessage(UINT message) {
    return message == WM_KEYDOWN || message == WM_SYSKEYDOWN || message == WM_KEYUP ||
           message == WM_SYSKEYUP || message == WM_CHAR;
}

} // namespace zarn
