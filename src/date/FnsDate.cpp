#include "date/FnsDate.h"

#include "date/sysDates.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "platform/Report.h"
#include "platform/RuntimeError.h"
#include "platform/Variant.h"

#include <cstdlib>
#include <cwctype>
#include <optional>

namespace FnsDate {

thread_local bool MonthNamesAscii = false;

namespace {

using zarn::RuntimeError;

constexpr const wchar_t* kModuleTitle = L"Module Date Functions";
constexpr const wchar_t* kNoTitle = L"";

// The day, month and year texts of a date value, as stored ("05", not "5").
struct DateFields {
    std::wstring year, month, day;
};

enum class FieldOrder { DayMonthYear, DayYearMonth, MonthYearDay, YearDayMonth, YearMonthDay, MonthDayYear };

void ShowCritical(const wchar_t* text, const wchar_t* title) {
    zarn::ShowMessage(text, MB_ICONERROR, title);
}

long Number(const std::wstring& digits) {
    return std::wcstol(digits.c_str(), nullptr, 10);
}

std::wstring Mid(const std::wstring& text, size_t from, size_t count) {
    return from < text.size() ? text.substr(from, count) : std::wstring();
}

std::wstring TwoDigits(WORD n) {
    std::wstring text = std::to_wstring(n);
    return text.size() == 1 ? L"0" + text : text;
}

[[noreturn]] void RaiseLastError() {
    const DWORD error = GetLastError();
    throw zarn::ErrorFromHResult(error ? HRESULT_FROM_WIN32(error) : E_FAIL);
}

FieldOrder OrderOf(wchar_t a, wchar_t b) {
    a = static_cast<wchar_t>(std::towlower(a));
    b = static_cast<wchar_t>(std::towlower(b));
    if (a == L'd' && b == L'y')
        return FieldOrder::DayMonthYear;
    if (a == L'd' && b == L'm')
        return FieldOrder::DayYearMonth;
    if (a == L'm' && b == L'd')
        return FieldOrder::MonthYearDay;
    if (a == L'y' && b == L'm')
        return FieldOrder::YearDayMonth;
    if (a == L'y' && b == L'd')
        return FieldOrder::YearMonthDay;
    return FieldOrder::MonthDayYear;
}

// The order of the user's short date pattern, keyed by its first character
// and the one before its last.
FieldOrder DisplayOrder() {
    const std::wstring pattern = sysDates::DateFormat(0);
    if (pattern.size() < 2)
        zarn::Raise(zarn::ErrInvalidCall); // no second key to read
    // Kept on purpose: the character before the last, so a pattern ending in
    // a one-letter field (yyyy/M/d) keys on its separator and falls back to
    // month, day, year.
    return OrderOf(pattern.front(), pattern[pattern.size() - 2]);
}

std::wstring Joined(FieldOrder order, const std::wstring& day, const std::wstring& month,
                    const std::wstring& year) {
    const auto join = [](const std::wstring& x, const std::wstring& y, const std::wstring& z) {
        return x + L' ' + y + L' ' + z;
    };
    switch (order) {
    case FieldOrder::DayMonthYear:
        return join(day, month, year);
    case FieldOrder::DayYearMonth:
        return join(day, year, month);
    case FieldOrder::MonthYearDay:
        return join(month, year, day);
    case FieldOrder::YearDayMonth:
        return join(year, day, month);
    case FieldOrder::YearMonthDay:
        return join(year, month, day);
    case FieldOrder::MonthDayYear:
        break;
    }
    return join(month, day, year);
}

// The fields of a value, each one that is not valid replaced after its
// message: a wrong length by today, then year, month and day in turn.
DateFields CheckedFields(long value) {
    std::wstring text = std::to_wstring(value);
    if (text.size() != 8) {
        ShowCritical(L"RetStrMthYrFromLng:Not YYYYMMDD format too short.", kNoTitle);
        text = RetNowAsLngStr(false);
    }
    DateFields f{Mid(text, 0, 4), Mid(text, 4, 2), Mid(text, 6, 2)};
    const long year = Number(f.year);
    if (year < 1900 || year > 3000) {
        ShowCritical(L"Year value is not valid", kNoTitle);
        f.year = std::to_wstring(SysYr());
    }
    const long month = Number(f.month);
    if (month < 1 || month > 12) {
        ShowCritical(L"Month value is not valid", kNoTitle);
        f.month = L"01";
    }
    const long day = Number(f.day);
    if (day < 1 || day > DaysInMonth(Number(f.year), Number(f.month))) {
        ShowCritical(L"Day value is not valid", kNoTitle);
        f.day = L"01";
    }
    return f;
}

// The locale's abbreviation only when the locale's full name is plain A-Z,
// else the English one; the flag tells the calendar which of the two it got.
std::wstring MonthText(short month) {
    const std::wstring abbreviation = RetStrBeforeNull(sysDates::RetLocMthAbbr(month));
    const std::wstring name = sysDates::RetLocMthName(month);
    const std::wstring letters = RetASCCharOnly(name);
    MonthNamesAscii = !letters.empty() && letters.find_first_of(L"<?>") == std::wstring::npos &&
                      letters.size() == name.size();
    return MonthNamesAscii ? abbreviation : RetEngMthAbbr(month);
}

bool IsAnsiCapital(wchar_t c) {
    char bytes[4];
    const int n = WideCharToMultiByte(CP_ACP, 0, &c, 1, bytes, sizeof bytes, nullptr, nullptr);
    return n == 1 && bytes[0] >= 'A' && bytes[0] <= 'Z';
}

// Only blanks are trimmed, as the language's Trim does: a tab is text.
std::wstring TrimBlanks(const std::wstring& text) {
    const size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos)
        return {};
    return text.substr(first, text.find_last_not_of(L' ') - first + 1);
}

int AnsiLength(const std::wstring& text) {
    return WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                               nullptr);
}

} // namespace

