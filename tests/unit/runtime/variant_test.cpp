// Conversions follow the platform's coercion rules and map its failures to
// the run-time errors a host expects.
#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace zarn;
using zarn::test::ErrorNumberOf;

namespace {

TEST(VariantConversion, TextFormOfNumbersAndBooleans) {
    EXPECT_EQ(ToText(Variant::FromLong(20261205).Get()), L"20261205");
    EXPECT_EQ(ToText(Variant::FromInteger(-7).Get()), L"-7");
    EXPECT_EQ(ToText(Variant::FromBool(true).Get()), L"True");
    EXPECT_EQ(ToText(Variant::FromBool(false).Get()), L"False");
    EXPECT_EQ(ToText(Variant().Get()), L"");
    EXPECT_EQ(ErrorNumberOf([] { ToText(Variant::Null().Get()); }), 94);
}

TEST(VariantConversion, NumbersFromTextAndTheirErrors) {
    EXPECT_EQ(ToLong(Variant::FromText(L"20240229").Get()), 20240229);
    EXPECT_EQ(ToLong(Variant::FromText(L" 42 ").Get()), 42);
    EXPECT_EQ(ErrorNumberOf([] { ToLong(Variant::FromText(L"abcdefgh").Get()); }), ErrTypeMismatch);
    EXPECT_EQ(ErrorNumberOf([] { ToLong(Variant::FromText(L"99999999999").Get()); }), ErrOverflow);
    EXPECT_EQ(ErrorNumberOf([] { ToInteger(Variant::FromLong(70000).Get()); }), ErrOverflow);
    EXPECT_EQ(ErrorNumberOf([] { ToLong(Variant::Null().Get()); }), ErrTypeMismatch);
    EXPECT_EQ(ErrorNumberOf([] { NarrowToInteger(32768); }), ErrOverflow);
    EXPECT_EQ(NarrowToInteger(-32768), -32768);
}

TEST(VariantConversion, BooleansFollowAutomationRules) {
    EXPECT_TRUE(ToBool(Variant::FromLong(5).Get()));
    EXPECT_FALSE(ToBool(Variant::FromLong(0).Get()));
    EXPECT_TRUE(ToBool(Variant::FromText(L"True").Get()));
    EXPECT_EQ(ErrorNumberOf([] { ToBool(Variant::FromText(L"maybe").Get()); }), ErrTypeMismatch);
}

TEST(VariantConversion, ReferencesAreFollowed) {
    Variant inner = Variant::FromText(L"20261205");
    VARIANT ref;
    VariantInit(&ref);
    V_VT(&ref) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(&ref) = const_cast<VARIANT*>(&inner.Get());
    EXPECT_EQ(ToLong(ref), 20261205);
    const Variant copy = Variant::Dereferenced(ref);
    EXPECT_EQ(copy.Type(), VT_BSTR);
    EXPECT_TRUE(IsEmptyOrMissing(Variant().Get()));
}

TEST(VariantOwners, CopiesAreDeepAndMovesLeaveEmpty) {
    Variant a = Variant::FromText(L"abc");
    Variant b = a;
    EXPECT_NE(V_BSTR(&a.Get()), V_BSTR(&b.Get()));
    Variant c = std::move(a);
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_EQ(ToText(c.Get()), L"abc");
    Bstr s(L"xyz");
    Bstr t = std::move(s);
    EXPECT_EQ(s.Get(), nullptr);
    EXPECT_EQ(t.Text(), L"xyz");
}

} // namespace
