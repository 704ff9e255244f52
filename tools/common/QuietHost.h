// What the benchmarks, the gallery and the soak suites share: a host that
// hears nothing, and a clock for a piece of drawing.
#pragma once

#include "control/ControlHost.h"

#include <algorithm>
#include <functional>

namespace zarn::tools {

// A host that hears nothing and runs the program.
class QuietHost : public ControlHost {
public:
    void PropertyChanged(std::wstring_view) override {}
    bool UserMode() override { return true; }
    bool RaiseEvent(DISPID, std::span<EventArg>) override { return true; }
    Microsoft::WRL::ComPtr<IUnknown> KeepAlive() override { return nullptr; }
    void FocusChanged(bool) override {}
    void ViewChanged() override {}
    Microsoft::WRL::ComPtr<IFont> AmbientFont() override { return nullptr; }
};

// Microseconds per call of `draw` over about `calls` calls, after a warm-up, with
// GDI's queue flushed so the time includes the drawing itself.
inline double MicrosecondsPerCall(const std::function<void()>& draw, int calls) {
    for (int i = 0; i < calls / 25 + 1; ++i)
        draw();
    GdiFlush();
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    // The best of five rounds: on a machine shared with other work a busy
    // moment spoils one round, not the figure.
    constexpr int kRounds = 5;
    const int perRound = calls / kRounds + 1;
    double best = 0;
    for (int round = 0; round < kRounds; ++round) {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        for (int i = 0; i < perRound; ++i)
            draw();
        GdiFlush();
        QueryPerformanceCounter(&end);
        const double us = 1e6 * static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart / perRound;
        best = round == 0 ? us : std::min(best, us);
    }
    return best;
}

} // namespace zarn::tools
