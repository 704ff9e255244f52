// The stream form of the property bag: what is saved loads back with the
// same keys, order and types, and a damaged stream is refused whole.
#include "TestSupport.h"
#include "activex/MemoryBag.h"
#include "platform/RuntimeError.h"

#include <gtest/gtest.h>
#include <olectl.h>
#include <wrl/client.h>

#include <string>
#include <vector>

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

// "key=vt:text" for every entry, pictures as their pixel width.
std::vector<std::wstring> Describe(const MemoryBag& bag) {
    std::vector<std::wstring> lines;
    for (const auto& e : bag.Entries()) {
        const VARIANT& v = e.value.Get();
        std::wstring text;
        if (V_VT(&v) == VT_DISPATCH) {
            ComPtr<IPicture> picture;
            OLE_XSIZE_HIMETRIC width = 0;
            if (V_DISPATCH(&v) && SUCCEEDED(V_DISPATCH(&v)->QueryInterface(IID_IPicture, &picture)))
                picture->get_Width(&width);
            text = V_DISPATCH(&v) ? L"picture " + std::to_wstring(width) : L"nothing";
        } else if (V_VT(&v) != VT_EMPTY) {
            text = ToText(v);
        }
        lines.push_back(e.key + L"=" + std::to_wstring(V_VT(&v)) + L":" + text);
    }
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

std::vector<BYTE> Bytes(IStream& stream) {
    STATSTG stat{};
    stream.Stat(&stat, STATFLAG_NONAME);
    std::vector<BYTE> bytes(static_cast<size_t>(stat.cbSize.QuadPart));
    stream.Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr);
    ULONG read = 0;
    stream.Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read);
    return bytes;
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
    const std::vector<std::wstring> expected = {
        L"AllowNull=11:True",     L"TextMaxLength=2:30", L"PValue=8:20261205",         L"FontSize=4:10.5",
        L"TodayFontSize=6:11.25", L"Icon=9:nothing",     L"TodayPicture=9:picture 53", L"Seperator=8:",
    };
    EXPECT_EQ(Describe(loaded), expected);
}

TEST(MemoryBag, DamagedStreamsAreRefusedAndChangeNothing) {
    const std::vector<BYTE> good = Bytes(*Saved(SampleBag()).Get());
    MemoryBag bag;
    bag.WriteProperty(L"Kept", Variant::FromLong(1), Variant());
    // Every truncation fails.
    for (size_t length = 0; length < good.size(); length += 3) {
        const std::vector<BYTE> cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_THROW(bag.LoadFrom(*StreamOf(cut).Get()), RuntimeError) << length;
    }
    // A wrong mark, an absurd count and an absurd text length.
    std::vector<BYTE> bad = good;
    bad[0] = 'X';
    EXPECT_THROW(bag.LoadFrom(*StreamOf(bad).Get()), RuntimeError);
    bad = good;
    bad[8] = bad[9] = bad[10] = bad[11] = 0xFF;
    EXPECT_THROW(bag.LoadFrom(*StreamOf(bad).Get()), RuntimeError);
    bad = good;
    bad[12] = bad[13] = bad[14] = bad[15] = 0xFF;
    EXPECT_THROW(bag.LoadFrom(*StreamOf(bad).Get()), RuntimeError);
    ASSERT_EQ(bag.Entries().size(), 1u);
    EXPECT_EQ(bag.Entries()[0].key, L"Kept");
}

} // namespace
} // namespace zarn::test
