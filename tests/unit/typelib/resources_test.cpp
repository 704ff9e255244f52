// What Zarn2.ocx carries besides code: its type library and the bitmaps
// that the calendar and containers load by name or number.
#include "BuiltFiles.h"
#include "LibraryText.h"
#include "host/res/resource.h"

#include <gtest/gtest.h>
#include <wrl/client.h>

using Microsoft::WRL::ComPtr;
using namespace zarn;

namespace {

TEST(ControlResources, EmbedTheBuiltTypeLibrary) {
    ComPtr<ITypeLib> file;
    ComPtr<ITypeLib> embedded;
    ASSERT_EQ(LoadTypeLibEx(test::BuiltFile(L"Zarn2.tlb").c_str(), REGKIND_NONE, &file), S_OK);
    // LoadTypeLib of a module reads its TYPELIB resource 1.
    ASSERT_EQ(LoadTypeLibEx(test::BuiltFile(L"Zarn2.ocx").c_str(), REGKIND_NONE, &embedded), S_OK);
    EXPECT_PRED_FORMAT2(test::SameLibrary, test::DescribeLibrary(file.Get()),
                        test::DescribeLibrary(embedded.Get()));
}

class Module {
public:
    Module()
        : module_(LoadLibraryExW(test::BuiltFile(L"Zarn2.ocx").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
    ~Module() {
        if (module_)
            FreeLibrary(module_);
    }
    Module(const Module&) = delete;
    Module& operator=(const Module&) = delete;
    HMODULE Get() const { return module_; }

private:
    HMODULE module_;
};

// A bitmap resource as its size, its top-left pixel and how many of its
// pixels differ from that one.
struct BitmapFacts {
    LONG width = 0;
    LONG height = 0;
    COLORREF corner = CLR_INVALID;
    int others = 0;
};

BitmapFacts Inspect(HMODULE module, const wchar_t* name) {
    BitmapFacts facts;
    const auto bitmap = static_cast<HBITMAP>(LoadImageW(module, name, IMAGE_BITMAP, 0, 0, 0));
    if (!bitmap)
        return facts;
    BITMAP info{};
    GetObjectW(bitmap, sizeof info, &info);
    facts.width = info.bmWidth;
    facts.height = info.bmHeight;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    facts.corner = GetPixel(dc, 0, 0);
    for (LONG y = 0; y < info.bmHeight; ++y)
        for (LONG x = 0; x < info.bmWidth; ++x)
            facts.others += GetPixel(dc, x, y) != facts.corner;
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
    return facts;
}

// The calendar draws the week sign with black and today's mark with white
// transparent, so each stands on that colour; the toolbox bitmap stands on
// the toolbox grey.
TEST(ControlResources, BitmapsStandOnTheirTransparentColour) {
    const Module ocx;
    ASSERT_TRUE(ocx.Get());
    const struct {
        const wchar_t* name;
        LONG width;
        LONG height;
        COLORREF background;
    } cases[] = {
        {ZARN_RES_WEEKSIGN, 16, 16, RGB(0, 0, 0)},
        {ZARN_RES_TODAY, 30, 30, RGB(255, 255, 255)},
        {MAKEINTRESOURCEW(IDB_TOOLBOX), 16, 15, RGB(0xC0, 0xC0, 0xC0)},
    };
    for (const auto& c : cases) {
        const BitmapFacts facts = Inspect(ocx.Get(), c.name);
        const std::string name = IS_INTRESOURCE(c.name) ? "#1" : test::Narrow(c.name);
        EXPECT_EQ(facts.width, c.width) << name;
        EXPECT_EQ(facts.height, c.height) << name;
        EXPECT_EQ(facts.corner, c.background) << name;
        EXPECT_GT(facts.others, 0) << name << " shows nothing";
    }
}

} // namespace
