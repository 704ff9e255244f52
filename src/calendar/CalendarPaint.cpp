// Painting the calendar form into its back image: background, month
// buttons, weekday header, the month's grid, week numbers and grid lines.
#include "calendar/FormTrap.h"
#include "calendar/MonthDates.h"
#include "calendar/frmCalendar.h"
#include "date/FnsDate.h"
#include "date/sysDates.h"
#include "settings/SharedSettings.h"

#include <string>

using namespace frmCalendarLayout;
using frmCalendarTrap::Trapped;

namespace {

constexpr long kButtonShadow = static_cast<long>(0x80000010);
constexpr long k3DHighlight = static_cast<long>(0x80000014);
constexpr long kOtherMonthGrey = 0x808080;
constexpr long kTodayRed = 0x0000F0;
constexpr long kSundayRed = 0x0000FF;
constexpr long kWeekendBlue = 0xFF0000;
constexpr long kDayBlack = 0;

// The vertical DrawText flag DatePosn asks for.
UINT VerticalFlag(long datePosn) {
    return datePosn == 1 ? DT_VCENTER : datePosn == 2 ? DT_BOTTOM : 0;
}

long Resolved(long colour) {
    return mDrawFns::TranslateColor(colour);
}

const RECT& Checked(const CellRectTable& rects, int index) {
    if (index < 0 || index >= kCellRectCount)
        zarn::Raise(9); // subscript out of range
    return rects[index];
}

} // namespace

void frmCalendar::DrawBkgnd() {
    Trapped(
        [this] {
            SetClientSize(formWidth_, formHeight_);
            RECT client{0, 0, backSize_.cx, backSize_.cy};
            mDrawFns::DrwCalBkgnd(hDC(), client, Resolved(SharedSettings::ForThread().CalendarBackNormal));
            DrawEdge(hDC(), &client, EDGE_ETCHED, BF_RECT);
        },
        L" DrawBkgnd ");
}

void frmCalendar::DrawBtnEdge(const short& index, const short& state) {
    RECT r = Checked(CellRects, index);
    switch (state) {
    case 0:
        DrawEdge(hDC(), &r, BDR_RAISEDINNER, BF_RECT | BF_FLAT);
        break;
    case 1:
        DrawEdge(hDC(), &r, BDR_RAISEDINNER, BF_RECT);
        break;
    case 2:
        DrawEdge(hDC(), &r, BDR_SUNKENOUTER, BF_RECT);
        break;
    default:
        break;
    }
}

void frmCalendar::DrawBtn() {
    Trapped(
        [this] {
            for (short button : {kPrevButton, kNextButton}) {
                const std::wstring keptName = ink_.FontName;
                const double keptSize = ink_.FontSize;
                const long keptColour = ink_.ForeColor;
                ink_.ForeColor = frmCalendarInk::kButtonText;
                ink_.FontName = L"Marlett";
                ink_.FontSize = 12;
                // Marlett's "3" and "4" are the left and right arrows.
                ink_.Text(hDC(), button == kPrevButton ? L"3" : L"4", CellRects[button],
                          DT_CENTER | DT_VCENTER | DT_SINGLELINE);
                ink_.FontName = keptName;
                ink_.FontSize = keptSize;
                ink_.ForeColor = keptColour;
                DrawBtnEdge(button, 0);
            }
        },
        L" DrawBtn ");
}

void frmCalendar::DrawBtnFocus() {
    Trapped(
        [this] {
            if ((pressedButton_ != kPrevButton && pressedButton_ != kNextButton) || !pressedInside_[pressedButton_])
                return;
            if (prevFocusButton_ == kPrevButton || prevFocusButton_ == kNextButton) {
                RECT inner = CellRects[prevFocusButton_];
                InflateRect(&inner, -1, -1);
                mDrawFns::DrwCalBkgnd(hDC(), inner, Resolved(SharedSettings::ForThread().CalendarBackNormal));
            }
            RECT focus = CellRects[pressedButton_];
            InflateRect(&focus, -2, -2);
            DrawFocusRect(hDC(), &focus);
            DrawBtnEdge(pressedButton_, 1);
            prevFocusButton_ = pressedButton_;
            Refresh();
        },
        L" DrawBtnFocus ");
}

// Two lines across the form: button shadow, then 3-D highlight below it.
void frmCalendar::EtchedRule(long y) {
    const long right = CellRects[kNextButton].right;
    mDrawFns::DrawLine(hDC(), 4, y, right, y, Resolved(kButtonShadow));
    mDrawFns::DrawLine(hDC(), 4, y + 1, right, y + 1, Resolved(k3DHighlight));
}

