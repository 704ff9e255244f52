// Input a careless client can send through IDispatch: wrong VARIANT types,
// missing and extra arguments, huge strings. None may crash the control or
// cost it the values it holds.
#include "ContainerFakes.h"

using namespace zarn::test;

namespace {

constexpr const wchar_t* kHeld = L"PValue=VT_BSTR 20240229 MinDate=VT_I4 19500101 MaxDate=VT_I4 20501231";

// A control holding the value and range that bad calls must not disturb.
class ComBadInput : public OcxTest {
protected:
    void SetUp() override {
        OcxTest::SetUp();
        ASSERT_EQ(PropPut(z.Get(), id::PValue, L"20240229").hr, S_OK);
        ASSERT_EQ(PropPut(z.Get(), id::MinDate, 19500101).hr, S_OK);
        ASSERT_EQ(PropPut(z.Get(), id::MaxDate, 20501231).hr, S_OK);
        ASSERT_EQ(ValueState(z.Get()), kHeld);
    }
};

Var ArrayOfLongs() {
    Var v = Var::Of(VT_ARRAY | VT_I4);
    V_ARRAY(&v) = SafeArrayCreateVector(VT_I4, 0, 2);
    return v;
}

TEST_F(ComBadInput, ValuesItCannotReadFailPValueWithError382) {
    const auto other = Ocx::Get().Create(); // an object without a default value
    Var nowhere = Var::Of(VT_BYREF | VT_VARIANT);
    V_VARIANTREF(&nowhere) = nullptr;
    const std::pair<const char*, Var> values[] = {{"Null", Var::Null()},
                                                  {"Nothing", Var::Object(nullptr)},
                                                  {"an object", Var::Object(other.Get())},
                                                  {"an array", ArrayOfLongs()},
                                                  {"a missing argument", Var::Error(DISP_E_PARAMNOTFOUND)},
                                                  {"an error value", Var::Error(E_FAIL)},
                                                  {"eight letters", Var(L"abcdefgh")},
                                                  {"a reference to nothing", nowhere}};
    for (const auto& [what, value] : values) {
        SCOPED_TRACE(what);
        const DispResult r = PropPut(z.Get(), id::PValue, value);
        EXPECT_EQ(r.hr, DISP_E_EXCEPTION);
        EXPECT_EQ(r.excep.scode, kErrSetNotSupportedAtRuntime);
        EXPECT_EQ(r.Source(), L"piloCal_Ctl:_PValue");
        EXPECT_EQ(ValueState(z.Get()), kHeld);
    }
}

// Letters for a Long are a type mismatch. (Wine's oleaut32 leaves the
// argument index unset, so it is not checked.) A date coerces to its day
// count, far below any yyyymmdd: ignored.
TEST_F(ComBadInput, WrongTypesForTheDateRangeAreRefused) {
    const std::pair<const char*, Var> values[] = {{"Nothing", Var::Object(nullptr)},
                                                  {"an array", ArrayOfLongs()},
                                                  {"an error value", Var::Error(E_FAIL)},
                                                  {"letters", Var(L"abc")},
                                                  {"a date", Var::Date(45351.0)}};
    for (DISPID member : {id::MinDate, id::MaxDate})
        for (const auto& [what, value] : values) {
            SCOPED_TRACE(std::string(what) + " to " + std::to_string(member));
            const HRESULT hr = PropPut(z.Get(), member, value).hr;
            EXPECT_EQ(SUCCEEDED(hr), V_VT(&value) == VT_DATE) << std::hex << hr;
            EXPECT_TRUE(V_VT(&value) != VT_BSTR || hr == DISP_E_TYPEMISMATCH) << std::hex << hr;
            EXPECT_EQ(ValueState(z.Get()), kHeld);
        }
}

TEST_F(ComBadInput, AMegabyteOfTextIsHarmless) {
    const std::wstring huge(1 << 20, L'2');
    EXPECT_EQ(PropPut(z.Get(), id::Seperator, huge).hr, S_OK);
    EXPECT_EQ(PropPut(z.Get(), id::PlaceHolder, huge).hr, S_OK);
    EXPECT_EQ(Read(z.Get(), id::Seperator) + Read(z.Get(), id::PlaceHolder), L"VT_BSTR /VT_BSTR _");
    // The font object may take or refuse such a face name; either way the
    // control goes on working.
    const HRESULT font = PropPut(z.Get(), id::FontName, huge).hr;
    EXPECT_TRUE(font == S_OK || font == DISP_E_EXCEPTION) << std::hex << font;
    EXPECT_EQ(PropGet(z.Get(), id::FontName).hr, S_OK);
    EXPECT_EQ(ValueState(z.Get()), kHeld);
    // Not eight characters: today.
    EXPECT_EQ(PropPut(z.Get(), id::PValue, huge).hr, S_OK);
    EXPECT_EQ(ValueState(z.Get()),
              L"PValue=VT_BSTR " + TodayText() + L" MinDate=VT_I4 19500101 MaxDate=VT_I4 20501231");
}

// Scripts pass their variables by reference; the control keeps the value,
// not the reference. A reference to Null is still Null.
TEST_F(ComBadInput, AValueByReferenceIsStoredDereferenced) {
    Var text(L"20240315"), null = Var::Null(), ref = Var::Of(VT_BYREF | VT_VARIANT),
                           longRef = Var::Of(VT_BYREF | VT_I4);
    LONG number = 20240316;
    V_VARIANTREF(&ref) = &text;
    V_I4REF(&longRef) = &number;
    EXPECT_EQ(PropPut(z.Get(), id::PValue, ref).hr, S_OK);
    text = Var(L"20991231");
    EXPECT_EQ(Read(z.Get(), id::PValue), L"VT_BSTR 20240315");
    EXPECT_EQ(PropPut(z.Get(), id::PValue, longRef).hr, S_OK);
    number = 20991231;
    EXPECT_EQ(Read(z.Get(), id::PValue), L"VT_I4 20240316");
    V_VARIANTREF(&ref) = &null;
    EXPECT_EQ(PropPut(z.Get(), id::PValue, ref).excep.scode, kErrSetNotSupportedAtRuntime);
    EXPECT_EQ(Read(z.Get(), id::PValue), L"VT_I4 20240316");
}

} // namespace
