#include "log/MessageBoxWatcher.h"

namespace zarnhost {

namespace {

struct Watch {
    std::function<void(const std::wstring&)> seen;
    bool answer;
};
thread_local Watch* watcher = nullptr;

std::wstring WindowText(HWND window) {
    wchar_t text[1024] = L"";
    GetWindowTextW(window, text, 1024);
    return text;
}

} // namespace

MessageBoxWatcher::MessageBoxWatcher(std::function<void(const std::wstring&)> seen, bool answer) {
    watcher = new Watch{std::move(seen), answer};
    hook_ = SetWindowsHookExW(WH_CBT, Hook, nullptr, GetCurrentThreadId());
}

MessageBoxWatcher::~MessageBoxWatcher() {
    if (hook_)
        UnhookWindowsHookEx(hook_);
    delete watcher;
    watcher = nullptr;
}

// A message box is a dialog whose static control 0xFFFF holds the text; it
// is read when the box activates.
LRESULT CALLBACK MessageBoxWatcher::Hook(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HCBT_ACTIVATE && watcher) {
        const HWND box = reinterpret_cast<HWND>(wparam);
        wchar_t cls[16] = L"";
        GetClassNameW(box, cls, 16);
        if (std::wstring(cls) == L"#32770") {
            watcher->seen(L"[" + WindowText(box) + L"] " + WindowText(GetDlgItem(box, 0xFFFF)));
            if (watcher->answer)
                PostMessageW(box, WM_COMMAND, IDOK, 0);
        }
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

} // namespace zarnhost
