// The value properties through IDispatch, as a script or container calls
// them: names and DISPIDs from the type library, and the setters' rules.
#include "ContainerFakes.h"

using namespace zarn::test;

namespace {

using ComDispatch = OcxTest;

TEST_F(ComDispatch, NamesResolveWhateverTheirCase) {
    UINT count = 99;
    EXPECT_EQ(z->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 1u);

    // Published as misspelt: the correct spelling is no member.
    const std::pair<const wchar_t*, DISPID> members[] = {
        {L"PValue", 87},      {L"pvalue", 87},      {L"PVALUE", 87},          {L"minDATE", 86},
        {L"MaxDate", 85},     {L"Enabled", DISPID_ENABLED},                   {L"MousePointer", 90},
        {L"gridline", 70},    {L"Seperator", 83},   {L"text_locked", 42},     {L"DrawControl", 1},
        {L"DateIsNull", 93},  {L"Separator", DISP_E_UNKNOWNNAME},
    };
    for (const auto& [name, expected] : members)
        EXPECT_EQ(IdOf(z.Get(), name), expected) << Narrow(name);

    // A method's argument names resolve after it.
    LPOLESTR names[] = {const_cast<LPOLESTR>(L"drawcontrol"), const_cast<LPOLESTR>(L"STATUSTYPE")};
    DISPID ids[2] = {-99, -99};
    EXPECT_EQ(z->GetIDsOfNames(IID_NULL, names, 2, LOCALE_USER_DEFAULT, ids), S_OK);
    EXPECT_EQ(ids[0], 1);
    EXPECT_EQ(ids[1], 0);

    DISPID id = -99;
    EXPECT_EQ(z->GetIDsOfNames(IID_IUnknown, names, 1, LOCALE_USER_DEFAULT, &id), DISP_E_UNKNOWNINTERFACE);
}

TEST_F(ComDispatch, PValueKeepsTheTypeItWasGiven) {
    EXPECT_EQ(PropPut(z.Get(), id::PValue, L"20240229").hr, S_OK);
    EXPECT_EQ(Read(z.Get(), id::PValue), L"VT_BSTR 20240229");
    EXPECT_EQ(PropPut(z.Get(), id::PValue, 20240229).hr, S_OK);
    EXPECT_EQ(Read(z.Get(), id::PValue), L"VT_I4 20240229");
    EXPECT_EQ(PropPut(z.Get(), id::PValue, Var::Double(20240301.0)).hr, S_OK);
    EXPECT_EQ(Read(z.Get(), id::PValue), L"VT_R8 20240301");
    EXPECT_EQ(sink.changed, Ids({id::PValue, id::PValue, id::PValue}));

    // Anything not eight characters long becomes today, as text.
    const std::wstring today = L"VT_BSTR " + TodayText();
    const std::pair<const char*, Var> others[] = {
        {"Empty", Var()},
        {"empty text", Var(L"")},
        {"seven digits", Var(L"1234567")},
        {"nine digits", Var(123456789)},
        {"True", Var::Bool(true)},
        {"a date, ten characters in en-GB", Var::Date(45351.0)},
    };
    for (const auto& [what, value] : others) {
        ASSERT_EQ(PropPut(z.Get(), id::PValue, 20240229).hr, S_OK);
        EXPECT_EQ(PropPut(z.Get(), id::PValue, value).hr, S_OK) << what;
        EXPECT_EQ(Read(z.Get(), id::PValue), today) << what;
    }
}

TEST_F(ComDispatch, MinAndMaxDateStayInOrder) {
    EXPECT_EQ(ReadLong(z.Get(), id::MinDate), 19010101);
    EXPECT_EQ(ReadLong(z.Get(), id::MaxDate), 20991231);
    ASSERT_EQ(PropPut(z.Get(), id::PValue, L"20500101").hr, S_OK);
    sink.changed.clear();

    struct Step {
        DISPID member;
        long value;
        long min, max; // expected afterwards
    };
    const Step steps[] = {
        {id::MaxDate, 21000101, 19010101, 20991231}, // past 2099
        {id::MinDate, 18991231, 19010101, 20991231}, // before 1900
        {id::MinDate, 19000000, 19000000, 20991231}, // no calendar check
        {id::MaxDate, 20000101, 19000000, 20000101},
        {id::MinDate, 20000101, 19000000, 20000101}, // equal to MaxDate
    };
    for (const Step& s : steps) {
        EXPECT_EQ(PropPut(z.Get(), s.member, s.value).hr, S_OK) << s.value;
        EXPECT_EQ(ReadLong(z.Get(), id::MinDate), s.min) << "after " << s.value;
        EXPECT_EQ(ReadLong(z.Get(), id::MaxDate), s.max) << "after " << s.value;
    }
    EXPECT_EQ(sink.changed, Ids({id::MinDate, id::MaxDate}));
    // The range does not pull the value into it.
    EXPECT_EQ(Read(z.Get(), id::PValue), L"VT_BSTR 20500101");
}

TEST_F(ComDispatch, SeperatorAndPlaceHolderTakeOnlyTheirCharacters) {
    EXPECT_EQ(Read(z.Get(), id::Seperator), L"VT_BSTR /");
    EXPECT_EQ(Read(z.Get(), id::PlaceHolder), L"VT_BSTR _");

    struct Step {
        DISPID member;
        const wchar_t* value;
        const wchar_t* seperator; // expected afterwards
        const wchar_t* placeHolder;
        bool notifies;
    };
    const Step steps[] = {
        {id::Seperator, L"//", L"/", L"_", false},
        {id::Seperator, L"_", L"/", L"_", false}, // the placeholder, and no separator anyway
        {id::Seperator, L"-", L"-", L"_", true},
        {id::PlaceHolder, L"x", L"-", L"_", false},
        {id::PlaceHolder, L"-", L"-", L"-", true}, // the separator's own character is allowed
        {id::Seperator, L"-", L"-", L"-", false},  // equal to the placeholder
    };
    for (const Step& s : steps) {
        sink.changed.clear();
        EXPECT_EQ(PropPut(z.Get(), s.member, s.value).hr, S_OK);
        const std::wstring what =
            std::wstring(s.member == id::Seperator ? L"Seperator=" : L"PlaceHolder=") + L"'" + s.value + L"'";
        EXPECT_EQ(Read(z.Get(), id::Seperator), std::wstring(L"VT_BSTR ") + s.seperator) << what;
        EXPECT_EQ(Read(z.Get(), id::PlaceHolder), std::wstring(L"VT_BSTR ") + s.placeHolder) << what;
        EXPECT_EQ(sink.changed, s.notifies ? Ids({s.member}) : Ids({})) << what;
    }
}

} // namespace