int DaysInMonth(long year, long month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

// Only days that exist: the platform itself would roll 30 February over
// into March.
std::optional<DATE> CalendarDate(long year, long month, long day) {
    if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        return std::nullopt;
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(year);
    st.wMonth = static_cast<WORD>(month);
    st.wDay = static_cast<WORD>(day);
    DATE date = 0;
    if (!SystemTimeToVariantTime(&st, &date))
        return std::nullopt;
    return date;
}

std::wstring RetStrMthYrFromLng(long value) {
    return zarn::Trapped(
        [&] {
            const FieldOrder order = DisplayOrder();
            const DateFields f = CheckedFields(value);
            return Joined(order, f.day, MonthText(static_cast<short>(Number(f.month))), f.year);
        },
        [](const RuntimeError& e) {
            zarn::ReportDateError(L"Module Date Functions"
                                  L"Fn:RetStrMthYrFromLng: ",
                                  e, MB_OK, zarn::kDefaultMessageTitle);
            return std::wstring(L"1900 Jan 01");
        });
}

DATE RetDateTypeFromLong(const long& value) {
    return zarn::Trapped(
        [&]() -> DATE {
            if (value < 19000101) {
                ShowCritical(L"FnRetDateTypeFromLong: Yr Value too small.", kModuleTitle);
                return RetNowAsTypeDate();
            }
            // Made from the fields directly instead of through the locale's
            // parser: the same date for every day that exists, and the
            // parser's type mismatch for one that does not.
            const std::wstring text = std::to_wstring(value);
            if (const auto date =
                    CalendarDate(Number(Mid(text, 0, 4)), Number(Mid(text, 4, 2)), Number(Mid(text, 6, 2))))
                return *date;
            zarn::Raise(zarn::ErrTypeMismatch);
        },
        [](const RuntimeError& e) {
            zarn::ReportDateError(L"Module:FormatDates :RetDateTypeFromLong ", e, MB_ICONERROR, kModuleTitle);
            return DATE(0);
        });
}

std::wstring RetASCCharOnly(const std::wstring& text) {
    return zarn::Trapped(
        [&] {
            if (ChkBlankValue(zarn::Variant::FromText(text).Get()))
                return std::wstring();
            std::wstring upper = text;
            CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));
            if (upper.size() == 1)
                return std::wstring();
            std::wstring letters;
            for (const wchar_t c : upper)
                if (IsAnsiCapital(c))
                    letters += c;
            return letters;
        },
        [](const RuntimeError& e) {
            zarn::ReportDateError(L"Module Date Functions"
                                  L"FnRetASCCharOnly : ",
                                  e, MB_OK, zarn::kDefaultMessageTitle);
            return std::wstring();
        });
}

