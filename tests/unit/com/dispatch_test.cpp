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

// One Invoke as a careless client makes it: arguments in the caller's
// order, the names given for the last of them.
struct Call {
    const char* what;
    const wchar_t* member;
    WORD flags;
    std::vector<Var> args;
    std::vector<DISPID> names;
    HRESULT expected;
};

HRESULT Make(IDispatch* z, const Call& c) {
    std::vector<VARIANTARG> reversed(c.args.rbegin(), c.args.rend());
    std::vector<DISPID> names = c.names;
    DISPPARAMS params{reversed.data(), names.data(), static_cast<UINT>(reversed.size()),
                      static_cast<UINT>(names.size())};
    Var result;
    EXCEPINFO excep{};
    const HRESULT hr = z->Invoke(c.member ? IdOf(z, c.member) : 999, IID_NULL, LOCALE_USER_DEFAULT, c.flags,
                                 &params, &result, &excep, nullptr);
    SysFreeString(excep.bstrSource);
    SysFreeString(excep.bstrDescription);
    SysFreeString(excep.bstrHelpFile);
    return hr;
}

Var Ref(VARTYPE type, void* target) {
    Var v = Var::Of(VT_BYREF | type);
    V_BYREF(&v) = target;
    return v;
}

// Every call is checked against the members before any of it runs: a get
// with an argument (a script's z.Icon(1)) is the wrong count even where
// the property holds no object, and a reference must point at a value.
TEST_F(ComDispatch, CallsTheMembersCannotTakeAreRefusedUpFront) {
    constexpr WORD get = DISPATCH_PROPERTYGET, put = DISPATCH_PROPERTYPUT, method = DISPATCH_METHOD;
    constexpr DISPID value = DISPID_PROPERTYPUT;
    Var longRef = Ref(VT_I4, nullptr);
    LONG number = 1;
    const Call calls[] = {
        {"Icon(1)", L"Icon", method | get, {Var(1)}, {}, DISP_E_BADPARAMCOUNT},
        {"MouseIcon(1)", L"MouseIcon", get, {Var(1)}, {}, DISP_E_BADPARAMCOUNT},
        {"TodayPicture(1)", L"TodayPicture", method | get, {Var(1)}, {}, DISP_E_BADPARAMCOUNT},
        {"WeekSignPicture(1, 2)", L"WeekSignPicture", get, {Var(1), Var(2)}, {}, DISP_E_BADPARAMCOUNT},
        {"get|put unnamed is a get", L"CalendarSelectePicture", get | put, {Var(1)}, {}, DISP_E_BADPARAMCOUNT},
        {"get|put naming its value is a put", L"MinDate", get | put, {Var(19500101)}, {value}, S_OK},
        {"put and putref of a number", L"MaxDate", put | DISPATCH_PROPERTYPUTREF, {Var(20501231)}, {value},
         S_OK},
        {"no such member", nullptr, get, {}, {}, DISP_E_MEMBERNOTFOUND},
        {"no kind of call", L"MinDate", 0, {}, {}, DISP_E_MEMBERNOTFOUND},
        {"a property called as a method", L"MinDate", method, {}, {}, DISP_E_MEMBERNOTFOUND},
        {"a method read as a property", L"RefreshControl", get, {}, {}, DISP_E_MEMBERNOTFOUND},
        {"a put to a read-only property", L"TodayFontBold", put, {Var::Bool(true)}, {value},
         DISP_E_MEMBERNOTFOUND},
        {"a putref of a number", L"MinDate", DISPATCH_PROPERTYPUTREF, {Var(1)}, {value}, DISP_E_MEMBERNOTFOUND},
        {"a put with two values", L"PValue", put, {Var(1), Var(L"20240316")}, {value}, DISP_E_BADPARAMCOUNT},
        {"a put without its value", L"PValue", put, {}, {}, DISP_E_BADPARAMCOUNT},
        {"a method without its argument", L"DrawControl", method, {}, {}, DISP_E_BADPARAMCOUNT},
        {"a method with one too many", L"RefreshControl", method, {Var(1)}, {}, DISP_E_BADPARAMCOUNT},
        {"a put naming its value otherwise", L"MinDate", put, {Var(19500101)}, {0}, DISP_E_PARAMNOTFOUND},
        {"a method naming no parameter of its", L"DrawControl", method, {Var(0)}, {3}, DISP_E_PARAMNOTFOUND},
        {"a method naming its parameter", L"DrawControl", method, {Var(0)}, {0}, S_OK},
        {"a type no VARIANT has", L"MinDate", put, {Var::Of(0x7F)}, {value}, DISP_E_BADVARTYPE},
        {"Empty by reference", L"PValue", put, {Var::Of(VT_BYREF | VT_EMPTY)}, {value}, DISP_E_BADVARTYPE},
        {"a reference to a reference", L"PValue", put, {Ref(VT_VARIANT, &longRef)}, {value}, DISP_E_BADVARTYPE},
        {"letters for a Long", L"MinDate", put, {Var(L"abc")}, {value}, DISP_E_TYPEMISMATCH},
        {"a Long reference to nothing", L"MinDate", put, {Ref(VT_I4, nullptr)}, {value}, DISP_E_TYPEMISMATCH},
        {"a control for a picture", L"Icon", DISPATCH_PROPERTYPUTREF, {Var::Object(z.Get())}, {value},
         DISP_E_TYPEMISMATCH},
        {"a Long for an Integer reference", L"PiloCalendarshow", method, {Ref(VT_I4, &number)}, {},
         DISP_E_TYPEMISMATCH},
        {"a text reference to nothing", L"DateIsNull", method | get, {Ref(VT_BSTR, nullptr)}, {},
         DISP_E_TYPEMISMATCH},
    };
    for (const Call& c : calls)
        EXPECT_EQ(Make(z.Get(), c), c.expected) << c.what;

    // Arrays a caller forgot.
    Var arg(1);
    DISPID named = DISPID_PROPERTYPUT;
    for (const DISPPARAMS& p : {DISPPARAMS{nullptr, nullptr, 1, 0}, DISPPARAMS{&arg, nullptr, 1, 1},
                                DISPPARAMS{&arg, &named, 0, 1}}) {
        DISPPARAMS params = p;
        EXPECT_EQ(z->Invoke(id::MinDate, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr,
                            nullptr, nullptr),
                  E_INVALIDARG);
    }
    EXPECT_EQ(z->Invoke(id::MinDate, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, nullptr, nullptr,
                        nullptr, nullptr),
              E_INVALIDARG);
    LPOLESTR name = const_cast<LPOLESTR>(L"PValue"), noName = nullptr;
    DISPID id = 0;
    EXPECT_EQ(z->GetIDsOfNames(IID_NULL, nullptr, 1, LOCALE_USER_DEFAULT, &id), E_POINTER);
    EXPECT_EQ(z->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, nullptr), E_POINTER);
    EXPECT_EQ(z->GetIDsOfNames(IID_NULL, &noName, 1, LOCALE_USER_DEFAULT, &id), E_POINTER);
    EXPECT_EQ(Read(z.Get(), id::MinDate) + Read(z.Get(), id::MaxDate), L"VT_I4 19500101VT_I4 20501231");
}

} // namespace
