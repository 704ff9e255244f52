#include "platform/win/ParkWindow.h"

#include "platform/RuntimeError.h"
#include "platform/win/WindowClass.h"

#include <memory>

namespace zarn {

namespace {

struct Park {
    HWND window = nullptr;
    int leases = 0;
};
thread_local Park park; // trivially destructible: safe in a DLL

// The message that carries a task posted from another thread (lparam).
constexpr UINT kRunTask = WM_APP;
using Task = std::function<void()>;

LRESULT CALLBACK ParkProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message != kRunTask)
        return DefWindowProcW(window, message, wparam, lparam);
    const std::unique_ptr<Task> task(reinterpret_cast<Task*>(lparam));
    (*task)();
    return 0;
}

} // namespace

ParkLease::ParkLease() : owner_(GetCurrentThreadId()) {
    if (park.leases == 0) {
        park.window = CreateWindowExW(WS_EX_TOOLWINDOW, RegisterOwnClass(kParkClass, ParkProc), L"", WS_POPUP,
                                      0, 0, 0, 0, nullptr, nullptr, ThisModule(), nullptr);
        if (!park.window)
            ThrowIfFailed(HRESULT_FROM_WIN32(GetLastError()));
    }
    ++park.leases;
    window_ = park.window;
}

// Another thread's count is out of reach; it ends only when that thread
// has gone (OnOwnerThread), and its windows with it.
ParkLease::~ParkLease() {
    if (GetCurrentThreadId() != owner_)
        return;
    if (--park.leases == 0) {
        DestroyWindow(park.window);
        park.window = nullptr;
    }
}

void ParkLease::OnOwnerThread(std::function<void()> task) const {
    if (GetCurrentThreadId() != owner_) {
        auto posted = std::make_unique<Task>(std::move(task));
        if (PostMessageW(window_, kRunTask, 0, reinterpret_cast<LPARAM>(posted.get()))) {
            posted.release();
            return;
        }
        task = std::move(*posted);
    }
    task();
}

} // namespace zarn
