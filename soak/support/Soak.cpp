#include "Soak.h"

#include <cstdlib>

namespace zarn::soak {

std::uint64_t Rng::Next() {
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    return state_ * 0x2545F4914F6CDD1Dull;
}

namespace {

SIZE_T PrivateBytes() {
    SIZE_T total = 0;
    MEMORY_BASIC_INFORMATION info;
    for (auto* at = static_cast<char*>(nullptr); VirtualQuery(at, &info, sizeof info) == sizeof info;
         at = static_cast<char*>(info.BaseAddress) + info.RegionSize) {
        if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE)
            total += info.RegionSize;
        if (info.RegionSize == 0)
            break;
    }
    return total;
}

int Handles() {
    int count = 0;
    DWORD flags;
    for (ULONG_PTR value = 4; value < 0x10000; value += 4)
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags))
            ++count;
    return count;
}

// The process's GDI handle table: the PEB points at it (x64 offset 0xF8);
// each entry is 24 bytes, and a live object has a non-zero type at byte 14.
int GdiObjects() {
#ifdef _WIN64
    auto* peb = reinterpret_cast<const BYTE*>(__readgsqword(0x60));
    auto* table = *reinterpret_cast<const BYTE* const*>(peb + 0xF8);
    if (!table)
        return -1;
    int count = 0;
    for (int i = 0; i < 0x10000; ++i)
        if (table[i * 24 + 14] != 0)
            ++count;
    return count;
#else
    return -1;
#endif
}

BOOL CALLBACK CountChild(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

BOOL CALLBACK CountTop(HWND window, LPARAM count) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId()) {
        ++*reinterpret_cast<int*>(count);
        EnumChildWindows(window, CountChild, count);
    }
    return TRUE;
}

int Windows() {
    int count = 0;
    EnumWindows(CountTop, reinterpret_cast<LPARAM>(&count));
    HWND message = nullptr; // message-only windows are not enumerated above
    while ((message = FindWindowExW(HWND_MESSAGE, message, nullptr, nullptr)) != nullptr)
        CountTop(message, reinterpret_cast<LPARAM>(&count));
    return count;
}

} // namespace

Figures Figures::Take() { return Figures{PrivateBytes(), Handles(), GdiObjects(), Windows()}; }

void Print(const char* label, const Figures& figures) {
    std::printf("  %-14s private memory %zu KB, handles %d, GDI objects %d, windows %d\n", label,
                figures.privateBytes / 1024, figures.handles, figures.gdiObjects, figures.windows);
    std::fflush(stdout);
}

Watchdog::Watchdog(const char* suite, unsigned seconds)
    : suite_(suite), seconds_(seconds), stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      thread_(CreateThread(nullptr, 0, Watch, this, 0, nullptr)) {}

Watchdog::~Watchdog() {
    SetEvent(stop_);
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
    CloseHandle(stop_);
}

void Watchdog::Beat(const char* where) {
    if (where)
        where_ = where;
    InterlockedIncrement(&beats_);
}

DWORD WINAPI Watchdog::Watch(void* self) {
    auto& dog = *static_cast<Watchdog*>(self);
    LONG seen = -1;
    for (;;) {
        if (WaitForSingleObject(dog.stop_, dog.seconds_ * 1000) == WAIT_OBJECT_0)
            return 0;
        const LONG now = dog.beats_;
        if (now == seen) {
            std::printf("%s: HANG: no progress for %u s (last at %s)\n", dog.suite_, dog.seconds_, dog.where_);
            std::fflush(stdout);
            TerminateProcess(GetCurrentProcess(), 3);
        }
        seen = now;
    }
}

} // namespace zarn::soak
