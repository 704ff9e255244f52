// How quickly the drop-down answers the user, each against the least the
// platform does for the same sight, measured in the same run:
// - opening: from the button's release to the end of the calendar's first
//   paint on screen, against creating, showing and painting an empty popup
//   of the same size at the same place;
// - hot tracking: from a mouse move onto another day to the end of the
//   repaint on screen, against the platform's month calendar moving its
//   selected day and repainting.
// Medians; every open is closed again by Escape, which under Wine without a
// window manager waits about 2 s for the shown window to be withdrawn
// (outside the time measured).
#include "QuietHost.h"
#include "calendar/frmCalendar.h"
#include "control/Zarn.h"
#include "platform/win/Handles.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kOpens = 9;
constexpr short kHotMoves = 28; // onto the 1st, the 2nd, ... the 28th
constexpr wchar_t kCalendarClass[] = L"Zarn2Calendar";
constexpr wchar_t kEmptyClass[] = L"Zarn2BenchEmptyPopup";

double NowUs() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return 1e6 * static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

bool IsCalendar(HWND window) {
    wchar_t name[64] = L"";
    GetClassNameW(window, name, 64);
    return lstrcmpW(name, kCalendarClass) == 0;
}

// What one open measured, written by the window procedure and the timer inside the
// calendar's own message loop.
struct OpenRun {
    double releasedAt = 0, paintedAt = 0;
    std::vector<double> hotMoves;
} run;

POINT CentreOfDay(short day) {
    for (const DayCell& c : DayCells)
        if (c.Day == day)
            return {static_cast<LONG>(c.Left + c.Right) / 2, static_cast<LONG>(c.Top + c.Bottom) / 2};
    return {-1, -1};
}

// Inside the loop, once painted: the pointer onto each day in turn, each
// move timed to the end of its repaint; then Escape.
void CALLBACK TrackThenClose(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    const HWND form = FindWindowW(kCalendarClass, nullptr);
    if (!form)
        return;
    for (short day = 1; day <= kHotMoves; ++day) {
        const POINT p = CentreOfDay(day);
        const double start = NowUs();
        SendMessageW(form, WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
        UpdateWindow(form);
        GdiFlush();
        run.hotMoves.push_back(NowUs() - start);
    }
    PostMessageW(form, WM_KEYDOWN, VK_ESCAPE, 0);
}

// The calendar's own window procedure, and ours around it: the end of its
// first paint is the moment the user sees it.
WNDPROC calendarProc = nullptr;

LRESULT CALLBACK TimedCalendarProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    const LRESULT result = CallWindowProcW(calendarProc, window, message, wparam, lparam);
    if (message == WM_PAINT && run.paintedAt == 0) {
        GdiFlush();
        run.paintedAt = NowUs();
        SetTimer(nullptr, 0, 0, TrackThenClose);
    }
    return result;
}

LRESULT CALLBACK OnWindowCreated(int code, WPARAM wparam, LPARAM lparam) {
    const HWND window = reinterpret_cast<HWND>(wparam);
    if (code == HCBT_CREATEWND && IsCalendar(window))
        calendarProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TimedCalendarProc)));
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

// Should the calendar never paint, it is closed all the same.
void CALLBACK GiveUp(HWND, UINT, UINT_PTR, DWORD) {
    if (const HWND form = FindWindowW(kCalendarClass, nullptr))
        PostMessageW(form, WM_KEYDOWN, VK_ESCAPE, 0);
}

// One press and release of the control's button; returns once the
// calendar has closed again.
void OpenByTheButton(HWND surface) {
    const POINT button{110, 10};
    POINT screen = button;
    ClientToScreen(surface, &screen);
    SetCursorPos(screen.x, screen.y);
    SendMessageW(surface, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(button.x, button.y));
    run = {};
    run.releasedAt = NowUs();
    const UINT_PTR watchdog = SetTimer(nullptr, 0, 5000, GiveUp);
    SendMessageW(surface, WM_LBUTTONUP, 0, MAKELPARAM(button.x, button.y));
    KillTimer(nullptr, watchdog);
}

