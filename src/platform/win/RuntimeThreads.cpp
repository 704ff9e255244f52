// The C++ run time's thread primitives in the win32 thread model (once, TLS
// keys, mutexes), in place of libgcc's. Its mutexes create their semaphore
// as they are set up, and the run time sets one up for its emergency
// exception memory at load and never destroys it: one handle lost per load
// of the DLL. These create the semaphore only when a second thread has to
// wait, which the run time's own mutexes practically never do.
#include <windows.h>

extern "C" {

struct Once {
    int done;
    long started;
};
struct Mutex {
    long counter; // -1 free, 0 held, n held with n waiting
    void* sema;
};
struct RecursiveMutex {
    long counter;
    long depth;
    unsigned long owner;
    void* sema;
};

int __mingwthr_key_dtor(DWORD key, void (*dtor)(void*));

} // extern "C"

namespace {

HANDLE Semaphore(void*& slot) {
    if (void* existing = __atomic_load_n(&slot, __ATOMIC_ACQUIRE))
        return existing;
    HANDLE made = CreateSemaphoreW(nullptr, 0, 65535, nullptr);
    if (void* earlier = InterlockedCompareExchangePointer(&slot, made, nullptr)) {
        CloseHandle(made);
        return earlier;
    }
    return made;
}

int Wait(void*& slot) {
    return WaitForSingleObject(Semaphore(slot), INFINITE) == WAIT_OBJECT_0 ? 0 : 1;
}

int Wake(void*& slot) {
    return ReleaseSemaphore(Semaphore(slot), 1, nullptr) ? 0 : 1;
}

void Close(void*& slot) {
    if (slot)
        CloseHandle(slot);
    slot = nullptr;
}

} // namespace

extern "C" {

int __gthr_win32_once(Once* once, void (*func)()) {
    if (!once || !func)
        return ERROR_INVALID_PARAMETER;
    if (!once->done) {
        if (InterlockedIncrement(&once->started) == 0) {
            func();
            once->done = TRUE;
        } else {
            while (!once->done)
                Sleep(0);
        }
    }
    return 0;
}

int __gthr_win32_key_create(DWORD* key, void (*dtor)(void*)) {
    const DWORD index = TlsAlloc();
    if (index == TLS_OUT_OF_INDEXES)
        return static_cast<int>(GetLastError());
    *key = index;
    if (dtor)
        __mingwthr_key_dtor(index, dtor);
    return 0;
}

int __gthr_win32_key_delete(DWORD key) {
    return TlsFree(key) ? 0 : static_cast<int>(GetLastError());
}

void* __gthr_win32_getspecific(DWORD key) {
    const DWORD error = GetLastError();
    void* value = TlsGetValue(key);
    SetLastError(error);
    return value;
}

int __gthr_win32_setspecific(DWORD key, const void* value) {
    return TlsSetValue(key, const_cast<void*>(value)) ? 0 : static_cast<int>(GetLastError());
}

void __gthr_win32_mutex_init_function(Mutex* mutex) {
    mutex->counter = -1;
    mutex->sema = nullptr;
}

void __gthr_win32_mutex_destroy(Mutex* mutex) {
    Close(mutex->sema);
}

int __gthr_win32_mutex_lock(Mutex* mutex) {
    if (InterlockedIncrement(&mutex->counter) == 0 || Wait(mutex->sema) == 0)
        return 0;
    InterlockedDecrement(&mutex->counter);
    return 1;
}

int __gthr_win32_mutex_trylock(Mutex* mutex) {
    return InterlockedCompareExchange(&mutex->counter, 0, -1) < 0 ? 0 : 1;
}

int __gthr_win32_mutex_unlock(Mutex* mutex) {
    return InterlockedDecrement(&mutex->counter) >= 0 ? Wake(mutex->sema) : 0;
}

void __gthr_win32_recursive_mutex_init_function(RecursiveMutex* mutex) {
    mutex->counter = -1;
    mutex->depth = 0;
    mutex->owner = 0;
    mutex->sema = nullptr;
}

void __gthr_win32_recursive_mutex_destroy(RecursiveMutex* mutex) {
    Close(mutex->sema);
}

int __gthr_win32_recursive_mutex_lock(RecursiveMutex* mutex) {
    const DWORD me = GetCurrentThreadId();
    if (InterlockedIncrement(&mutex->counter) == 0) {
        mutex->depth = 1;
        mutex->owner = me;
    } else if (mutex->owner == me) {
        InterlockedDecrement(&mutex->counter);
        ++mutex->depth;
    } else if (Wait(mutex->sema) == 0) {
        mutex->depth = 1;
        mutex->owner = me;
    } else {
        InterlockedDecrement(&mutex->counter);
        return 1;
    }
    return 0;
}

int __gthr_win32_recursive_mutex_trylock(RecursiveMutex* mutex) {
    const DWORD me = GetCurrentThreadId();
    if (InterlockedCompareExchange(&mutex->counter, 0, -1) < 0) {
        mutex->depth = 1;
        mutex->owner = me;
    } else if (mutex->owner == me) {
        ++mutex->depth;
    } else {
        return 1;
    }
    return 0;
}

int __gthr_win32_recursive_mutex_unlock(RecursiveMutex* mutex) {
    if (--mutex->depth == 0) {
        mutex->owner = 0;
        if (InterlockedDecrement(&mutex->counter) >= 0)
            return Wake(mutex->sema);
    }
    return 0;
}

} // extern "C"
