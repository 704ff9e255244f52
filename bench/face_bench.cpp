// How long the control takes to draw its face, against the cheapest
// drawing of the same size: one FillRect and one DrawTextA of the shown
// text on the same surface. Prints one line per state and size.
#include "QuietHost.h"
#include "control/Zarn.h"
#include "platform/win/WindowClass.h"

#include <cstdio>
#include <functional>

namespace {

using zarn::tools::MicrosecondsPerCall;
using zarn::tools::QuietHost;

constexpr int kCalls = 2000;

double Baseline(HWND surface, SIZE size, const char* text) {
    const HDC dc = GetDC(surface);
    const RECT r{0, 0, size.cx, size.cy};
    const double us = MicrosecondsPerCall([&] {
        FillRect(dc, &r, GetSysColorBrush(COLOR_WINDOW));
        RECT t = r;
        DrawTextA(dc, text, -1, &t, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    }, kCalls);
    ReleaseDC(surface, dc);
    return us;
}

void Measure(Zarn& control, HWND frame, SIZE size) {
    control.UserControl().PlaceIn(frame, RECT{10, 10, 10 + size.cx, 10 + size.cy});
    const double base = Baseline(control.UserControl().Handle(), size, "05 Dec 2026");
    std::printf("%ld x %ld: baseline FillRect + DrawTextA %.1f us\n", size.cx, size.cy, base);
    const auto report = [&](const char* what, const std::function<void()>& draw) {
        const double us = MicrosecondsPerCall(draw, kCalls);
        std::printf("  %-22s %8.1f us/call  %5.1f x baseline\n", what, us, us / base);
    };
    report("DrawControl(0) normal", [&] { control.DrawControl(0); });
    report("DrawControl(1) hot", [&] { control.DrawControl(1); });
    report("DrawControl(2) pressed", [&] { control.DrawControl(2); });
    report("RefreshControl", [&] { control.RefreshControl(); });
}

} // namespace

int main() {
    OleInitialize(nullptr);
    {
        QuietHost host;
        Zarn control(host);
        control.InitProperties();
        const HWND frame = CreateWindowExW(0, L"STATIC", L"face bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                                           0, 700, 140, nullptr, nullptr, zarn::ThisModule(), nullptr);
        std::printf("Face drawing, %d calls each, the icon shown\n", kCalls);
        Measure(control, frame, SIZE{120, 21});
        Measure(control, frame, SIZE{600, 60});
        control.ShowIcon(false);
        std::printf("With the Marlett arrow instead of the icon\n");
        Measure(control, frame, SIZE{120, 21});
        control.UserControl().Park();
        DestroyWindow(frame);
    }
    OleUninitialize();
    return 0;
}
