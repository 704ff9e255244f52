// The value and behaviour properties: what each setter accepts or ignores,
// what it notifies, and how the value keeps its type.
#include "ControlFixture.h"

#include <thread>

namespace zarn::test {
namespace {

using ValueProperties = ControlTest;

TEST_F(ValueProperties, NewControlShowsTodayAndHoldsThePublishedDefaults) {
    EXPECT_EQ(Describe(control->PValue()), L"20261205/8");
    EXPECT_EQ(BoxText(), L"05 Dec 2026");
    EXPECT_EQ(control->MinDate(), 19010101);
    EXPECT_EQ(control->MaxDate(), 20991231);
    EXPECT_TRUE(control->AllowNull());
    EXPECT_EQ(control->Seperator(), L"/");
    EXPECT_EQ(control->PlaceHolder(), L"_");
    EXPECT_EQ(control->TextViewType(), 1);
    EXPECT_EQ(control->TextViewFormat(), 1);
    EXPECT_EQ(control->TextMaxLength(), 0);
    EXPECT_TRUE(control->Enabled());
    EXPECT_TRUE(control->DropListEnabled());
    EXPECT_EQ(control->SelectControl(), 0);
    EXPECT_EQ(control->CalendarOption(), 0);
    EXPECT_EQ(control->CalendarFirstDayOfWeek(), 1);
    EXPECT_TRUE(control->Text_Enabled());
    EXPECT_FALSE(control->Text_Locked());
    EXPECT_TRUE(boxes.calls.empty());
}

TEST_F(ValueProperties, ValuesOfTheWrongLengthBecomeTodayAsText) {
    control->PValue(V(L"20240229"));
    for (const Variant& v : {Variant(), V(L""), V(L"1234567"), Variant::FromLong(123456789)}) {
        control->PValue(v);
        EXPECT_EQ(Describe(control->PValue()), L"20261205/8") << Describe(v);
        EXPECT_EQ(BoxText(), L"05 Dec 2026");
    }
    EXPECT_EQ(host.keys, Keys(5, L"PValue"));
}

TEST_F(ValueProperties, EightCharacterValuesKeepTheirType) {
    control->PValue(Variant::FromLong(20240229));
    EXPECT_EQ(Describe(control->PValue()), L"20240229/3");
    EXPECT_EQ(BoxText(), L"29 Feb 2024");
    control->PValue(V(L"20231130"));
    EXPECT_EQ(Describe(control->PValue()), L"20231130/8");
    EXPECT_EQ(BoxText(), L"30 Nov 2023");
    // A Boolean's text is "False": five characters, so today.
    control->PValue(Variant::FromBool(false));
    EXPECT_EQ(Describe(control->PValue()), L"20261205/8");
}

TEST_F(ValueProperties, NonPositiveValueLeavesTheStoredOneButRefreshesTheBox) {
    control->PValue(Variant::FromLong(20240229));
    control->Text1().SetText(L"scribble");
    host.keys.clear();
    control->PValue(V(L"00000000"));
    control->PValue(V(L"-1234567"));
    EXPECT_EQ(Describe(control->PValue()), L"20240229/3");
    EXPECT_EQ(BoxText(), L"29 Feb 2024");
    EXPECT_EQ(host.keys, Keys(2, L"PValue"));
}

TEST_F(ValueProperties, UnconvertibleValueFailsWith382OnlyInRunMode) {
    control->PValue(V(L"20240229"));
    host.keys.clear();
    for (const Variant& bad : {V(L"abcdefgh"), Variant::Null()}) {
        try {
            control->PValue(bad);
            ADD_FAILURE() << "run mode must raise for " << (bad.Type() == VT_NULL ? "Null" : "letters");
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.Number(), 382);
            EXPECT_EQ(e.Source(), L"piloCal_Ctl:_PValue");
        }
    }
    host.userMode = false;
    EXPECT_NO_THROW(control->PValue(V(L"abcdefgh")));
    EXPECT_EQ(Describe(control->PValue()), L"20240229/8");
    EXPECT_EQ(BoxText(), L"29 Feb 2024");
    EXPECT_TRUE(host.keys.empty());
}

TEST_F(ValueProperties, InvalidCalendarDigitsAreStoredAndReportedWhenShown) {
    control->PValue(V(L"20261305"));
    EXPECT_EQ(Describe(control->PValue()), L"20261305/8");
    ASSERT_EQ(boxes.calls.size(), 1u);
    EXPECT_EQ(boxes.calls[0].text, L"Month value is not valid");
    EXPECT_EQ(BoxText(), L"05 Jan 2026");
}

TEST_F(ValueProperties, DateRangeLimitsAcceptOnlyOrderedValues) {
    control->MaxDate(21000101); // beyond 2099
    control->MaxDate(19010101); // equal to MinDate
    control->MinDate(18991231); // before 1900
    control->MinDate(20991231); // equal to MaxDate
    EXPECT_TRUE(host.keys.empty());
    EXPECT_EQ(control->MinDate(), 19010101);
    EXPECT_EQ(control->MaxDate(), 20991231);

    control->MinDate(19000000);
    control->MaxDate(20991230);
    control->MinDate(19000101);
    EXPECT_EQ(control->MinDate(), 19000101);
    EXPECT_EQ(control->MaxDate(), 20991230);
    EXPECT_EQ(host.keys, (Keys{L"MinDate", L"MaxDate", L"MinDate"}));

    // The range never touches the value.
    control->MinDate(20270101);
    EXPECT_EQ(Describe(control->PValue()), L"20261205/8");

    // A picked date is in range at either bound, not a day outside.
    control->MaxDate(20271231);
    EXPECT_TRUE(control->ChkDateInRange(20270101));
    EXPECT_TRUE(control->ChkDateInRange(20271231));
    EXPECT_FALSE(control->ChkDateInRange(20261231));
    EXPECT_FALSE(control->ChkDateInRange(20280101));
}

TEST_F(ValueProperties, SeparatorAndPlaceholderRules) {
    for (const wchar_t* ignored : {L".", L"//", L"", L"_"})
        control->Seperator(ignored);
    EXPECT_EQ(control->Seperator(), L"/");
    control->Seperator(L"-");
    EXPECT_EQ(control->Seperator(), L"-");

    control->PlaceHolder(L"_"); // its own current value
    control->PlaceHolder(L"x");
    control->PlaceHolder(L"##");
    EXPECT_EQ(control->PlaceHolder(), L"_");
    control->PlaceHolder(L"-"); // allowed although the separator is "-"
    EXPECT_EQ(control->PlaceHolder(), L"-");
    control->Seperator(L"-"); // now equal to the placeholder
    control->Seperator(L"\\");
    control->PlaceHolder(L" ");
    EXPECT_EQ(control->Seperator(), L"\\");
    EXPECT_EQ(control->PlaceHolder(), L" ");
    EXPECT_EQ(host.keys, (Keys{L"Seperator", L"PlaceHolder", L"Seperator", L"PlaceHolder"}));
}

TEST_F(ValueProperties, AllowNullFalseFillsAnEmptyValueOnly) {
    SharedSettings::ForThread().PValue = V(L""); // as a load of an empty value leaves it
    control->AllowNull(false);
    EXPECT_EQ(Describe(control->PValue()), L"20261205/8");
    EXPECT_EQ(BoxText(), L"05 Dec 2026");
    EXPECT_EQ(host.keys, (Keys{L"AllowNull", L"PValue"}));

    host.keys.clear();
    control->PValue(Variant::FromLong(20240229));
    control->AllowNull(true);
    control->AllowNull(false);
    EXPECT_EQ(Describe(control->PValue()), L"20240229/3");
    EXPECT_EQ(host.keys, (Keys{L"PValue", L"AllowNull", L"AllowNull"}));
}

TEST_F(ValueProperties, EnabledSequenceResetsColoursAndTheTextBox) {
    control->BgColor(0x123456);
    control->ButtonBgColor(0x654321);
    host.keys.clear();

    control->Enabled(false);
    EXPECT_EQ(host.keys, (Keys{L"BgColor", L"ButtonBgColor", L"Text_Enabled", L"Text_Locked", L"Enabled"}));
    EXPECT_EQ(control->BgColor(), 0xE0E0E0u);
    EXPECT_EQ(control->ButtonBgColor(), 0xE0E0E0u);
    EXPECT_FALSE(control->Text_Enabled());
    EXPECT_TRUE(control->Text_Locked());
    EXPECT_FALSE(control->UserControl().Enabled());
    EXPECT_FALSE(IsWindowEnabled(control->Text1().Handle()));

    host.keys.clear();
    control->Enabled(true);
    EXPECT_EQ(host.keys, (Keys{L"BgColor", L"ButtonBgColor", L"Text_Enabled", L"Text_Locked", L"Enabled"}));
    EXPECT_EQ(control->BgColor(), 0xFFFFFFu);
    EXPECT_EQ(control->ButtonBgColor(), 0xFFFFFFu);
    EXPECT_TRUE(control->Text_Enabled());
    EXPECT_FALSE(control->Text_Locked());
    EXPECT_TRUE(control->UserControl().Enabled());
}

TEST_F(ValueProperties, TextBoxSettingsReachTheRealEditWindow) {
    control->TextMaxLength(5);
    EXPECT_EQ(SendMessageW(control->Text1().Handle(), EM_GETLIMITTEXT, 0, 0), 5);
    EXPECT_EQ(control->TextMaxLength(), 5);
    control->Text_Locked(true);
    EXPECT_TRUE(GetWindowLongW(control->Text1().Handle(), GWL_STYLE) & ES_READONLY);
    control->Text_Enabled(false);
    EXPECT_FALSE(IsWindowEnabled(control->Text1().Handle()));
    // The control keeps its own length; the box may be changed behind it.
    control->Text1().SetMaxLength(9);
    EXPECT_EQ(control->TextMaxLength(), 5);
    EXPECT_EQ(host.keys, (Keys{L"TextMaxLength", L"Text_Locked", L"Text_Enabled"}));
}

TEST_F(ValueProperties, StoredAsGivenAndFirstDayOfWeekRange) {
    control->TextViewType(42);
    control->TextViewFormat(-1);
    control->SelectControl(7);
    control->CalendarOption(3);
    control->CalendarFirstDayOfWeek(0);
    control->CalendarFirstDayOfWeek(8);
    control->CalendarFirstDayOfWeek(7);
    control->DropListEnabled(false);
    EXPECT_EQ(control->TextViewType(), 42);
    EXPECT_EQ(control->TextViewFormat(), -1);
    EXPECT_EQ(control->SelectControl(), 7);
    EXPECT_EQ(control->CalendarOption(), 3);
    EXPECT_EQ(control->CalendarFirstDayOfWeek(), 7);
    EXPECT_FALSE(control->DropListEnabled());
    EXPECT_EQ(host.keys, (Keys{L"TextViewType", L"TextViewFormat", L"SelectControl", L"CalendarOption",
                               L"CalendarFirstDayOfWeek", L"DropListEnabled"}));
}

TEST_F(ValueProperties, ControlsOfOneThreadShareTheirSettings) {
    FakeHost otherHost;
    Zarn other(otherHost);
    other.Text1().SetText(L"old");
    control->MinDate(19500101);
    control->PValue(V(L"20240229"));
    control->HoverColor(0x00FF00);
    EXPECT_EQ(other.MinDate(), 19500101);
    EXPECT_EQ(Describe(other.PValue()), L"20240229/8");
    EXPECT_EQ(other.HoverColor(), 0x00FF00u);
    EXPECT_EQ(other.Text1().Text(), L"old"); // it formats the value when it next shows it
    EXPECT_TRUE(otherHost.keys.empty());
}

TEST_F(ValueProperties, AnotherThreadHasItsOwnSettings) {
    control->MinDate(19500101);
    control->PValue(V(L"20240229"));
    long minDate = 0;
    std::wstring value;
    std::thread([&] {
        ComApartment apartment;
        FakeHost otherHost;
        {
            Zarn other(otherHost);
            minDate = other.MinDate();
            value = Describe(other.PValue());
            other.MinDate(19600101);
        }
        SharedSettings::ReleaseForThread();
    }).join();
    EXPECT_EQ(minDate, 0);
    EXPECT_EQ(value, L"<empty>/0");
    EXPECT_EQ(control->MinDate(), 19500101);
}

TEST(DateIsNull, OnlyTheEmptyTextIsNull) {
    FakeHost host;
    Zarn control(host);
    EXPECT_TRUE(control.DateIsNull(L""));
    EXPECT_FALSE(control.DateIsNull(L" "));
    EXPECT_FALSE(control.DateIsNull(L"0"));
}

} // namespace
} // namespace zarn::test
