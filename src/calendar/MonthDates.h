#pragma once
// Calendar-date arithmetic the month grid needs: parts of a date, whole
// days, weekdays counted from a chosen first day, locale formatting.
#include <windows.h>
#include <oleauto.h>

#include <string>

namespace frmCalendarDates {

SYSTEMTIME PartsOf(DATE date);
// The date of a day that exists; any other is an invalid call (error 5).
DATE DateOf(int year, int month, int day);

// 1 = Sunday .. 7 = Saturday; 0 asks for the locale's first day of the
// week. Anything else is an invalid call (error 5).
int ResolveFirstDay(long firstDayOfWeek);
// The weekday of the date, 1 for firstDay (1..7) and 7 for the day before.
int Weekday(DATE date, int firstDay);

// Grid position of a date in its month's 42 cells (0..41).
int GridPosition(DATE date, int firstDay);

// The date formatted by the user locale with a GetDateFormat picture.
std::wstring Format(DATE date, const wchar_t* picture);

} // namespace frmCalendarDates
