// Input a careless client can send through IDispatch: wrong VARIANT types,
// missing and extra arguments, huge strings. None may crash the control or
// cost it the values it holds.
#include "ContainerFakes.h"

using namespace zarn::test;

namespace {

constexpr const wchar_t* kHeld = L"PValue=VT_BSTR 20240229 MinDate=VT_I4 19500101 MaxDate=VT_I4 20501231";

// Gives a control the value and range that bad calls must not disturb.
void Hold(IDispatch* z) {
    ASSERT_EQ(PropPut(z, id::PValue, L"20240229").hr, S_OK);
    ASSERT_EQ(PropPut(z, id::MinDate, 19500101).hr, S_OK);
    ASSERT_EQ(PropPut(z, id::MaxDate, 20501231).hr, S_OK);
    ASSERT_EQ(ValueState(z), kHeld);
}

class ComBadInput : public OcxTest {
protected:
    void SetUp() override {
        OcxTest::SetUp();
        if (z)
            Hold(z.Get());
    }
};

Var ArrayOfLongs() {
    Var v;
    SAFEARRAY* array = SafeArrayCreateVector(VT_I4, 0, 2);
    LONG* data = nullptr;
    SafeArrayAccessData(array, reinterpret_cast<void**>(&data));
    data[0] = 2024;
    data[1] = 229;
    SafeArrayUnaccessData(array);
    V_VT(&v) = VT_ARRAY | VT_I4;
    V_ARRAY(&v) = array;
    return v;
}

std::wstring Hex(HRESULT hr) {
    wchar_t text[16];
    swprintf(text, 16, L"0x%08lx", static_cast<unsigned long>(hr));
    return text;
}

TEST_F(ComBadInput, ValuesItCannotReadFailPValueWithError382) {
    const auto other = Ocx::Get().Create(); // an object without a default value
    ASSERT_TRUE(other);
    const std::pair<const char*, Var> values[] = {
        {"Null", Var::Null()},
        {"Nothing", Var::Object(nullptr)},
        {"an object", Var::Object(other.Get())},
        {"an array", ArrayOfLongs()},
        {"a missing argument", Var::Error(DISP_E_PARAMNOTFOUND)},
        {"an error value", Var::Error(E_FAIL)},
        {"eight letters", Var(L"abcdefgh")},
    };
    for (const auto& [what, value] : values) {
        const DispResult r = PropPut(z.Get(), id::PValue, value);
        EXPECT_EQ(r.hr, DISP_E_EXCEPTION) << what << ": " << Hex(r.hr);
        EXPECT_EQ(r.excep.scode, kErrSetNotSupportedAtRuntime) << what;
        EXPECT_EQ(r.Source(), L"piloCal_Ctl:_PValue") << what;
        EXPECT_EQ(ValueState(z.Get()), kHeld) << what;
    }
}

// Letters for a Long are a type mismatch. (Wine's oleaut32 leaves the
// argument index unset, so it is not checked.)
TEST_F(ComBadInput, WrongTypesForTheDateRangeAreRefused) {
    const std::pair<const char*, Var> values[] = {
        {"Nothing", Var::Object(nullptr)},
        {"an array", ArrayOfLongs()},
        {"an error value", Var::Error(E_FAIL)},
        {"letters", Var(L"abc")},
    };
    for (DISPID member : {id::MinDate, id::MaxDate}) {
        for (const auto& [what, value] : values) {
            const DispResult r = PropPut(z.Get(), member, value);
            EXPECT_TRUE(FAILED(r.hr)) << what << " to " << member;
            if (V_VT(&value) == VT_BSTR) {
                EXPECT_EQ(r.hr, DISP_E_TYPEMISMATCH) << Hex(r.hr);
            }
            EXPECT_EQ(ValueState(z.Get()), kHeld) << what << " to " << member;
        }
        // A date coerces to its day count, far below any yyyymmdd: ignored.
        EXPECT_EQ(PropPut(z.Get(), member, Var::Date(45351.0)).hr, S_OK);
        EXPECT_EQ(ValueState(z.Get()), kHeld);
    }
}

// A put takes exactly its one value: none is a missing parameter, more (a
// script's z.PValue(1) = x) the wrong number of them, and an argument to a
// get asks for an element of the value.
TEST_F(ComBadInput, WrongArgumentCountsAreRefused) {
    for (DISPID member : {id::PValue, id::MinDate, id::MaxDate}) {
        const DispResult none = Invoke(z.Get(), member, DISPATCH_PROPERTYPUT, {}, false);
        EXPECT_TRUE(none.hr == DISP_E_PARAMNOTFOUND || none.hr == DISP_E_BADPARAMCOUNT)
            << "put without argument to " << member << ": " << Hex(none.hr);
        const DispResult two = Invoke(z.Get(), member, DISPATCH_PROPERTYPUT, {Var(1), Var(20240316)});
        EXPECT_EQ(two.hr, DISP_E_BADPARAMCOUNT) << "put of two arguments to " << member << ": " << Hex(two.hr);
        const DispResult get = Invoke(z.Get(), member, DISPATCH_PROPERTYGET, {Var(1)});
        EXPECT_TRUE(get.hr == DISP_E_BADPARAMCOUNT || get.hr == DISP_E_NOTACOLLECTION)
            << "get with an argument of " << member << ": " << Hex(get.hr);
        EXPECT_EQ(ValueState(z.Get()), kHeld) << member;
    }
    // No parameters at all.
    EXPECT_EQ(z->Invoke(id::PValue, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, nullptr, nullptr,
                        nullptr, nullptr),
              E_INVALIDARG);
    EXPECT_EQ(ValueState(z.Get()), kHeld);
}

TEST_F(ComBadInput, AMegabyteOfTextIsHarmless) {
    const std::wstring huge(1 << 20, L'2');

    EXPECT_EQ(PropPut(z.Get(), id::Seperator, huge).hr, S_OK);
    EXPECT_EQ(PropPut(z.Get(), id::PlaceHolder, huge).hr, S_OK);
    EXPECT_EQ(Read(z.Get(), id::Seperator), L"VT_BSTR /");
    EXPECT_EQ(Read(z.Get(), id::PlaceHolder), L"VT_BSTR _");
    EXPECT_EQ(ValueState(z.Get()), kHeld);

    // The font object may take or refuse such a face name; either way the
    // control goes on working.
    const DispResult font = PropPut(z.Get(), id::FontName, huge);
    EXPECT_TRUE(font.hr == S_OK || font.hr == DISP_E_EXCEPTION) << Hex(font.hr);
    EXPECT_EQ(PropGet(z.Get(), id::FontName).hr, S_OK);
    EXPECT_EQ(ValueState(z.Get()), kHeld);

    // Not eight characters: today.
    EXPECT_EQ(PropPut(z.Get(), id::PValue, huge).hr, S_OK);
    EXPECT_EQ(Read(z.Get(), id::PValue), L"VT_BSTR " + TodayText());
    EXPECT_EQ(ReadLong(z.Get(), id::MinDate), 19500101);
    EXPECT_EQ(ReadLong(z.Get(), id::MaxDate), 20501231);
}

TEST_F(ComBadInput, MousePointerBeyondAnIntegerOverflows) {
    ASSERT_EQ(PropPut(z.Get(), id::mousePointer, 2).hr, S_OK);
    sink.changed.clear();

    const DispResult r = PropPut(z.Get(), id::mousePointer, 70000);
    EXPECT_EQ(r.hr, DISP_E_EXCEPTION) << Hex(r.hr);
    EXPECT_EQ(r.excep.scode, kErrOverflow);
    EXPECT_EQ(ReadLong(z.Get(), id::mousePointer), 2);
    EXPECT_EQ(sink.changed, Ids({}));
    EXPECT_EQ(ValueState(z.Get()), kHeld);
}

// Scripts pass their variables by reference; the control keeps the value,
// not the reference.
TEST_F(ComBadInput, AValueByReferenceIsStoredDereferenced) {
    Var text(L"20240315");
    Var ref;
    V_VT(&ref) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(&ref) = &text;
    EXPECT_EQ(PropPut(z.Get(), id::PValue, ref).hr, S_OK);
    text = Var(L"20991231");
    EXPECT_EQ(Read(z.Get(), id::PValue), L"VT_BSTR 20240315");

    LONG number = 20240316;
    Var longRef;
    V_VT(&longRef) = VT_BYREF | VT_I4;
    V_I4REF(&longRef) = &number;
    EXPECT_EQ(PropPut(z.Get(), id::PValue, longRef).hr, S_OK);
    number = 20991231;
    EXPECT_EQ(Read(z.Get(), id::PValue), L"VT_I4 20240316");

    // A reference to Null is still Null.
    Var null = Var::Null();
    V_VARIANTREF(&ref) = &null;
    EXPECT_EQ(PropPut(z.Get(), id::PValue, ref).excep.scode, kErrSetNotSupportedAtRuntime);
    EXPECT_EQ(Read(z.Get(), id::PValue), L"VT_I4 20240316");
}

} // namespace