// An empty popup of the calendar's size and place: created, shown and
// painted (its background erased), the least a drop-down can cost.
double EmptyPopupShown(RECT place) {
    const double start = NowUs();
    const HWND popup = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kEmptyClass, L"", WS_POPUP,
                                       place.left, place.top, place.right - place.left,
                                       place.bottom - place.top, nullptr, nullptr, nullptr, nullptr);
    ShowWindow(popup, SW_SHOW);
    UpdateWindow(popup);
    GdiFlush();
    const double us = NowUs() - start;
    DestroyWindow(popup);
    return us;
}

// The platform's month calendar, shown at the same size, moving its
// selection from day to day with each repaint.
double PlatformDayMoves(RECT place) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_DATE_CLASSES};
    InitCommonControlsEx(&icc);
    const HWND cal = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, MONTHCAL_CLASSW, L"",
                                     WS_POPUP | WS_VISIBLE | MCS_WEEKNUMBERS, place.left, place.top,
                                     place.right - place.left, place.bottom - place.top, nullptr, nullptr,
                                     nullptr, nullptr);
    UpdateWindow(cal);
    std::vector<double> moves;
    for (int round = 0; round < kOpens; ++round)
        for (WORD day = 1; day <= kHotMoves; ++day) {
            SYSTEMTIME t{};
            t.wYear = 2026, t.wMonth = 12, t.wDay = day;
            const double start = NowUs();
            SendMessageW(cal, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&t));
            UpdateWindow(cal);
            GdiFlush();
            moves.push_back(NowUs() - start);
        }
    DestroyWindow(cal);
    return Median(moves);
}

void Report(const char* what, double ours, const char* peerName, double peer) {
    std::printf("  %-34s %9.1f us   %-44s %9.1f us   %5.2f x\n", what, ours, peerName, peer, ours / peer);
}

} // namespace

int main() {
    OleInitialize(nullptr);
    {
        WNDCLASSW empty{};
        empty.lpfnWndProc = DefWindowProcW;
        empty.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        empty.lpszClassName = kEmptyClass;
        RegisterClassW(&empty);

        zarn::tools::QuietHost host;
        Zarn control(host);
        control.InitProperties();
        control.PValue(zarn::Variant::FromText(L"20261205"));
        const zarn::UniqueHwnd parent(CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 100, 100, 300,
                                                      100, nullptr, nullptr, nullptr, nullptr));
        control.UserControl().PlaceIn(parent.get(), {10, 10, 130, 31});

        const HHOOK hook = SetWindowsHookExW(WH_CBT, OnWindowCreated, nullptr, GetCurrentThreadId());
        std::vector<double> opens, hot;
        for (int i = 0; i < kOpens; ++i) {
            OpenByTheButton(control.UserControl().Handle());
            if (run.paintedAt > 0)
                opens.push_back(run.paintedAt - run.releasedAt);
            hot.insert(hot.end(), run.hotMoves.begin(), run.hotMoves.end());
        }
        UnhookWindowsHookEx(hook);

        RECT place{0, 0, 254, 240};
        MapWindowPoints(parent.get(), nullptr, reinterpret_cast<POINT*>(&place), 2);
        OffsetRect(&place, 10, 31); // at the control's bottom-left, where the calendar went
        std::vector<double> empties;
        for (int i = 0; i < kOpens; ++i)
            empties.push_back(EmptyPopupShown(place));
        const double platformMove = PlatformDayMoves(place);

        std::printf("The drop-down, medians of %d opens (%zu painted) and %zu hot moves\n", kOpens,
                    opens.size(), hot.size());
        Report("open: button release to painted", Median(opens), "empty popup created, shown, painted",
               Median(empties));
        Report("hot tracking: move to repainted", Median(hot), "SysMonthCal32 selection moved, repainted",
               platformMove);

        control.UserControl().Park();
        UnregisterClassW(kEmptyClass, nullptr);
    }
    OleUninitialize();
    return 0;
}
