// The stream form of the property bag: what is saved loads back with the
// same keys, order and types, and a damaged stream is refused whole.
#include "TestSupport.h"
#include "activex/MemoryBag.h"
#include "platform/RuntimeError.h"

#include <gtest/gtest.h>

namespace zarn::test {
namespace {

using Microsoft::WRL::ComPtr;

Variant Of(VARTYPE type, auto set) {
    Variant v;
    VARIANT* p = v.Put();
    V_VT(p) = type;
    set(p);
    return v;
}

// "Key VT_xx value" for every entry, in order.
std::vector<std::string> Describe(const MemoryBag& bag) {
    std::vector<std::string> lines;
    for (const auto& e : bag.Entries())
        lines.push_back(Narrow(e.key) + " " + Text(e.value.Get()));
    return lines;
}

MemoryBag SampleBag() {
    MemoryBag bag;
    bag.WriteProperty(L"AllowNull", Variant::FromBool(true), Variant());
    bag.WriteProperty(L"TextMaxLength", Variant::FromLong(7), Variant());
    bag.WriteProperty(L"TextMaxLength", Variant::FromInteger(30), Variant()); // replaces in place
    bag.WriteProperty(L"PValue", Variant::FromText(L"20261205"), Variant());
    bag.WriteProperty(L"FontSize", Of(VT_R4, [](VARIANT* p) { V_R4(p) = 10.5f; }), Variant());
    bag.WriteProperty(L"TodayFontSize", Of(VT_CY, [](VARIANT* p) { V_CY(p).int64 = 112500; }), Variant());
    bag.WriteProperty(L"Icon", Of(VT_DISPATCH, [](VARIANT* p) { V_DISPATCH(p) = nullptr; }), Variant());
    bag.WriteProperty(L"TodayPicture",
                      Of(VT_DISPATCH, [](VARIANT* p) { V_DISPATCH(p) = FilePicture(2, 1).Detach(); }),
                      Variant());
    bag.WriteProperty(L"Seperator", Variant::FromText(L""), Variant());
    return bag;
}

ComPtr<IStream> Saved(const MemoryBag& bag) {
    ComPtr<IStream> stream;
    EXPECT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, stream.GetAddressOf()), S_OK);
    bag.SaveTo(*stream.Get());
    stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr);
    return stream;
}

TEST(MemoryBag, KeysCompareWithoutCaseAndRepeatedKeysReplace) {
    MemoryBag bag = SampleBag();
    EXPECT_EQ(ToLong(bag.ReadProperty(L"textmaxlength", Variant()).Get()), 30);
    EXPECT_EQ(bag.ReadProperty(L"Missing", Variant::FromLong(5)).Type(), VT_I4);
    EXPECT_EQ(bag.Entries().size(), 8u);
}

TEST(MemoryBag, StreamCarriesTheSameEntries) {
    const MemoryBag original = SampleBag();
    MemoryBag loaded;
    loaded.LoadFrom(*Saved(original).Get());
    const std::vector<std::string> expected = {"AllowNull VT_BOOL True",
                                               "TextMaxLength VT_I2 30",
                                               "PValue VT_BSTR 20261205",
                                               "FontSize VT_R4 10.5",
                                               "TodayFontSize VT_CY 11.25",
                                               "Icon VT_DISPATCH null",
                                               "TodayPicture VT_DISPATCH picture type 1, 53 x 26",
                                               "Seperator VT_BSTR "};
    EXPECT_EQ(Describe(loaded), expected);
}

// A cut stream fails (in the header, in a key, in a value, one byte short),
// and so do a wrong mark, another version, an absurd count and an absurd
// text length; the bag keeps what it held. Every cut is the soak's.
TEST(MemoryBag, DamagedStreamsAreRefusedAndChangeNothing) {
    const std::vector<BYTE> good = BytesOf(*Saved(SampleBag()).Get());
    MemoryBag bag;
    bag.WriteProperty(L"Kept", Variant::FromLong(1), Variant());
    for (size_t length : {size_t{0}, size_t{6}, size_t{14}, size_t{40}, good.size() / 2, good.size() - 1}) {
        const std::vector<BYTE> cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_THROW(bag.LoadFrom(*StreamOf(cut).Get()), RuntimeError) << length;
    }
    for (const auto& [from, to, value] :
         {std::tuple{0, 1, 'X'}, {4, 5, '\x7F'}, {8, 12, '\xFF'}, {12, 16, '\xFF'}}) {
        std::vector<BYTE> bad = good;
        std::fill(bad.begin() + from, bad.begin() + to, static_cast<BYTE>(value));
        EXPECT_THROW(bag.LoadFrom(*StreamOf(bad).Get()), RuntimeError) << "bytes " << from << " to " << to;
    }
    ASSERT_EQ(bag.Entries().size(), 1u);
    EXPECT_EQ(bag.Entries()[0].key, L"Kept");
}

} // namespace
} // namespace zarn::test