void frmCalendar::DrawWeekLabel() {
    Trapped(
        [this] {
            const SharedSettings& s = SharedSettings::ForThread();
            EtchedRule(CellRects[kPrevButton].bottom + 2);
            int day = frmCalendarDates::ResolveFirstDay(s.CalendarFirstDayOfWeek);
            for (int column = 1; column <= 7; ++column) {
                // Date 1 was a Sunday, so date `day` is weekday `day`.
                std::wstring label = FnsDate::MonthNamesAscii
                                         ? frmCalendarDates::Format(day, L"ddd")
                                         : FnsDate::RetEngDayAbbr(static_cast<short>((day + 5) % 7 + 1));
                if (s.CalendarDayHeaderFormat == 0)
                    label = label.substr(0, 1);
                ink_.Text(hDC(), label, CellRects[kFirstHeader + column - 1], DT_CENTER | DT_SINGLELINE);
                headerLabels_[column] = std::move(label);
                day = day % 7 + 1;
            }
            EtchedRule(kHeaderBottom + 2);
        },
        L" DrawWeekLabel ");
}

void frmCalendar::DrawWeekLine() {
    Trapped([this] { ink_.ForeColor = savedForeColor_; }, L" DrawWeekLine ");
}

void frmCalendar::ClsCalendar() {
    Trapped(
        [this] {
            const long back = Resolved(SharedSettings::ForThread().CalendarBackNormal);
            const RECT grid{4, CellRects[kFirstDay].top, backSize_.cx - 2, backSize_.cy - 2};
            mDrawFns::DrwCalBkgnd(hDC(), grid, back);
            mDrawFns::DrwCalBkgnd(hDC(), CellRects[kTitle], back);
        },
        L" ClsCalendar ");
}

