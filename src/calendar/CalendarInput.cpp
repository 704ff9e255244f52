// The calendar form's input: hot tracking, the month buttons, picking a day
// with the mouse, the keys, and the ways the form closes.
#include "calendar/FormTrap.h"
#include "calendar/MonthDates.h"
#include "calendar/frmCalendar.h"
#include "date/FnsDate.h"
#include "settings/SharedSettings.h"

#include <algorithm>

using namespace frmCalendarLayout;
using frmCalendarTrap::Trapped;

namespace {

constexpr short kNoButton = -1;

// The first day cell of the displayed month holding the point: left and
// top edges inside, right and bottom outside. 0 when none does.
short DayAt(float x, float y) {
    for (const DayCell& cell : DayCells)
        if (cell.Day != 0 && x >= cell.Left && x < cell.Right && y >= cell.Top && y < cell.Bottom)
            return cell.Day;
    return 0;
}

bool InsideAllEdges(const RECT& r, float x, float y) {
    return x >= r.left && x <= r.right && y >= r.top && y <= r.bottom;
}

// The same day one month back (-1) or on (+1), or the last day of that
// month when it is shorter.
DATE MonthFrom(DATE date, int step) {
    const SYSTEMTIME st = frmCalendarDates::PartsOf(date);
    const int month = st.wMonth + step;
    const int year = st.wYear + (month < 1 ? -1 : month > 12 ? 1 : 0);
    const int target = (month + 11) % 12 + 1;
    return frmCalendarDates::DateOf(year, target, std::min<int>(st.wDay, FnsDate::DaysInMonth(year, target)));
}

std::wstring TwoDigits(int n) {
    return (n < 10 ? L"0" : L"") + std::to_wstring(n);
}

} // namespace

// ---------------------------------------------------------------------------
// Mouse

void frmCalendar::Form_MouseMove(short, short, float x, float y) {
    Trapped(
        [&] {
            // Pending messages run first; one of them may have closed the form.
            if (!IsActiveWindow() || !window_)
                return;
            for (short button : {kPrevButton, kNextButton}) {
                if (IsMouseInRect(button)) {
                    pressedButton_ = button;
                    DrawBtnEdge(button, 1);
                    break;
                }
                pressedButton_ = kNoButton;
                DrawBtnEdge(button, 0);
            }
            Refresh();
            TrackHotDay(x, y);
            Recapture();
        },
        L" MouseMove ");
}

// The hot mark follows the mouse over the days of the month and goes when
// the mouse leaves them, one repaint per change.
void frmCalendar::TrackHotDay(float x, float y) {
    const SharedSettings& s = SharedSettings::ForThread();
    if (!(s.HotTracking || s.HoverSelection) || pressedButton_ != kNoButton)
        return;
    const short day = DayAt(x, y);
    if (day != 0) {
        hotDay_ = day;
        hoverState_ = 1;
        if (s.HoverSelection)
            hoverDay_ = day;
        if (s.HotTracking && lastHotDay_ != hotDay_) {
            lastHotDay_ = hotDay_;
            DrawCalendar();
        }
    } else if (hoverState_ == 1 && s.HotTracking) {
        hoverState_ = 2;
        hoverDay_ = lastHotDay_ = hotDay_ = 0;
        DrawCalendar();
    }
}

void frmCalendar::Recapture() {
    if (window_ && GetCapture() != hWnd())
        SetCapture(hWnd());
}

// A left press inside the month button under the mouse sinks it and gives
// it the focus rectangle; a failing drawing step is skipped.
void frmCalendar::Form_MouseDown(short button, short, float x, float y) {
    Trapped(
        [&] {
            if (button != 1 || (pressedButton_ != kPrevButton && pressedButton_ != kNextButton))
                return;
            const short pressed = pressedButton_;
            pressedInside_[pressed] = InsideAllEdges(CellRects[pressed], x, y);
            if (!pressedInside_[pressed])
                return;
            zarn::SkipOnError([&] { DrawBtnFocus(); });
            zarn::SkipOnError([&] { DrawBtn(); });
            zarn::SkipOnError([&] { DrawBtnEdge(pressed, 2); });
            Refresh();
            prevFocusButton_ = pressed;
        },
        L" MouseDown ");
}

