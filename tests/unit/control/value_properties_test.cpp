// The value and behaviour properties: what each setter accepts or ignores,
// what it notifies, and how the value keeps its type. (Their defaults are
// checked in what a placed control saves; every setter's notice and the
// sharing between controls and threads, through the built control.)
#include "ControlFixture.h"

namespace zarn::test {
namespace {

using ValueProperties = ControlTest;

// A value of eight characters is kept as given, in its own type; anything
// else becomes today, as text; eight characters that are no positive number
// leave the stored value but show it again. Every put notifies.
TEST_F(ValueProperties, ValuesKeepTheirTypeOrBecomeToday) {
    const struct {
        Variant value;
        const wchar_t *stored, *shown;
    } cases[] = {{Variant::FromLong(20240229), L"20240229/3", L"29 Feb 2024"},
                 {V(L"20231130"), L"20231130/8", L"30 Nov 2023"},
                 {V(L"00000000"), L"20231130/8", L"30 Nov 2023"},
                 {V(L"-1234567"), L"20231130/8", L"30 Nov 2023"},
                 {Variant(), L"20261205/8", L"05 Dec 2026"},
                 {V(L"20240229"), L"20240229/8", L"29 Feb 2024"},
                 {V(L""), L"20261205/8", L"05 Dec 2026"},
                 {V(L"1234567"), L"20261205/8", L"05 Dec 2026"},
                 {Variant::FromLong(123456789), L"20261205/8", L"05 Dec 2026"},
                 {Variant::FromBool(false), L"20261205/8", L"05 Dec 2026"}}; // "False": five characters
    for (const auto& c : cases) {
        control->Text1().SetText(L"scribble");
        control->PValue(c.value);
        EXPECT_EQ(Describe(control->PValue()), c.stored) << Describe(c.value);
        EXPECT_EQ(BoxText(), c.shown) << Describe(c.value);
    }
    EXPECT_EQ(host.keys, Keys(std::size(cases), L"PValue"));
    EXPECT_TRUE(boxes.calls.empty());
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
    EXPECT_EQ(boxes.Texts(), std::vector<std::wstring>{L"Month value is not valid"});
    EXPECT_EQ(BoxText(), L"05 Jan 2026");
}

TEST_F(ValueProperties, DateRangeLimitsAcceptOnlyOrderedValues) {
    control->MaxDate(21000101); // beyond 2099
    control->MaxDate(19010101); // equal to MinDate
    control->MinDate(18991231); // before 1900
    control->MinDate(20991231); // equal to MaxDate
    EXPECT_TRUE(host.keys.empty());
    EXPECT_EQ(std::pair(control->MinDate(), control->MaxDate()), std::pair(19010101L, 20991231L));

    control->MinDate(19000000); // no calendar check
    control->MaxDate(20991230);
    control->MinDate(19000101);
    EXPECT_EQ(std::pair(control->MinDate(), control->MaxDate()), std::pair(19000101L, 20991230L));
    EXPECT_EQ(host.keys, (Keys{L"MinDate", L"MaxDate", L"MinDate"}));

    // The range never touches the value.
    control->MinDate(20270101);
    EXPECT_EQ(Describe(control->PValue()), L"20261205/8");

    // A picked date is in range at either bound, not a day outside.
    control->MaxDate(20271231);
    EXPECT_TRUE(control->ChkDateInRange(20270101) && control->ChkDateInRange(20271231));
    EXPECT_FALSE(control->ChkDateInRange(20261231) || control->ChkDateInRange(20280101));
}

// The separator is one of / - \ : and not the placeholder; the placeholder
// one of _ # - and the blank, checked only against itself.
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
    EXPECT_EQ(control->Seperator() + control->PlaceHolder(), L"\\ ");
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

// Enabled greys the face and locks the text box; enabling again leaves
// white, whatever colours were set before.
TEST_F(ValueProperties, EnabledSequenceResetsColoursAndTheTextBox) {
    control->BgColor(0x123456);
    control->ButtonBgColor(0x654321);
    const auto state = [&] {
        wchar_t text[96];
        swprintf(text, 96, L"%06lx %06lx text %d locked %d surface %d box %d", control->BgColor(),
                 control->ButtonBgColor(), control->Text_Enabled(), control->Text_Locked(),
                 control->UserControl().Enabled(), IsWindowEnabled(control->Text1().Handle()));
        return std::wstring(text);
    };
    for (const bool enabled : {false, true}) {
        host.keys.clear();
        control->Enabled(enabled);
        EXPECT_EQ(host.keys,
                  (Keys{L"BgColor", L"ButtonBgColor", L"Text_Enabled", L"Text_Locked", L"Enabled"}));
        EXPECT_EQ(state(), enabled ? L"ffffff ffffff text 1 locked 0 surface 1 box 1"
                                   : L"e0e0e0 e0e0e0 text 0 locked 1 surface 0 box 0");
    }
}

TEST_F(ValueProperties, TextBoxSettingsReachTheRealEditWindow) {
    const HWND box = control->Text1().Handle();
    control->TextMaxLength(5);
    EXPECT_EQ(SendMessageW(box, EM_GETLIMITTEXT, 0, 0), 5);
    control->Text_Locked(true);
    EXPECT_TRUE(GetWindowLongW(box, GWL_STYLE) & ES_READONLY);
    control->Text_Enabled(false);
    EXPECT_FALSE(IsWindowEnabled(box));
    // The control keeps its own length; the box may be changed behind it.
    control->Text1().SetMaxLength(9);
    EXPECT_EQ(control->TextMaxLength(), 5);
    EXPECT_EQ(host.keys, (Keys{L"TextMaxLength", L"Text_Locked", L"Text_Enabled"}));
}

TEST_F(ValueProperties, FirstDayOfWeekIsOneToSeven) {
    for (const long day : {0, 8, 7, -1})
        control->CalendarFirstDayOfWeek(day);
    EXPECT_EQ(control->CalendarFirstDayOfWeek(), 7);
    EXPECT_EQ(host.keys, Keys{L"CalendarFirstDayOfWeek"});
}

TEST(DateIsNull, OnlyTheEmptyTextIsNull) {
    FakeHost host;
    Zarn control(host);
    EXPECT_TRUE(control.DateIsNull(L""));
    EXPECT_FALSE(control.DateIsNull(L" ") || control.DateIsNull(L"0"));
}

} // namespace
} // namespace zarn::test