void frmCalendar::DrawCalendar() {
    Trapped(
        [this] {
            const SharedSettings& s = SharedSettings::ForThread();
            CleanupDayCells();
            ClsCalendar();
            Hilight();
            const SYSTEMTIME shown = frmCalendarDates::PartsOf(CurrDate);
            if (keyMove_)
                hotDay_ = static_cast<short>(shown.wDay);
            firstOfMonth_ = frmCalendarDates::DateOf(shown.wYear, shown.wMonth, 1);
            const SYSTEMTIME today = frmCalendarDates::PartsOf(FnsDate::RetNowAsTypeDate());
            const bool todayInView = today.wYear == shown.wYear && today.wMonth == shown.wMonth;

            savedForeColor_ = ink_.ForeColor;
            ink_.ForeColor = frmCalendarInk::kButtonText;
            const std::wstring title =
                FnsDate::MonthNamesAscii
                    ? frmCalendarDates::Format(firstOfMonth_, L"MMMM yyyy")
                    : FnsDate::RetEngMthAbbr(static_cast<short>(shown.wMonth)) + L" " +
                          std::to_wstring(shown.wYear - yearShift_);
            ink_.Text(hDC(), title, CellRects[kTitle], DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            ink_.ForeColor = savedForeColor_;

            const int firstDay = frmCalendarDates::ResolveFirstDay(s.CalendarFirstDayOfWeek);
            const int lead = frmCalendarDates::Weekday(firstOfMonth_, firstDay) - 1;
            const int prevDays = shown.wMonth == 1 ? 31 : FnsDate::DaysInMonth(shown.wYear, shown.wMonth - 1);
            for (int i = 0; i < lead; ++i) {
                ink_.ForeColor = kOtherMonthGrey;
                ink_.FontBold = false;
                ink_.FontSize = 9;
                DrawDayNumber(kFirstDay + i, static_cast<short>(prevDays - lead + 1 + i));
            }
            DrawDaysOfMonth(lead, FnsDate::DaysInMonth(shown.wYear, shown.wMonth),
                            todayInView ? today.wDay : 0, firstDay, s);
            DrawWeekNumber();
            DrawWeekLine();
            DrawGridLine();
            Refresh();
        },
        L" DrawCalendar ");
}

namespace {

struct TodayLook {
    bool bold = false, underline = false;
};

TodayLook TodayFontLook(const SharedSettings& s) {
    TodayLook look;
    Microsoft::WRL::ComPtr<IFont> font;
    if (s.TodayFont && SUCCEEDED(s.TodayFont.As(&font))) {
        BOOL bold = FALSE, underline = FALSE;
        font->get_Bold(&bold);
        font->get_Underline(&underline);
        look = {bold != FALSE, underline != FALSE};
    }
    return look;
}

} // namespace

void frmCalendar::DrawDaysOfMonth(int lead, int daysInMonth, int todayDay, int firstDay, const SharedSettings& s) {
    const TodayLook todayLook = TodayFontLook(s);
    const auto boxLine = frmCalendarInk::FormInk::BoxLine(static_cast<long>(s.GridLineColor));
    for (int k = 1; k <= 42 - lead; ++k) {
        const int cell = kFirstDay - 1 + lead + k;
        if (k > daysInMonth) {
            ink_.ForeColor = kOtherMonthGrey;
            ink_.FontSize = 11;
            ink_.FontBold = false;
            DrawDayNumber(cell, static_cast<short>(k - daysInMonth));
            continue;
        }
        if (k == todayDay) {
            ink_.ForeColor = kTodayRed;
            ink_.FontSize = 11;
            ink_.FontBold = todayLook.bold;
            ink_.FontUnderline = todayLook.underline;
        } else {
            ink_.FontBold = ink_.FontUnderline = false;
            ink_.FontSize = 10;
            ink_.ForeColor = kDayBlack;
        }
        const int column = (cell - kFirstDay) % 7 + 1;
        if (firstDay == 1) {
            if (column == 1 || column == 7)
                ink_.ForeColor = kWeekendBlue;
        } else if (column == 8 - firstDay) {
            ink_.ForeColor = kDayBlack;
        } else if (column == 9 - firstDay) {
            ink_.ForeColor = kSundayRed;
        }
        if (s.HotTracking && k == hotDay_) {
            ink_.ForeColor = static_cast<long>(s.HoverColor);
            ink_.FontSize = 13;
            ink_.FontBold = true;
            keyMove_ = false;
        }
        DrawDayNumber(cell, static_cast<short>(k));
        const RECT& r = CellRects[cell];
        DayCells[cell - kFirstDay] = {static_cast<short>(k), static_cast<float>(r.left), static_cast<float>(r.right),
                                      static_cast<float>(r.top), static_cast<float>(r.bottom)};
        DrawCellLines(r, s, boxLine.get());
    }
}

void frmCalendar::DrawDayNumber(int cell, short number) {
    const SharedSettings& s = SharedSettings::ForThread();
    const RECT& c = CellRects[cell];
    const long dx = s.DateXOffset + (s.DateAlign == 0 ? 4 : 0);
    const RECT r{c.left + dx, c.top + s.DateYOffset, c.right + dx, c.bottom};
    const UINT format = static_cast<UINT>(s.DateAlign) + VerticalFlag(s.DatePosn) + DT_SINGLELINE;
    ink_.Text(hDC(), std::to_wstring(number), r, format);
}

// The lines of one day of the shown month, for the per-day grid styles.
void frmCalendar::DrawCellLines(const RECT& r, const SharedSettings& s, HBRUSH boxLine) {
    const long colour = static_cast<long>(s.GridLineColor);
    switch (s.GridLine) {
    case 0: // HVLineActiveMonth
        frmCalendarInk::FormInk::Box(hDC(), r, boxLine);
        break;
    case 1: // HLineActiveMonth
        mDrawFns::DrawLine(hDC(), r.left, r.top, r.right, r.top, colour);
        mDrawFns::DrawLine(hDC(), r.right, r.bottom, r.left, r.bottom, colour);
        break;
    case 2: // VLineActiveMonth
        mDrawFns::DrawLine(hDC(), r.right, r.top, r.right, r.bottom, colour);
        mDrawFns::DrawLine(hDC(), r.left, r.bottom, r.left, r.top, colour);
        break;
    default:
        break;
    }
}

void frmCalendar::DrawGridLine() {
    Trapped(
        [this] {
            const SharedSettings& s = SharedSettings::ForThread();
            const long colour = static_cast<long>(s.GridLineColor);
            const auto& r = CellRects;
            const auto boxLine = frmCalendarInk::FormInk::BoxLine(colour);
            for (int cell = kFirstDay; cell <= kLastDay; ++cell) {
                const RECT& c = r[cell];
                if (s.GridLine == 3)
                    frmCalendarInk::FormInk::Box(hDC(), c, boxLine.get());
                else if (s.GridLine == 4)
                    mDrawFns::DrawLine(hDC(), c.left, c.top, c.right, c.top, colour);
                else if (s.GridLine == 5)
                    mDrawFns::DrawLine(hDC(), c.right, c.top, c.right, c.bottom, colour);
            }
            if (s.GridLine == 4)
                mDrawFns::DrawLine(hDC(), r[45].left, r[45].bottom, r[kLastDay].right, r[kLastDay].bottom, colour);
            else if (s.GridLine == 5)
                mDrawFns::DrawLine(hDC(), r[kFirstDay].left, r[kFirstDay].top, r[45].left, r[45].bottom, colour);
        },
        L" DrawGridLine ");
}

void frmCalendar::DrawWeekNumber() {
    Trapped(
        [this] {
            const SharedSettings& s = SharedSettings::ForThread();
            if (!s.ShowWeek)
                return;
            const short first = sysDates::RetWeekNo(firstOfMonth_);
            for (int row = 0; row < 6; ++row) {
                const int week = first + row;
                if (week >= 54)
                    break; // week 54 is never shown
                RECT r = CellRects[kFirstWeek + row];
                OffsetRect(&r, 0, s.DateYOffset);
                ink_.Text(hDC(), std::to_wstring(week) + L" ", r, DT_RIGHT | VerticalFlag(s.DatePosn) | DT_SINGLELINE);
            }
        },
        L" DrawWeekNumber ");
}
