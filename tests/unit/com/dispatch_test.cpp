// The value properties through IDispatch, as a script or container calls
// them: names and DISPIDs from the type library, and the value's VARIANT
// type. The setters' rules are the control's, checked with it.
#include "ContainerFakes.h"

using namespace zarn::test;

namespace {

using ComDispatch = OcxTest;

TEST_F(ComDispatch, NamesResolveWhateverTheirCase) {
    UINT count = 99;
    EXPECT_EQ(z->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 1u);
    // Published as misspelt: the correct spelling is no member.
    const std::pair<const wchar_t*, DISPID> members[] = {{L"PValue", 87},
                                                         {L"pvalue", 87},
                                                         {L"PVALUE", 87},
                                                         {L"minDATE", 86},
                                                         {L"MaxDate", 85},
                                                         {L"Enabled", DISPID_ENABLED},
                                                         {L"MousePointer", 90},
                                                         {L"gridline", 70},
                                                         {L"Seperator", 83},
                                                         {L"text_locked", 42},
                                                         {L"DrawControl", 1},
                                                         {L"DateIsNull", 93},
                                                         {L"Separator", DISP_E_UNKNOWNNAME}};
    for (const auto& [name, expected] : members)
        EXPECT_EQ(IdOf(z.Get(), name), expected) << Narrow(name);

    // A method's argument names resolve after it.
    LPOLESTR names[] = {const_cast<LPOLESTR>(L"drawcontrol"), const_cast<LPOLESTR>(L"STATUSTYPE")};
    DISPID ids[2] = {-99, -99};
    EXPECT_EQ(z->GetIDsOfNames(IID_NULL, names, 2, LOCALE_USER_DEFAULT, ids), S_OK);
    EXPECT_EQ(std::vector(ids, ids + 2), Ids({1, 0}));
    EXPECT_EQ(z->GetIDsOfNames(IID_IUnknown, names, 1, LOCALE_USER_DEFAULT, ids), DISP_E_UNKNOWNINTERFACE);
}

// PValue keeps the VARIANT it was given when it is eight characters long;
// anything else becomes today, as text.
TEST_F(ComDispatch, PValueKeepsTheTypeItWasGiven) {
    const std::wstring today = L"VT_BSTR " + TodayText();
    const std::pair<Var, std::wstring> values[] = {
        {Var(L"20240229"), L"VT_BSTR 20240229"},
        {Var(20240229), L"VT_I4 20240229"},
        {Var::Double(20240301.0), L"VT_R8 20240301"},
        {Var(), today},
        {Var::Bool(true), today},
        {Var::Date(45351.0), today}, // ten characters in en-GB
    };
    for (const auto& [value, expected] : values) {
        EXPECT_EQ(PropPut(z.Get(), id::PValue, value).hr, S_OK) << Narrow(expected);
        EXPECT_EQ(Read(z.Get(), id::PValue), expected);
    }
    EXPECT_EQ(sink.changed, std::vector<DISPID>(std::size(values), id::PValue));
}

} // namespace
