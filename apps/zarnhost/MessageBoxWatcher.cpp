#include "MessageBoxWatcher.h"

namespace zarnhost {

namespace {
thread_local std::vector<std::wstring>* recorded = nullptr;

std::wstring WindowText(HWND window) {
    wchar_t text[1024] = L"";
    GetWindowTextW(window, text, 1024);
    return text;
}
} // namespace

MessageBoxWatcher::MessageBoxWatcher() {
    recorded = new std::vector<std::wstring>();
    hook_ = SetWindowsHookExW(WH_CBT, Hook, nullptr, GetCurrentThreadId());
}

MessageBoxWatcher::~MessageBoxWatcher() {
    if (hook_)
        UnhookWindowsHookEx(hook_);
    delete recorded;
    recorded = nullptr;
}

std::vector<std::wstring> MessageBoxWatcher::Take() {
    std::vector<std::wstring> taken;
    taken.swap(*recorded);
    return taken;
}

// A message box is a dialog whose static control 0xFFFF holds the text; it
// is read when the box activates and answered with its default button.
LRESULT CALLBACK MessageBoxWatcher::Hook(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HCBT_ACTIVATE && recorded) {
        const HWND box = reinterpret_cast<HWND>(wparam);
        wchar_t cls[16] = L"";
        GetClassNameW(box, cls, 16);
        if (std::wstring(cls) == L"#32770") {
            recorded->push_back(L"[" + WindowText(box) + L"] " + WindowText(GetDlgItem(box, 0xFFFF)));
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        }
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

} // namespace zarnhost
