// Locale answers: patterns, month names, the year widening and week numbers
// in the user locale of the run.
#include "DateTestSupport.h"
#include "date/sysDates.h"

using namespace zarn::test;
using namespace sysDates;

namespace {

TEST(LocaleInfo, PatternsAndMonthNamesOfTheUserLocale) {
    EXPECT_EQ(RetLocaleInfo(LOCALE_SSHORTDATE), ByLocale(L"dd/MM/yyyy", L"M/d/yyyy", L"d.M.yyyy"));
    EXPECT_EQ(DateFormat(0), ByLocale(L"dd/MM/yyyy", L"M/d/yyyy", L"d.M.yyyy"));
    EXPECT_EQ(DateFormat(1), ByLocale(L"dddd, d MMMM yyyy", L"dddd, MMMM d, yyyy", L"dddd, d. MMMM yyyy"));
    EXPECT_EQ(DateFormat(2), DateFormat(0));
    EXPECT_EQ(RetLocMthAbbr(1), L"Jan");
    EXPECT_EQ(RetLocMthAbbr(3), ByLocale(L"Mar", L"Mar", L"M\u00e4r"));
    EXPECT_EQ(RetLocMthName(3), ByLocale(L"March", L"March", L"M\u00e4rz"));
    EXPECT_EQ(RetLocMthName(12), ByLocale(L"December", L"December", L"Dezember"));
    EXPECT_EQ(RetLocaleInfo(0x7777), L"");
}

TEST(LocaleInfo, TwoDigitYearsAreWidened) {
    const struct {
        const char* pattern;
        const wchar_t* widened;
    } cases[] = {
        {"dd.MM.yy", L"dd.MM.YYYY"},   {"d/M/yy", L"d/M/YYYY"},   {"yy-MM-dd", L"YYYY-MM-dd"},
        {"dd/MM/yyyy", L"dd/MM/yyyy"}, {"yyyy/M/d", L"yyyy/M/d"},
    };
    for (const auto& c : cases) {
        LocaleOverride pattern(LOCALE_SSHORTDATE, c.pattern);
        EXPECT_EQ(DateFormat(0), c.widened) << c.pattern;
    }
}

TEST(Replace, IgnoresCaseAndNeverSearchesTheInsertedText) {
    MessageBoxRecorder boxes;
    const struct {
        const wchar_t *text, *find, *repl, *result;
    } cases[] = {
        {L"yy-yy", L"yy", L"YYYY", L"YYYY-YYYY"}, {L"Yy/yY", L"YY", L"YYYY", L"YYYY/YYYY"},
        {L"banana", L"a", L"aa", L"baanaanaa"},   {L"banana", L"an", L"", L"ba"},
        {L"banana", L"x", L"y", L"banana"},       {L"banana", L"", L"y", L"banana"},
    };
    for (const auto& c : cases) {
        std::wstring text = c.text;
        Replace(text, c.find, c.repl);
        EXPECT_EQ(text, c.result) << testing::PrintToString(std::wstring(c.text));
    }
    EXPECT_TRUE(boxes.calls.empty());
}

TEST(WeekNumbers, CountFromTheWeekOfFirstJanuary) {
    // 1 January 1800, 2000, 2012 and 2026 fall on Wed, Sat, Sun and Thu.
    for (const DATE jan1 : {-36522.0, 36526.0, 40909.0, 46023.0})
        EXPECT_EQ(RetWeekNo(jan1), 1) << jan1;
    // Weeks begin on Monday in en-GB and de-DE, on Sunday in en-US.
    EXPECT_EQ(RetWeekNo(46026.0), ByLocale(1, 2, 1));    // Sunday 4 January 2026
    EXPECT_EQ(RetWeekNo(46026.999), ByLocale(1, 2, 1));  // its last minute
    EXPECT_EQ(RetWeekNo(41274.0), ByLocale(54, 53, 54)); // 31 December 2012
    EXPECT_EQ(RetWeekNo(36891.0), ByLocale(53, 54, 53)); // 31 December 2000
    EXPECT_EQ(RetWeekNo(46387.0), 53);                   // 31 December 2026
}

} // namespace
