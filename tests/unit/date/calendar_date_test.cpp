// Date values as calendar dates, and today from the clock service: the year
// comes from UTC, month, day and time from local time.
#include "DateTestSupport.h"
#include "date/FnsDate.h"

#include <optional>

using namespace zarn::test;
using namespace FnsDate;

namespace {

const std::wstring kModuleTitle = L"Module Date Functions";

TEST(CalendarDate, ValuesBecomeTheirDayInEveryPattern) {
    MessageBoxRecorder boxes;
    for (const char* shortPattern : {"", "dd.MM.yy", "yyyy/M/d"}) {
        std::optional<LocaleOverride> pattern;
        if (*shortPattern)
            pattern.emplace(LOCALE_SSHORTDATE, shortPattern);
        const std::pair<long, DATE> days[] = {{19000101, 2.0},
                                              {20261205, 46361.0},
                                              {20260512, 46154.0},
                                              {20240229, 45351.0},
                                              {99991231, 2958465.0}};
        for (const auto& [value, day] : days)
            EXPECT_EQ(RetDateTypeFromLong(value), day) << value << " in " << shortPattern;
    }
    EXPECT_TRUE(boxes.calls.empty());
}

TEST(CalendarDate, ValuesBefore1900GiveTodayAfterAMessage) {
    FixedClock clock(MakeTime(2026, 12, 31, 23, 30), MakeTime(2027, 1, 1, 0, 30));
    for (const long value : {18991231L, 0L, -20261205L}) {
        MessageBoxRecorder boxes;
        EXPECT_EQ(RetDateTypeFromLong(value), 46023.0) << value; // 1 January 2026
        EXPECT_EQ(Shown(boxes), (std::vector<Box>{{L"FnRetDateTypeFromLong: Yr Value too small.",
                                                   MB_ICONERROR, kModuleTitle}}));
    }
}

TEST(CalendarDate, DaysThatDoNotExistAreATypeMismatch) {
    for (const long value : {20260231L, 20250229L, 21000229L, 20261305L, 20260005L, 20260100L, 2147483647L}) {
        MessageBoxRecorder boxes;
        EXPECT_EQ(RetDateTypeFromLong(value), 0.0) << value;
        EXPECT_EQ(Shown(boxes),
                  (std::vector<Box>{{L"Module:FormatDates :RetDateTypeFromLong Type mismatch  13",
                                     MB_ICONERROR, kModuleTitle}}))
            << value;
    }
}

TEST(Today, YearFollowsUtcWhileMonthDayAndTimeFollowLocalTime) {
    const struct {
        SYSTEMTIME utc, local;
        long year;
        const wchar_t *date, *dateTime;
        DATE today;
        long locDiff;
    } cases[] = {
        {MakeTime(2026, 3, 5, 9, 7), MakeTime(2026, 3, 5, 9, 7), 2026, L"20260305", L"202603050907", 46086.0,
         0},
        // East of Greenwich: local New Year comes first.
        {MakeTime(2026, 12, 31, 23, 30), MakeTime(2027, 1, 1, 0, 30), 2026, L"20260101", L"202601010030",
         46023.0, 1},
        // West of Greenwich: UTC New Year comes first.
        {MakeTime(2027, 1, 1, 0, 30), MakeTime(2026, 12, 31, 19, 30), 2027, L"20271231", L"202712311930",
         46752.0, 1},
    };
    MessageBoxRecorder boxes;
    for (const auto& c : cases) {
        FixedClock clock(c.utc, c.local);
        EXPECT_EQ(SysYr(), c.year);
        EXPECT_EQ(RetNowAsLngStr(false), c.date);
        EXPECT_EQ(RetNowAsLngStr(true), c.dateTime);
        EXPECT_EQ(RetNowAsTypeDate(), c.today);
        EXPECT_EQ(LocDiff(), c.locDiff);
    }
    EXPECT_TRUE(boxes.calls.empty());
}

TEST(Today, AnImpossibleClockReadingIsReported) {
    FixedClock clock(MakeTime(2026, 2, 30));
    MessageBoxRecorder boxes;
    EXPECT_EQ(RetNowAsTypeDate(), 0.0);
    EXPECT_EQ(LocDiff(), 0);
    EXPECT_EQ(Shown(boxes),
              (std::vector<Box>{
                  {L"Fn:RetNowAsTypeDate Invalid procedure call or argument  5", MB_ICONERROR, kModuleTitle},
                  {L"Fn:LocDiff : Invalid procedure call or argument  5", MB_ICONERROR, L""},
              }));
}

} // namespace
