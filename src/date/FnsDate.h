#pragma once
// The date value (yyyymmdd as a whole number) and its conversions to display
// text, calendar dates and the current clock. Every procedure that can fail
// reports its own error and hands back a neutral result, so that a caller
// never has to trap a date conversion.
#include <windows.h>
#include <oleauto.h>

#include <optional>
#include <string>

namespace FnsDate {

// Which month text the last display conversion on this thread used: true
// for the locale's abbreviation, false for the English fallback. The
// calendar's title and header follow it.
extern thread_local bool MonthNamesAscii;

// The days of a month (1..12) by the Gregorian rule.
int DaysInMonth(long year, long month);

// The calendar date of a day that exists, years 100 to 9999; none for any
// other, where the platform itself would roll 30 February over into March.
std::optional<DATE> CalendarDate(long year, long month, long day);

// Day, month name and year in the order of the user's short date pattern
// ("05 Dec 2026"). Invalid parts are replaced after a message.
std::wstring RetStrMthYrFromLng(long value);

// The calendar date of a yyyymmdd value; today for a value before 1900,
// the zero date for a day that does not exist.
DATE RetDateTypeFromLong(const long& value);

// The letters A-Z of the upper-cased text, in order.
std::wstring RetASCCharOnly(const std::wstring& text);

// The year of the system clock in UTC.
long SysYr();

// Today: the UTC year with the local month and day, no time.
DATE RetNowAsTypeDate();

// Today as yyyymmdd (UTC year, local month and day), with the local hour
// and minute appended when withTime is set.
std::wstring RetNowAsLngStr(bool withTime);

// How many years the locale's calendar is ahead of (or behind) the UTC year.
long LocDiff();

// True for Empty, Null, a text of blanks only, or a value that cannot be
// made into text.
bool ChkBlankValue(const VARIANT& v);

// The text up to its first NUL character.
std::wstring RetStrBeforeNull(const std::wstring& text);

// "Jan".."Dec" for 1..12, "Mon".."Sun" for 1..7 (Monday first); the empty
// text outside the range.
std::wstring RetEngMthAbbr(short month);
std::wstring RetEngDayAbbr(short day);

} // namespace FnsDate
