// What Zarn2.ocx carries besides code and its type library: the bitmaps
// that the calendar and containers load by name or number.
#include "LibraryText.h"
#include "activex/res/resource.h"

#include <gtest/gtest.h>

#include <memory>
#include <type_traits>

using namespace zarn;

namespace {

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
    const std::unique_ptr<std::remove_pointer_t<HMODULE>, decltype(&FreeLibrary)> ocx(
        LoadLibraryExW(test::BuiltFile(L"Zarn2.ocx").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE),
        &FreeLibrary);
    ASSERT_TRUE(ocx);
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
        const BitmapFacts facts = Inspect(ocx.get(), c.name);
        const std::string name = IS_INTRESOURCE(c.name) ? "#1" : test::Narrow(c.name);
        EXPECT_EQ(facts.width, c.width) << name;
        EXPECT_EQ(facts.height, c.height) << name;
        EXPECT_EQ(facts.corner, c.background) << name;
        EXPECT_GT(facts.others, 0) << name << " shows nothing";
    }
}

} // namespace
