#pragma once
// A slim reader/writer lock used exclusively: no handle, no initialisation
// to run, nothing to free when the module unloads.
#include <windows.h>

namespace zarn {

class Lock {
public:
    Lock() = default;
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

    class Held {
    public:
        explicit Held(Lock& lock) : lock_(lock) { AcquireSRWLockExclusive(&lock_.srw_); }
        ~Held() { ReleaseSRWLockExclusive(&lock_.srw_); }
        Held(const Held&) = delete;
        Held& operator=(const Held&) = delete;

    private:
        Lock& lock_;
    };

private:
    SRWLOCK srw_ = SRWLOCK_INIT;
};

} // namespace zarn