long SysYr() {
    return zarn::Trapped([] { return static_cast<long>(zarn::UtcNow().wYear); },
                         [](const RuntimeError& e) {
                             zarn::ReportDateError(L"Fn:SysYr ", e, MB_ICONERROR, kModuleTitle);
                             return 0L;
                         });
}

DATE RetNowAsTypeDate() {
    return zarn::Trapped(
        []() -> DATE {
            const SYSTEMTIME local = zarn::LocalNow();
            // The year is the UTC one on purpose, month and day are local.
            if (const auto date = CalendarDate(SysYr(), local.wMonth, local.wDay))
                return *date;
            zarn::Raise(zarn::ErrInvalidCall);
        },
        [](const RuntimeError& e) {
            zarn::ReportDateError(L"Fn:RetNowAsTypeDate ", e, MB_ICONERROR, kModuleTitle);
            return DATE(0);
        });
}

std::wstring RetNowAsLngStr(bool withTime) {
    return zarn::Trapped(
        [&] {
            const SYSTEMTIME local = zarn::LocalNow();
            std::wstring text = std::to_wstring(SysYr()) + TwoDigits(local.wMonth) + TwoDigits(local.wDay);
            if (withTime)
                text += TwoDigits(local.wHour) + TwoDigits(local.wMinute);
            return text;
        },
        [](const RuntimeError& e) {
            zarn::ReportDateError(L"Module Date Functions"
                                  L"Fn:RetNowAsLngStr ",
                                  e, MB_OK, zarn::kDefaultMessageTitle);
            return std::wstring();
        });
}

long LocDiff() {
    return zarn::Trapped(
        [] {
            const SYSTEMTIME local = zarn::LocalNow();
            wchar_t text[32] = {};
            if (!GetDateFormatW(LOCALE_USER_DEFAULT, 0, &local, L"yyyyMMdd", text, 32))
                RaiseLastError();
            return std::labs(Number(std::wstring(text).substr(0, 4)) - SysYr());
        },
        [](const RuntimeError& e) {
            zarn::ReportDateError(L"Fn:LocDiff : ", e, MB_ICONERROR, kNoTitle);
            return 0L;
        });
}

bool ChkBlankValue(const VARIANT& v) {
    return zarn::Trapped(
        [&] {
            if (zarn::IsEmptyOrMissing(v) || zarn::IsNull(v))
                return true;
            const std::wstring text = TrimBlanks(zarn::ToText(v));
            return text.empty() || AnsiLength(text) == 0;
        },
        [](const RuntimeError&) { return true; });
}

std::wstring RetStrBeforeNull(const std::wstring& text) {
    return text.substr(0, text.find(L'\0'));
}

std::wstring RetEngMthAbbr(short month) {
    static constexpr const wchar_t* kMonths[] = {L"Jan", L"Feb", L"Mar", L"Apr", L"May", L"Jun",
                                                 L"Jul", L"Aug", L"Sep", L"Oct", L"Nov", L"Dec"};
    return month >= 1 && month <= 12 ? kMonths[month - 1] : L"";
}

std::wstring RetEngDayAbbr(short day) {
    static constexpr const wchar_t* kDays[] = {L"Mon", L"Tue", L"Wed", L"Thu", L"Fri", L"Sat", L"Sun"};
    return day >= 1 && day <= 7 ? kDays[day - 1] : L"";
}

} // namespace FnsDate
