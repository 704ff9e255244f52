#pragma once
// Child windows need a parent before a container gives them one. Each
// thread keeps one hidden top-level window where the control surfaces wait;
// it lives while at least one control of the thread holds a ParkLease.
#include <windows.h>

namespace zarn {

class ParkLease {
public:
    ParkLease();
    ~ParkLease();
    ParkLease(const ParkLease&) = delete;
    ParkLease& operator=(const ParkLease&) = delete;

    HWND Window() const;
};

} // namespace zarn
