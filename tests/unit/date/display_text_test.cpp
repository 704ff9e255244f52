// Display text of date values: the field order of the user's short date
// pattern, the month names, and values that are not dates.
#include "DateTestSupport.h"
#include "date/FnsDate.h"

using namespace zarn::test;
using FnsDate::RetStrMthYrFromLng;

namespace {

constexpr UINT kCritical = MB_ICONERROR;

TEST(DisplayText, FollowsTheUserLocale) {
    MessageBoxRecorder boxes;
    EXPECT_EQ(RetStrMthYrFromLng(20261205), ByLocale(L"05 Dec 2026", L"Dec 05 2026", L"05 Dez 2026"));
    // Wine's en-GB abbreviation of September has four letters.
    EXPECT_EQ(RetStrMthYrFromLng(20260905), ByLocale(L"05 Sept 2026", L"Sep 05 2026", L"05 Sep 2026"));
    EXPECT_TRUE(boxes.calls.empty());
}

TEST(DisplayText, FollowsCustomShortPatterns) {
    const struct {
        const char* pattern;
        const wchar_t* text;
    } cases[] = {
        {"dd/MM/yyyy", L"05 Nov 2026"}, {"dd.MM.yy", L"05 Nov 2026"},   {"yyyy-MM-dd", L"2026 Nov 05"},
        {"M/d/yy", L"Nov 05 2026"},     {"dd/yyyy/MM", L"05 2026 Nov"}, {"MM-yyyy-dd", L"Nov 2026 05"},
        {"yyyy dd MM", L"2026 05 Nov"}, {"yyyy/M/d", L"Nov 05 2026"}, // keyed on its separator
    };
    MessageBoxRecorder boxes;
    for (const auto& c : cases) {
        LocaleOverride pattern(LOCALE_SSHORTDATE, c.pattern);
        EXPECT_EQ(RetStrMthYrFromLng(20261105), c.text) << c.pattern;
    }
    EXPECT_TRUE(boxes.calls.empty());
}

TEST(DisplayText, MonthNamesOutsideAToZFallBackToEnglish) {
    MessageBoxRecorder boxes;
    EXPECT_EQ(RetStrMthYrFromLng(20260105), ByLocale(L"05 Jan 2026", L"Jan 05 2026", L"05 Jan 2026"));
    EXPECT_TRUE(FnsDate::MonthNamesAscii);
    // "März": the English abbreviation instead of the locale's "Mär".
    EXPECT_EQ(RetStrMthYrFromLng(20260305), ByLocale(L"05 Mar 2026", L"Mar 05 2026", L"05 Mar 2026"));
    EXPECT_EQ(FnsDate::MonthNamesAscii, ByLocale(true, true, false));
    EXPECT_EQ(RetStrMthYrFromLng(20260505), ByLocale(L"05 May 2026", L"May 05 2026", L"05 Mai 2026"));
    EXPECT_TRUE(FnsDate::MonthNamesAscii);
    EXPECT_TRUE(boxes.calls.empty());
}

TEST(DisplayText, InvalidPartsAreReplacedAfterAMessage) {
    // New Year in UTC is still ahead: the fallback year must be the UTC one.
    FixedClock clock(MakeTime(2026, 12, 31, 23, 30), MakeTime(2027, 1, 1, 0, 30));
    LocaleOverride pattern(LOCALE_SSHORTDATE, "dd/MM/yyyy");
    const std::wstring tooShort = L"RetStrMthYrFromLng:Not YYYYMMDD format too short.";
    const std::wstring year = L"Year value is not valid";
    const std::wstring month = L"Month value is not valid";
    const std::wstring day = L"Day value is not valid";
    const struct {
        long value;
        const wchar_t* text;
        std::vector<std::wstring> messages;
    } cases[] = {
        {2026125, L"01 Jan 2026", {tooShort}},
        {123456789, L"01 Jan 2026", {tooShort}},
        {18991105, L"05 Nov 2026", {year}},
        {30011105, L"05 Nov 2026", {year}},
        {30001105, L"05 Nov 3000", {}},
        {20261305, L"05 Jan 2026", {month}},
        {20260230, L"01 Feb 2026", {day}},
        {20250229, L"01 Feb 2025", {day}},
        {21000229, L"01 Feb 2100", {day}},
        {20000229, L"29 Feb 2000", {}},
        {20260100, L"01 Jan 2026", {day}},
        {18991332, L"01 Jan 2026", {year, month, day}},
        {-2026120, L"20 Jan 2026", {year, month}}, // eight characters with the sign
    };
    for (const auto& c : cases) {
        MessageBoxRecorder boxes;
        EXPECT_EQ(RetStrMthYrFromLng(c.value), c.text) << c.value;
        std::vector<Box> expected;
        for (const auto& m : c.messages)
            expected.emplace_back(m, kCritical, L"");
        EXPECT_EQ(Shown(boxes), expected) << c.value;
    }
}

TEST(DisplayText, AnUnusableShortPatternIsReported) {
    LocaleOverride pattern(LOCALE_SSHORTDATE, "d");
    MessageBoxRecorder boxes;
    EXPECT_EQ(RetStrMthYrFromLng(20261205), L"1900 Jan 01");
    EXPECT_EQ(Shown(boxes),
              (std::vector<Box>{{L"Module Date FunctionsFn:RetStrMthYrFromLng: Invalid procedure call "
                                 L"or argument  5",
                                 MB_OK, L"Zarn2"}}));
}

} // namespace
