#pragma once
// Locale questions for the date module and the calendar: the user's date
// patterns, month names and week numbers, read from the user-default locale
// in the ANSI code page.
#include <windows.h>
#include <oleauto.h>

#include <string>
#include <string_view>

namespace sysDates {

// The locale item (an LCTYPE) of the user-default locale; the empty text
// when the look-up fails.
std::wstring RetLocaleInfo(long item);

// The long date pattern for kind 1, the short one for any other kind, with
// a two-digit year field widened to four ("dd.MM.yy" gives "dd.MM.YYYY").
std::wstring DateFormat(short kind);

// The locale's abbreviated and full name of month 1..12.
std::wstring RetLocMthAbbr(short month);
std::wstring RetLocMthName(short month);

// Replaces every occurrence of find (ignoring case) by repl, left to right;
// the inserted text is never searched again.
void Replace(std::wstring& text, std::wstring_view find, std::wstring_view repl);

// The week of the year, the week holding 1 January being week 1, with weeks
// starting on the locale's first day of the week.
short RetWeekNo(DATE date);

} // namespace sysDates
