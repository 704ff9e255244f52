// What Zarn2.ocx carries besides code and its type library: the bitmaps
// that the calendar and containers load by name or number.
#include "LibraryText.h"
#include "activex/res/resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <type_traits>
#include <vector>

using namespace zarn;

namespace {

// A bitmap resource as its size and its pixels, row by row.
struct BitmapFacts {
    LONG width = 0;
    LONG height = 0;
    std::vector<COLORREF> pixels;

    // The transparent colour shows in a corner; anything else is the picture.
    bool StandsOn(COLORREF colour) const {
        return !pixels.empty() && (pixels.front() == colour || pixels.back() == colour ||
                                   pixels[width - 1] == colour || pixels[pixels.size() - width] == colour);
    }
    long Others(COLORREF colour) const {
        return std::ranges::count_if(pixels, [&](COLORREF p) { return p != colour; });
    }
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
    for (LONG y = 0; y < info.bmHeight; ++y)
        for (LONG x = 0; x < info.bmWidth; ++x)
            facts.pixels.push_back(GetPixel(dc, x, y));
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
        {ZARN_RES_WEEKSIGN, 5, 16, RGB(0, 0, 0)},
        {ZARN_RES_TODAY, 20, 16, RGB(255, 255, 255)},
        {MAKEINTRESOURCEW(IDB_TOOLBOX), 16, 15, RGB(0xC0, 0xC0, 0xC0)},
    };
    for (const auto& c : cases) {
        const BitmapFacts facts = Inspect(ocx.get(), c.name);
        const std::string name = IS_INTRESOURCE(c.name) ? "#1" : test::Narrow(c.name);
        EXPECT_EQ(facts.width, c.width) << name;
        EXPECT_EQ(facts.height, c.height) << name;
        EXPECT_TRUE(facts.StandsOn(c.background)) << name;
        EXPECT_GT(facts.Others(c.background), 0) << name << " shows nothing";
    }
}

} // namespace
