// What Zarn2.ocx carries besides code and its type library: the bitmaps
// that the calendar and containers load by name or number.
#include "LibraryText.h"
#include "activex/DataGuids.h"
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

// The drag and drop data objects describe themselves from a library of
// their own, the second TYPELIB resource, so that Zarn2's stays as published.
TEST(ControlResources, DataObjectsHaveALibraryOfTheirOwn) {
    Microsoft::WRL::ComPtr<ITypeLib> lib;
    ASSERT_EQ(S_OK, LoadTypeLibEx((test::BuiltFile(L"Zarn2.ocx") + L"\\2").c_str(), REGKIND_NONE, &lib));
    const struct {
        const GUID& iid;
        const char* members;
    } cases[] = {{DIID_DataObject, "Clear GetData(Format) GetFormat(Format) SetData(Value,Format) Files"},
                 {DIID_DataObjectFiles, "Item(Index) Count Add(FileName,Index) Clear Remove(Index)"}};
    for (const auto& c : cases) {
        Microsoft::WRL::ComPtr<ITypeInfo> info;
        ASSERT_EQ(S_OK, lib->GetTypeInfoOfGuid(c.iid, &info));
        TYPEATTR* attr = nullptr;
        ASSERT_EQ(S_OK, info->GetTypeAttr(&attr));
        std::string members;
        for (UINT i = 0; i < attr->cFuncs; ++i) {
            FUNCDESC* func = nullptr;
            info->GetFuncDesc(i, &func);
            if (func->wFuncFlags & FUNCFLAG_FRESTRICTED) { // IDispatch's own, which a script never sees
                info->ReleaseFuncDesc(func);
                continue;
            }
            BSTR names[4] = {};
            UINT count = 0;
            info->GetNames(func->memid, names, 4, &count);
            members += (members.empty() ? "" : " ") + test::Narrow(names[0]);
            for (UINT n = 1; n < count; ++n)
                members += (n == 1 ? "(" : ",") + test::Narrow(names[n]) + (n + 1 == count ? ")" : "");
            for (UINT n = 0; n < count; ++n)
                SysFreeString(names[n]);
            info->ReleaseFuncDesc(func);
        }
        EXPECT_EQ(TKIND_DISPATCH, attr->typekind);
        info->ReleaseTypeAttr(attr);
        EXPECT_EQ(c.members, members);
    }
}

} // namespace
