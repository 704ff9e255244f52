// The type library read back as a client reads it, and compared with the
// published shape written out by hand: as the builder makes it for either
// system, and as the build ships it in Zarn2.tlb and inside Zarn2.ocx.
#include "LibraryText.h"
#include "activex/TypeLibBuilder.h"
#include "activex/ZarnInterface.h"
#include "platform/Variant.h"

#include <gtest/gtest.h>
#include <wrl/client.h>

using namespace zarn;
using Microsoft::WRL::ComPtr;

namespace {

// The published shape, from ExpectedLibrary.txt.
#include "ExpectedLibrary.inc"

// A library built into a temporary file. oleaut32 caches loaded libraries
// by path, so every build gets a fresh name.
struct BuiltLibrary {
    HRESULT hr = E_FAIL;
    std::wstring failedStep;
    std::wstring path;
    ComPtr<ITypeLib> lib;

    explicit BuiltLibrary(SYSKIND syskind) {
        wchar_t dir[MAX_PATH];
        wchar_t file[MAX_PATH];
        GetTempPathW(MAX_PATH, dir);
        GetTempFileNameW(dir, L"ztl", 0, file);
        path = file;
        hr = BuildTypeLib(syskind, path.c_str(), &failedStep);
        if (SUCCEEDED(hr))
            hr = LoadTypeLibEx(path.c_str(), REGKIND_NONE, &lib);
    }
    ~BuiltLibrary() {
        lib.Reset();
        DeleteFileW(path.c_str());
    }
    BuiltLibrary(const BuiltLibrary&) = delete;
    BuiltLibrary& operator=(const BuiltLibrary&) = delete;
};

TLIBATTR AttrOf(ITypeLib* lib) {
    TLIBATTR* a = nullptr;
    lib->GetLibAttr(&a);
    const TLIBATTR copy = *a;
    lib->ReleaseTLibAttr(a);
    return copy;
}

// Only the plain fields of the copy are read.
TYPEATTR AttrOf(ITypeInfo* ti) {
    TYPEATTR* a = nullptr;
    ti->GetTypeAttr(&a);
    const TYPEATTR copy = *a;
    ti->ReleaseTypeAttr(a);
    return copy;
}

ComPtr<ITypeInfo> ImplType(ITypeInfo* ti, UINT index) {
    HREFTYPE href = 0;
    ComPtr<ITypeInfo> target;
    if (SUCCEEDED(ti->GetRefTypeOfImplType(index, &href)))
        ti->GetRefTypeInfo(href, &target);
    return target;
}

// As the builder makes it for either system, and as the build ships it in
// Zarn2.tlb and, as TYPELIB resource 1, inside Zarn2.ocx, the library is
// the published one; its types are found by their GUIDs.
TEST(TypeLib, IsThePublishedLibraryWhereverItComesFrom) {
    const BuiltLibrary win64(SYS_WIN64), win32(SYS_WIN32);
    ASSERT_EQ(win64.hr, S_OK) << "failed step: " << test::Narrow(win64.failedStep);
    ASSERT_EQ(win32.hr, S_OK) << "failed step: " << test::Narrow(win32.failedStep);
    ComPtr<ITypeLib> tlb, ocx;
    ASSERT_EQ(LoadTypeLibEx(test::BuiltFile(L"Zarn2.tlb").c_str(), REGKIND_NONE, &tlb), S_OK);
    ASSERT_EQ(LoadTypeLibEx(test::BuiltFile(L"Zarn2.ocx").c_str(), REGKIND_NONE, &ocx), S_OK);
    const std::tuple<const char*, ITypeLib*, SYSKIND> libraries[] = {
        {"built for win64", win64.lib.Get(), SYS_WIN64},
        {"built for win32", win32.lib.Get(), SYS_WIN32},
        {"Zarn2.tlb", tlb.Get(), SYS_WIN64},
        {"Zarn2.ocx", ocx.Get(), SYS_WIN64}};
    for (const auto& [what, lib, syskind] : libraries) {
        SCOPED_TRACE(what);
        const TLIBATTR attr = AttrOf(lib);
        EXPECT_EQ(attr.guid, LIBID_Zarn2);
        EXPECT_EQ(attr.syskind, syskind);
        EXPECT_EQ(attr.wMajorVerNum * 100 + attr.wMinorVerNum, 100); // 1.0
        EXPECT_EQ(attr.lcid, LOCALE_NEUTRAL);
        Bstr name;
        lib->GetDocumentation(-1, name.Put(), nullptr, nullptr, nullptr);
        EXPECT_EQ(name.Text(), L"Zarn2");
        // The faults would name any function out of its vtable slot.
        EXPECT_EQ(test::DescribeLibrary(lib).Text(), kExpectedLibrary);
        for (const auto& [guid, type] :
             {std::pair{IID__Zarn, L"_Zarn"}, {DIID___Zarn, L"__Zarn"}, {CLSID_Zarn, L"Zarn"}}) {
            ComPtr<ITypeInfo> ti;
            ASSERT_EQ(lib->GetTypeInfoOfGuid(guid, &ti), S_OK) << test::Narrow(type);
            ti->GetDocumentation(MEMBERID_NIL, name.Put(), nullptr, nullptr, nullptr);
            EXPECT_EQ(name.Text(), type);
        }
    }
}

// The library hands out the dispatch view of a dual interface; the vtable
// view is its implemented type -1: IDispatch's seven functions from stdole,
// then the members', eight bytes each.
TEST(TypeLib, DualInterfaceDerivesFromStdoleIDispatch) {
    const BuiltLibrary built(SYS_WIN64);
    ASSERT_EQ(built.hr, S_OK);
    ComPtr<ITypeInfo> dispatchView;
    ASSERT_EQ(built.lib->GetTypeInfoOfGuid(IID__Zarn, &dispatchView), S_OK);
    EXPECT_EQ(AttrOf(dispatchView.Get()).typekind, TKIND_DISPATCH);

    const ComPtr<ITypeInfo> vtable = ImplType(dispatchView.Get(), static_cast<UINT>(-1));
    ASSERT_TRUE(vtable);
    const TYPEATTR attr = AttrOf(vtable.Get());
    EXPECT_EQ(attr.typekind, TKIND_INTERFACE);
    EXPECT_EQ(attr.guid, IID__Zarn);
    EXPECT_EQ(attr.wTypeFlags, TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION | TYPEFLAG_FNONEXTENSIBLE);
    EXPECT_EQ(attr.cbSizeVft, (7 + attr.cFuncs) * 8);
    ASSERT_EQ(attr.cImplTypes, 1);
    const ComPtr<ITypeInfo> base = ImplType(vtable.Get(), 0);
    ASSERT_TRUE(base);
    EXPECT_EQ(AttrOf(base.Get()).guid, IID_IDispatch);
    ComPtr<ITypeLib> baseLib;
    UINT index = 0;
    ASSERT_EQ(base->GetContainingTypeLib(&baseLib, &index), S_OK);
    EXPECT_EQ(AttrOf(baseLib.Get()).guid, IID_StdOle);
}

TEST(TypeLibBuilder, NamesTheStepThatFailed) {
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    const std::wstring path = std::wstring(dir) + L"zarn-no-such-dir\\Zarn2.tlb";
    std::wstring step = L"unchanged";
    EXPECT_TRUE(FAILED(BuildTypeLib(SYS_WIN64, path.c_str(), &step)));
    EXPECT_EQ(step, L"SaveAllChanges");
}

} // namespace
