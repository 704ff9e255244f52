#include "platform/win/WindowClass.h"

#include "platform/RuntimeError.h"
#include "platform/win/Lock.h"

#include <string>
#include <vector>

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace zarn {

namespace {
Lock registeredLock;
std::vector<std::wstring>& Registered() {
    static std::vector<std::wstring> names;
    return names;
}
} // namespace

HINSTANCE ThisModule() {
    return reinterpret_cast<HINSTANCE>(&__ImageBase);
}

const wchar_t* RegisterOwnClass(const wchar_t* name, WNDPROC proc, UINT style, HBRUSH background) {
    Lock::Held held(registeredLock);
    for (const auto& n : Registered())
        if (n == name)
            return name;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = style;
    wc.lpfnWndProc = proc;
    wc.hInstance = ThisModule();
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        ThrowIfFailed(HRESULT_FROM_WIN32(GetLastError()));
    Registered().emplace_back(name);
    return name;
}

void UnregisterOwnClasses() {
    Lock::Held held(registeredLock);
    for (const auto& n : Registered())
        UnregisterClassW(n.c_str(), ThisModule());
    Registered().clear();
}

} // namespace zarn
