// The text helpers behind the month-name choice and the blank checks.
#include "DateTestSupport.h"
#include "date/FnsDate.h"
#include "platform/Variant.h"

using namespace zarn::test;
using namespace FnsDate;
using zarn::Variant;

namespace {

Variant V(const wchar_t* text) {
    return Variant::FromText(text);
}

TEST(TextHelpers, AsciiCapitalsOfTheUpperCasedText) {
    MessageBoxRecorder boxes;
    EXPECT_EQ(RetASCCharOnly(L"M\u00e4rz"), L"MRZ");
    EXPECT_EQ(RetASCCharOnly(L"Sept. 2026"), L"SEPT");
    EXPECT_EQ(RetASCCharOnly(L" x"), L"X"); // blanks count towards the length
    EXPECT_EQ(RetASCCharOnly(L"x"), L"");
    EXPECT_EQ(RetASCCharOnly(L"   "), L"");
    EXPECT_EQ(RetASCCharOnly(L"\u00e9\u00e8"), L"");
    EXPECT_TRUE(boxes.calls.empty());
}

TEST(TextHelpers, BlankValues) {
    VARIANT missing{}, nothing{}; // an object reference that was never set cannot become text
    V_VT(&missing) = VT_ERROR;
    V_ERROR(&missing) = DISP_E_PARAMNOTFOUND;
    V_VT(&nothing) = VT_DISPATCH;
    for (const Variant& blank :
         {Variant(), Variant::Null(), V(L""), V(L"   "), Variant(missing), Variant(nothing)})
        EXPECT_TRUE(ChkBlankValue(blank.Get())) << blank.Type();
    // Only blanks are trimmed.
    for (const Variant& value : {V(L"0"), Variant::FromLong(0), V(L" x "), V(L"\t")})
        EXPECT_FALSE(ChkBlankValue(value.Get())) << zarn::ToText(value.Get());
}

TEST(TextHelpers, TextBeforeTheFirstNul) {
    EXPECT_EQ(RetStrBeforeNull(std::wstring(L"Jan\0\0\0", 6)), L"Jan");
    EXPECT_EQ(RetStrBeforeNull(std::wstring(L"\0Jan", 4)), L"");
    EXPECT_EQ(RetStrBeforeNull(L"Jan"), L"Jan");
}

TEST(TextHelpers, EnglishAbbreviationsAndTheirRange) {
    EXPECT_EQ(RetEngMthAbbr(1) + RetEngMthAbbr(12), L"JanDec");
    EXPECT_EQ(RetEngDayAbbr(1) + RetEngDayAbbr(7), L"MonSun");
    for (const short outside : {0, 13, -1})
        EXPECT_EQ(RetEngMthAbbr(outside), L"") << outside;
    for (const short outside : {0, 8})
        EXPECT_EQ(RetEngDayAbbr(outside), L"") << outside;
}

} // namespace
