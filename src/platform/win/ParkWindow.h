#pragma once
// Child windows need a parent before a container gives them one. Each
// thread keeps one hidden top-level window where the control surfaces wait;
// it lives while at least one control of the thread holds a ParkLease.
// A lease belongs to the thread that took it: only that thread counts it,
// and work on its windows from another thread is posted to it.
#include <windows.h>

#include <functional>

namespace zarn {

class ParkLease {
public:
    ParkLease();
    ~ParkLease();
    ParkLease(const ParkLease&) = delete;
    ParkLease& operator=(const ParkLease&) = delete;

    HWND Window() const { return window_; }

    // Runs task on the thread that took the lease: at once on that thread
    // or when that thread has gone (its windows went with it), otherwise
    // posted to it and run when it next reads its messages.
    void OnOwnerThread(std::function<void()> task) const;

private:
    DWORD owner_;
    HWND window_;
};

} // namespace zarn
