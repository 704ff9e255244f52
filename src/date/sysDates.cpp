#include "date/sysDates.h"

#include "platform/Report.h"
#include "platform/RuntimeError.h"

#include <algorithm>

namespace sysDates {

namespace {

constexpr const wchar_t* kModuleLabel = L"Mod:sysDates: ";
constexpr int kLookupChars = 256;

std::wstring Upper(std::wstring_view text) {
    std::wstring upper(text);
    CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));
    return upper;
}

size_t FindIgnoringCase(const std::wstring& text, std::wstring_view find, size_t from) {
    if (from > text.size())
        return std::wstring::npos;
    return Upper(text).find(Upper(find), from);
}

// Monday = 0 ... Sunday = 6, as LOCALE_IFIRSTDAYOFWEEK counts.
int WeekdayOf(DATE wholeDay) {
    // 30 December 1899, day 0, was a Saturday.
    return static_cast<int>(((static_cast<long>(wholeDay) + 5) % 7 + 7) % 7);
}

int FirstDayOfWeek() {
    const std::wstring setting = RetLocaleInfo(LOCALE_IFIRSTDAYOFWEEK);
    if (setting.size() == 1 && setting[0] >= L'0' && setting[0] <= L'6')
        return setting[0] - L'0';
    return 6; // unreadable setting: Sunday, the language's own default
}

DATE WholeDay(WORD year, WORD month, WORD day) {
    SYSTEMTIME st{};
    st.wYear = year;
    st.wMonth = month;
    st.wDay = day;
    DATE date = 0;
    if (!SystemTimeToVariantTime(&st, &date))
        zarn::Raise(zarn::ErrInvalidCall);
    return date;
}

} // namespace

std::wstring RetLocaleInfo(long item) {
    char answer[kLookupChars] = {};
    const int count = GetLocaleInfoA(LOCALE_USER_DEFAULT, static_cast<LCTYPE>(item), answer, kLookupChars);
    if (count <= 0)
        return {};
    // The whole buffer is converted and then cut by the byte count, so a
    // double-byte answer comes back with NULs at its end; the callers that
    // show a name cut them off.
    wchar_t wide[kLookupChars];
    const int chars = MultiByteToWideChar(CP_ACP, 0, answer, kLookupChars, wide, kLookupChars);
    return std::wstring(wide, std::clamp(count - 1, 0, chars));
}

std::wstring DateFormat(short kind) {
    return zarn::Trapped(
        [&] {
            std::wstring pattern = RetLocaleInfo(kind == 1 ? LOCALE_SLONGDATE : LOCALE_SSHORTDATE);
            if (FindIgnoringCase(pattern, L"YYYY", 0) == std::wstring::npos)
                Replace(pattern, L"YY", L"YYYY");
            return pattern;
        },
        [](const zarn::RuntimeError& e) {
            zarn::ReportModuleError(kModuleLabel, L" DateFormat ", e);
            return std::wstring();
        });
}

std::wstring RetLocMthAbbr(short month) {
    return RetLocaleInfo(static_cast<long>(LOCALE_SABBREVMONTHNAME1) - 1 + month);
}

std::wstring RetLocMthName(short month) {
    return RetLocaleInfo(static_cast<long>(LOCALE_SMONTHNAME1) - 1 + month);
}

void Replace(std::wstring& text, std::wstring_view find, std::wstring_view repl) {
    zarn::Trapped(
        [&] {
            // An empty find would match everywhere and never finish.
            if (find.empty())
                return;
            for (size_t at = FindIgnoringCase(text, find, 0); at != std::wstring::npos;
                 at = FindIgnoringCase(text, find, at + repl.size()))
                text.replace(at, find.size(), repl);
        },
        [](const zarn::RuntimeError& e) { zarn::ReportModuleError(kModuleLabel, L" Replace ", e); });
}

short RetWeekNo(DATE date) {
    SYSTEMTIME st;
    if (!VariantTimeToSystemTime(date, &st))
        zarn::Raise(zarn::ErrInvalidCall);
    const DATE jan1 = WholeDay(st.wYear, 1, 1);
    const long dayOfYear = static_cast<long>(WholeDay(st.wYear, st.wMonth, st.wDay) - jan1);
    // Days of week 1 that lie before 1 January.
    const int lead = (WeekdayOf(jan1) - FirstDayOfWeek() + 7) % 7;
    return static_cast<short>((dayOfYear + lead) / 7 + 1);
}

} // namespace sysDates
