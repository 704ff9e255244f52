// What the benchmarks, the gallery and the soak suites share: a host that
// hears nothing, and a clock for a piece of drawing.
#pragma once

#include "control/ControlHost.h"

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

// Microseconds per call of `draw` over `calls` calls, after a warm-up, with
// GDI's queue flushed so the time includes the drawing itself.
inline double MicrosecondsPerCall(const std::function<void()>& draw, int calls) {
    for (int i = 0; i < calls / 25 + 1; ++i)
        draw();
    GdiFlush();
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    for (int i = 0; i < calls; ++i)
        draw();
    GdiFlush();
    QueryPerformanceCounter(&end);
    return 1e6 * static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart / calls;
}

} // namespace zarn::tools
