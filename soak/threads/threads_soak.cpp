// Threads: four apartment threads, each with two controls of its own, set
// the value and the range on one control and read them on the other, 10,000
// times, each in a band of years no other thread uses: a thread sees only
// its own settings. Each thread also calls, through a marshalled proxy, a
// control of the main thread's apartment, which meanwhile keeps settings
// of its own.
//
// The threads take turns for each round on their own controls: under Wine,
// EDIT controls of several threads whose texts change at the same moment
// crash inside the system's text code, also in a program without this
// control (a window, an edit box and SetWindowTextW per thread suffice).
#include "Soak.h"
#include "com/ContainerFakes.h"

#include <vector>

using namespace zarn::test;
using zarn::soak::Figure;

namespace {

constexpr int kThreads = 4;
constexpr int kRounds = 10000;
// Every tenth round also calls the main thread's control.
constexpr int kProxyEvery = 10;
constexpr long kMainMinDate = 19800101;

SRWLOCK turns = SRWLOCK_INIT;
struct Turn {
    Turn() { AcquireSRWLockExclusive(&turns); }
    ~Turn() { ReleaseSRWLockExclusive(&turns); }
};

struct Worker {
    int index = 0;
    IStream* marshalled = nullptr; // the main thread's control, for this thread
    zarn::soak::Watchdog* dog = nullptr;
    long rounds = 0;
    long wrongSettings = 0;
    long proxyCalls = 0;
    long proxyFailures = 0;
};

// The year band of thread `index`: no two threads share a year.
struct Settings {
    long min, max, value;
};
Settings Choose(zarn::soak::Rng& rng, int index) {
    const long year = 1910 + index * 40 + static_cast<long>(rng.Below(10));
    const long month = 1 + static_cast<long>(rng.Below(12)), day = 1 + static_cast<long>(rng.Below(28));
    return {year * 10000 + 101, (year + 20) * 10000 + 1231, (year + 10) * 10000 + month * 100 + day};
}

bool SetAndSee(IDispatch* one, IDispatch* other, const Settings& s) {
    const bool set = PropPut(one, id::MinDate, s.min).hr == S_OK &&
                     PropPut(one, id::MaxDate, s.max).hr == S_OK &&
                     PropPut(one, id::PValue, s.value).hr == S_OK;
    return set && ReadLong(other, id::MinDate) == s.min && ReadLong(other, id::MaxDate) == s.max &&
           ReadLong(other, id::PValue) == s.value;
}

// A colour of the main thread's control, set and read back through the
// proxy, and the main thread's range, untouched by this thread's.
bool CallThroughProxy(IDispatch* proxy, zarn::soak::Rng& rng) {
    const long colour = static_cast<long>(rng.Below(0x1000000));
    return PropPut(proxy, id::BgColor, colour).hr == S_OK && ReadLong(proxy, id::BgColor) == colour &&
           ReadLong(proxy, id::MinDate) == kMainMinDate;
}

DWORD WINAPI Work(void* param) {
    ComApartment apartment;
    Worker& w = *static_cast<Worker*>(param);
    zarn::soak::Rng rng(zarn::soak::kSeed + static_cast<std::uint64_t>(w.index));
    ComPtr<IDispatch> proxy;
    if (FAILED(CoGetInterfaceAndReleaseStream(w.marshalled, IID_PPV_ARGS(&proxy))))
        ++w.proxyFailures;
    ComPtr<IDispatch> one, other;
    {
        const Turn turn;
        one = NewControl(), other = NewControl();
    }
    for (int i = 0; i < kRounds; ++i, ++w.rounds) {
        {
            const Turn turn;
            if (!SetAndSee(one.Get(), other.Get(), Choose(rng, w.index)))
                ++w.wrongSettings;
        }
        if (proxy && i % kProxyEvery == 0) {
            ++w.proxyCalls;
            if (!CallThroughProxy(proxy.Get(), rng))
                ++w.proxyFailures;
        }
        w.dog->Beat("round");
    }
    const Turn turn;
    one.Reset(), other.Reset();
    return 0;
}

// Serves the workers' calls to this apartment until every worker has ended.
void ServeUntilDone(std::vector<HANDLE> threads) {
    while (!threads.empty()) {
        const DWORD r = MsgWaitForMultipleObjects(static_cast<DWORD>(threads.size()), threads.data(), FALSE,
                                                  INFINITE, QS_ALLINPUT);
        if (r < WAIT_OBJECT_0 + threads.size()) {
            CloseHandle(threads[r - WAIT_OBJECT_0]);
            threads.erase(threads.begin() + (r - WAIT_OBJECT_0));
        } else {
            PumpMessages();
        }
    }
}

} // namespace

int main() {
    zarn::soak::CatchCrashes("threads");
    ComApartment apartment;
    MessageBoxCloser boxes;
    std::printf("threads soak: seed %llu, %d apartment threads, %d rounds each\n",
                static_cast<unsigned long long>(zarn::soak::kSeed), kThreads, kRounds);
    zarn::soak::Watchdog dog("threads", 60);
    const auto before = zarn::soak::Figures::Take();
    zarn::soak::Print("before", before);
    Worker workers[kThreads];
    bool mainKept = false;
    {
        std::vector<ComPtr<IDispatch>> mine;
        std::vector<HANDLE> threads;
        for (int i = 0; i < kThreads; ++i) {
            mine.push_back(NewControl()); // past its first use, which resets the record
            CoMarshalInterThreadInterfaceInStream(IID_IDispatch, mine.back().Get(), &workers[i].marshalled);
        }
        PropPut(mine[0].Get(), id::MinDate, kMainMinDate);
        for (int i = 0; i < kThreads; ++i) {
            workers[i].index = i;
            workers[i].dog = &dog;
            threads.push_back(CreateThread(nullptr, 0, Work, &workers[i], 0, nullptr));
        }
        ServeUntilDone(threads);
        mainKept = ReadLong(mine[0].Get(), id::MinDate) == kMainMinDate;
    }
    PumpMessages();
    const auto after = zarn::soak::Figures::Take();
    zarn::soak::Print("after", after);
    long wrong = 0, failures = 0, calls = 0, rounds = 0;
    for (const Worker& w : workers)
        wrong += w.wrongSettings, failures += w.proxyFailures, calls += w.proxyCalls, rounds += w.rounds;
    Figure("rounds", rounds);
    Figure("settings not as the thread set them", wrong);
    Figure("calls through proxies", calls);
    Figure("failed calls through proxies", failures);
    Figure("main thread's range kept", mainKept ? 1 : 0);
    Figure("message boxes closed", static_cast<long long>(boxes.texts.size()));
    Figure("crashes", 0);
    const bool passed = rounds == kThreads * kRounds && wrong == 0 && failures == 0 && calls > 0 &&
                        mainKept && Ocx::Get().CanUnloadNow() == S_OK;
    std::printf("threads: %s\n", passed ? "passed" : "FAILED");
    return passed ? 0 : 1;
}
