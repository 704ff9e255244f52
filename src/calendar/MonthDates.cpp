#include "calendar/MonthDates.h"

#include "date/FnsDate.h"
#include "platform/RuntimeError.h"

#include <cmath>

namespace frmCalendarDates {

SYSTEMTIME PartsOf(DATE date) {
    SYSTEMTIME st{};
    if (!VariantTimeToSystemTime(date, &st))
        zarn::Raise(zarn::ErrInvalidCall);
    return st;
}

DATE DateOf(int year, int month, int day) {
    const auto date = FnsDate::CalendarDate(year, month, day);
    if (!date)
        zarn::Raise(zarn::ErrInvalidCall);
    return *date;
}

int ResolveFirstDay(long firstDayOfWeek) {
    if (firstDayOfWeek >= 1 && firstDayOfWeek <= 7)
        return static_cast<int>(firstDayOfWeek);
    if (firstDayOfWeek != 0)
        zarn::Raise(zarn::ErrInvalidCall);
    wchar_t setting[4] = {};
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_IFIRSTDAYOFWEEK, setting, 4);
    // The locale counts 0 = Monday .. 6 = Sunday.
    const int monday0 = (setting[0] >= L'0' && setting[0] <= L'6') ? setting[0] - L'0' : 6;
    return (monday0 + 1) % 7 + 1;
}

int Weekday(DATE date, int firstDay) {
    // Day 0, 30 December 1899, was a Saturday.
    const long day = static_cast<long>(std::floor(date));
    const int sunday1 = static_cast<int>(((day + 6) % 7 + 7) % 7) + 1;
    return (sunday1 - firstDay + 7) % 7 + 1;
}

int GridPosition(DATE date, int firstDay) {
    const SYSTEMTIME st = PartsOf(date);
    return Weekday(DateOf(st.wYear, st.wMonth, 1), firstDay) - 1 + st.wDay - 1;
}

std::wstring Format(DATE date, const wchar_t* picture) {
    const SYSTEMTIME st = PartsOf(date);
    wchar_t text[128] = {};
    GetDateFormatW(LOCALE_USER_DEFAULT, 0, &st, picture, text, 128);
    return text;
}

} // namespace frmCalendarDates
