// The bag a control saves into: it keeps every write with its type, reads
// give the latest value of a key, and a key it does not hold is refused so
// the control falls back on its own default.
#include "form/PropertyBag.h"

#include <gtest/gtest.h>

#include <olectl.h>

namespace zarnhost {
namespace {

using Microsoft::WRL::ComPtr;

HRESULT Write(PropertyBag& bag, const wchar_t* key, Variant value) {
    return bag.Write(key, value.Ptr());
}

TEST(PropertyBag, ReadsTheLatestWriteAndKeepsEveryWriteInOrder) {
    auto bag = Make<PropertyBag>();
    ASSERT_EQ(Write(*bag.Get(), L"TextMaxLength", Variant::Long(0)), S_OK);
    ASSERT_EQ(Write(*bag.Get(), L"PValue", Variant::Text(L"20240229")), S_OK);
    ASSERT_EQ(Write(*bag.Get(), L"TextMaxLength", Variant::Bool(true)), S_OK);

    VARIANT v;
    V_VT(&v) = VT_EMPTY;
    ASSERT_EQ(bag->Read(L"textmaxlength", &v, nullptr), S_OK);
    EXPECT_EQ(V_VT(&v), VT_BOOL);
    VariantClear(&v);

    ASSERT_EQ(bag->Entries().size(), 3u);
    EXPECT_EQ(bag->Entries()[0].value.Type(), VT_I4);
    EXPECT_EQ(bag->Entries()[1].key, L"PValue");
}

TEST(PropertyBag, AReadAsksForItsTypeAndGetsAConversionOrTheError) {
    auto bag = Make<PropertyBag>();
    Write(*bag.Get(), L"Number", Variant::Text(L"12"));
    Write(*bag.Get(), L"Word", Variant::Text(L"abc"));
    VARIANT v;
    V_VT(&v) = VT_I2;
    ASSERT_EQ(bag->Read(L"Number", &v, nullptr), S_OK);
    EXPECT_EQ(V_VT(&v), VT_I2);
    EXPECT_EQ(V_I2(&v), 12);
    V_VT(&v) = VT_I4;
    EXPECT_EQ(bag->Read(L"Word", &v, nullptr), DISP_E_TYPEMISMATCH);

    // A key it does not hold is refused and the caller's VARIANT left alone.
    V_I4(&v) = 1234;
    EXPECT_EQ(bag->Read(L"Missing", &v, nullptr), E_INVALIDARG);
    EXPECT_EQ(V_VT(&v), VT_I4);
    EXPECT_EQ(V_I4(&v), 1234);
}

TEST(PropertyBag, TakesPlainValuesPicturesAndNothingButNoOtherObjects) {
    auto bag = Make<PropertyBag>();
    EXPECT_EQ(Write(*bag.Get(), L"Icon", Variant::Object(nullptr)), S_OK);

    PICTDESC empty{};
    empty.cbSizeofstruct = sizeof empty;
    empty.picType = PICTYPE_NONE;
    ComPtr<IPictureDisp> picture;
    OleCreatePictureIndirect(&empty, IID_IPictureDisp, TRUE,
                             reinterpret_cast<void**>(picture.GetAddressOf()));
    EXPECT_EQ(Write(*bag.Get(), L"Picture", Variant::Object(picture.Get())), S_OK);

    FONTDESC font{};
    font.cbSizeofstruct = sizeof font;
    font.lpstrName = const_cast<LPOLESTR>(L"Arial");
    font.cySize.int64 = 100000;
    font.sWeight = FW_NORMAL;
    ComPtr<IFontDisp> notAPicture;
    OleCreateFontIndirect(&font, IID_IFontDisp, reinterpret_cast<void**>(notAPicture.GetAddressOf()));
    EXPECT_EQ(Write(*bag.Get(), L"Font", Variant::Object(notAPicture.Get())), E_INVALIDARG);
    EXPECT_EQ(Write(*bag.Get(), L"", Variant::Long(1)), E_INVALIDARG);
    EXPECT_EQ(bag->Entries().size(), 2u);
}

TEST(PropertyBag, StoresWhatAReferencePointsAt) {
    auto bag = Make<PropertyBag>();
    SHORT value = 7;
    VARIANT ref;
    V_VT(&ref) = VT_BYREF | VT_I2;
    V_I2REF(&ref) = &value;
    ASSERT_EQ(bag->Write(L"Ref", &ref), S_OK);
    value = 8;
    EXPECT_EQ(bag->Entries()[0].value.Type(), VT_I2);
    EXPECT_EQ(V_I2(&bag->Entries()[0].value.Get()), 7);
}

} // namespace
} // namespace zarnhost
