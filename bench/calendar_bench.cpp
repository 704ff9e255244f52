// How long the calendar takes to paint its month, against (a) the floor:
// one FillRect and one DrawTextA per text the month shows (title, seven
// headers, 42 days, six week numbers) on the same back image, and (b) the
// platform's month calendar (SysMonthCal32 with week numbers) painting one
// month through WM_PRINTCLIENT at a comparable size. Prints the figures
// and the ratios.
#include "QuietHost.h"
#include "calendar/frmCalendar.h"
#include "control/Zarn.h"
#include "platform/win/WindowClass.h"
#include "settings/SharedSettings.h"

#include <commctrl.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>

namespace {

using zarn::tools::MicrosecondsPerCall;
using zarn::tools::QuietHost;

constexpr int kCalls = 500;

// One FillRect and one DrawTextA for each of the 56 texts, in one font.
double Floor(const frmCalendar& form) {
    const HDC dc = form.hDC();
    LOGFONTW lf{};
    lf.lfHeight = -13;
    lstrcpyW(lf.lfFaceName, L"Arial");
    const HFONT font = CreateFontIndirectW(&lf);
    const HGDIOBJ old = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    const HBRUSH white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    const auto& r = form.CellRects;
    const double us = MicrosecondsPerCall([&] {
        const auto text = [&](int index, const char* s) {
            RECT cell = r[index];
            FillRect(dc, &cell, white);
            DrawTextA(dc, s, -1, &cell, DT_SINGLELINE);
        };
        text(52, "December 2026");
        for (int i = 3; i <= 9; ++i)
            text(i, "Mon");
        for (int i = 10; i <= 51; ++i)
            text(i, "28");
        for (int i = 53; i <= 58; ++i)
            text(i, "49 ");
    }, kCalls);
    SelectObject(dc, old);
    DeleteObject(font);
    return us;
}

// The platform's month calendar, with week numbers, painting into a
// memory surface of its own size.
double PlatformMonthCalendar(SIZE& size) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_DATE_CLASSES};
    InitCommonControlsEx(&icc);
    const HWND cal = CreateWindowExW(0, MONTHCAL_CLASSW, L"", WS_POPUP | WS_VISIBLE | MCS_WEEKNUMBERS, 0, 0, 300,
                                     300, nullptr, nullptr, nullptr, nullptr);
    RECT need{};
    SendMessageW(cal, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&need));
    size = {need.right - need.left, need.bottom - need.top};
    SetWindowPos(cal, nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOMOVE);
    const HDC screen = GetDC(cal);
    const HDC dc = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, size.cx, size.cy);
    const HGDIOBJ old = SelectObject(dc, bitmap);
    const double us = MicrosecondsPerCall(
        [&] { SendMessageW(cal, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND); }, kCalls);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(cal, screen);
    DestroyWindow(cal);
    return us;
}

void Measure(long cellSize, double platformUs, SIZE platformSize) {
    SharedSettings& s = SharedSettings::ForThread();
    s.CalendarGridWidth = s.CalendarGridHeight = s.WeekColumnWidth = cellSize;
    frmCalendar form;
    form.Form_Load();
    const double floor = Floor(form);
    const double full = MicrosecondsPerCall([&] { form.DrawCalendar(); }, kCalls);
    short hot = 1;
    const double hotRepaint = MicrosecondsPerCall([&] {
        form.SetHotDay(hot = static_cast<short>(hot % 28 + 1));
        form.DrawCalendar();
    }, kCalls);
    std::printf("%ld x %ld cells, form %.0f x %.0f:\n", cellSize, cellSize, form.ScaleWidth(), form.ScaleHeight());
    std::printf("  floor: 56 x (FillRect + DrawTextA)   %8.1f us\n", floor);
    std::printf("  DrawCalendar, full month             %8.1f us  %5.2f x floor  %6.1f x faster than SysMonthCal32\n",
                full, full / floor, platformUs / full);
    std::printf("  DrawCalendar after a hot-day change  %8.1f us  %5.2f x floor  %6.1f x faster than SysMonthCal32\n",
                hotRepaint, hotRepaint / floor, platformUs / hotRepaint);
    std::printf("  (SysMonthCal32 %ld x %ld, weeks, WM_PRINTCLIENT %.1f us)\n", platformSize.cx, platformSize.cy,
                platformUs);
}

} // namespace

int main() {
    OleInitialize(nullptr);
    {
        QuietHost host;
        Zarn control(host);
        control.InitProperties();
        control.PValue(zarn::Variant::FromText(L"20261205"));
        SharedSettings::ForThread().ShowWeekSignPicture = true;
        SIZE platformSize{};
        const double platformUs = PlatformMonthCalendar(platformSize);
        std::printf("Calendar painting, %d calls each\n", kCalls);
        Measure(30, platformUs, platformSize);
        Measure(60, platformUs, platformSize);
    }
    OleUninitialize();
    return 0;
}
