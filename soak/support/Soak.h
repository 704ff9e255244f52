#pragma once
// What every soak suite shares: a repeatable random source, a watchdog that
// turns a hang into a failure, and the process figures a leak shows in.
// Under Wine GetGuiResources, PrivateUsage and GetProcessHandleCount read 0,
// so the figures are counted directly: committed private memory by walking
// the address space, handles by probing them, GDI objects in the process's
// GDI handle table, windows by enumerating them.
#include "com/ContainerFakes.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <vector>

namespace zarn::soak {

// Every suite starts its random source from this seed.
inline constexpr std::uint64_t kSeed = 20261206;

// xorshift64*: the same seed gives the same run on every machine.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(seed ? seed : 0x9E3779B97F4A7C15ull) {}
    std::uint64_t Next();
    // 0 <= result < bound (bound > 0).
    std::uint32_t Below(std::uint32_t bound) { return static_cast<std::uint32_t>(Next() % bound); }
    bool Percent(std::uint32_t chance) { return Below(100) < chance; }

private:
    std::uint64_t state_;
};

struct Figures {
    SIZE_T privateBytes = 0;
    int handles = 0;
    int gdiObjects = 0;
    int windows = 0;

    static Figures Take();
};

void Print(const char* label, const Figures& figures);

// The live GDI objects of the process, to tell afterwards which objects a
// run left behind: PrintNewGdiObjects lists those not in `before` by kind
// (a font with its face and height, a bitmap with its size).
std::vector<HGDIOBJ> GdiHandles();
void PrintNewGdiObjects(const std::vector<HGDIOBJ>& before);

// Aborts the process with a message when Beat() has not been called for
// `seconds`: a hang fails the suite instead of stalling it.
class Watchdog {
public:
    Watchdog(const char* suite, unsigned seconds);
    ~Watchdog();
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

    void Beat(const char* where = nullptr);

private:
    static DWORD WINAPI Watch(void* self);

    const char* suite_;
    unsigned seconds_;
    volatile LONG beats_ = 0;
    const char* volatile where_ = "start";
    HANDLE stop_;
    HANDLE watched_; // the thread that beats, whose stack a hang shows
    HANDLE thread_;
};

// Turns a crash into a line that names the suite and, when given, how far
// it had come (`progress`), and ends the process with code 2.
void CatchCrashes(const char* suite, const volatile long* progress = nullptr);

// A control placed on the form in `site`: created, given its client site
// (or, without `clientSite`, only the site DoVerb passes), initialised as
// new and activated by `verb`. Close() closes it and takes its site back.
Microsoft::WRL::ComPtr<IOleObject> Place(zarn::test::FakeContainer& site, HWND form, LONG verb,
                                         bool clientSite = true);
void Close(IOleObject* ole);

// Prints "name: value" lines in one format that the README quotes.
inline void Figure(const char* name, long long value) {
    std::printf("  %-32s %lld\n", name, value);
}

} // namespace zarn::soak