void frmCalendar::Form_MouseUp(short button, short, float x, float y) {
    Trapped(
        [&] {
            const bool inside = x >= 0 && x <= backSize_.cx && y >= 0 && y <= backSize_.cy;
            const SYSTEMTIME shown = frmCalendarDates::PartsOf(CurrDate);
            const int daysInMonth = FnsDate::DaysInMonth(shown.wYear, shown.wMonth);
            if (button == 1) {
                StepMonth();
                const short day = DayAt(x, y);
                if (day >= 1 && day <= daysInMonth) {
                    dayHit_ = true;
                    IsSelected = true;
                    const SYSTEMTIME now = frmCalendarDates::PartsOf(CurrDate);
                    const long year = std::stol(frmCalendarDates::Format(CurrDate, L"yyyy")) - yearShift_;
                    std::wstring text = std::to_wstring(year) + TwoDigits(now.wMonth) + TwoDigits(day);
                    DATE none = 0;
                    SetNewDate(text, none);
                }
            }
            if (!inside) {
                Escape();
            } else if (dayHit_) {
                dayHit_ = false;
                if (pressedButton_ < 1) {
                    IsSelected = true;
                    Unload();
                }
            } else {
                Recapture();
            }
        },
        L" MouseUp ");
}

bool frmCalendar::IsMouseInRect(const short& index) {
    POINT cursor;
    GetCursorPos(&cursor);
    ScreenToClient(hWnd(), &cursor);
    return InsideAllEdges(CellRects.at(static_cast<size_t>(index)), static_cast<float>(cursor.x),
                          static_cast<float>(cursor.y));
}

// ---------------------------------------------------------------------------
// Moving the date

void frmCalendar::SetNewDate(std::wstring& text, DATE& date) {
    Trapped(
        [&] {
            if (keyMove_) {
                CurrDate = date;
                DrawCalendar();
                return;
            }
            CurrDate = FnsDate::RetDateTypeFromLong(zarn::ToLong(zarn::Variant::FromText(text).Get()));
            DrawCalendar();
            tmpDropFrmDate = zarn::Variant::FromText(text);
            DropFrmDate = zarn::Variant::FromText(text);
        },
        L" SetNewDate ");
}

void frmCalendar::StepMonth() {
    if (pressedButton_ != kPrevButton && pressedButton_ != kNextButton)
        return;
    std::wstring text =
        frmCalendarDates::Format(MonthFrom(CurrDate, pressedButton_ == kPrevButton ? -1 : 1), L"yyyyMMdd");
    DATE none = 0;
    SetNewDate(text, none);
}

// ---------------------------------------------------------------------------
// Keys

void frmCalendar::Form_KeyDown(short& keyCode, short) {
    Trapped(
        [&] {
            hotDay_ = 0;
            if (keyCode == VK_ESCAPE)
                Escape();
            else
                MoveByKey(keyCode);
        },
        L" KeyDown ");
}

void frmCalendar::MoveByKey(short keyCode) {
    const SYSTEMTIME d = frmCalendarDates::PartsOf(CurrDate);
    DATE next = CurrDate;
    switch (keyCode) {
    case VK_TAB:
    case VK_RIGHT:
        next = CurrDate + 1;
        break;
    case VK_LEFT:
        next = CurrDate - 1;
        break;
    case VK_UP:
        next = CurrDate - 7;
        break;
    case VK_DOWN:
        next = CurrDate + 7;
        break;
    case VK_PRIOR: // the same day a month back, or that month's last
    case VK_NEXT:
        next = MonthFrom(CurrDate, keyCode == VK_PRIOR ? -1 : 1);
        break;
    case VK_HOME:
        next = frmCalendarDates::DateOf(d.wYear, d.wMonth, 1);
        break;
    case VK_END:
        next = frmCalendarDates::DateOf(d.wYear, d.wMonth, FnsDate::DaysInMonth(d.wYear, d.wMonth));
        break;
    default:
        return;
    }
    keyMove_ = true;
    std::wstring none;
    SetNewDate(none, next);
    keyMove_ = false;
}

void frmCalendar::Form_KeyUp(short& keyCode, short) {
    if (keyCode == VK_RETURN) {
        IsSelected = true;
        DropFrmDate = tmpDropFrmDate;
        Unload();
    } else if (keyCode == VK_ESCAPE) {
        ReleaseCapture();
        Unload();
    }
}

// Closing without a pick: IsSelected and DropFrmDate keep what they hold.
void frmCalendar::Escape() {
    ReleaseCapture();
    keyMove_ = false;
    Unload();
}
