#include "platform/win/ParkWindow.h"

#include "platform/RuntimeError.h"
#include "platform/win/WindowClass.h"

namespace zarn {

namespace {

struct Park {
    HWND window = nullptr;
    int leases = 0;
};
thread_local Park park; // trivially destructible: safe in a DLL

} // namespace

ParkLease::ParkLease() {
    if (park.leases == 0) {
        park.window = CreateWindowExW(WS_EX_TOOLWINDOW, RegisterOwnClass(kParkClass, DefWindowProcW), L"",
                                      WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, ThisModule(), nullptr);
        if (!park.window)
            ThrowIfFailed(HRESULT_FROM_WIN32(GetLastError()));
    }
    ++park.leases;
}

ParkLease::~ParkLease() {
    if (--park.leases == 0) {
        DestroyWindow(park.window);
        park.window = nullptr;
    }
}

HWND ParkLease::Window() const {
    return park.window;
}

} // namespace zarn
