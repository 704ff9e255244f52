// The type library read back as a client reads it, and compared with the
// published shape written out by hand: as the builder makes it for either
// system, and as the build ships it in Zarn2.tlb and inside Zarn2.ocx.
#include "BuiltFiles.h"
#include "Expectations.h"
#include "LibraryText.h"
#include "activex/TypeLibBuilder.h"
#include "activex/ZarnInterface.h"
#include "platform/Variant.h"

#include <gtest/gtest.h>
#include <wrl/client.h>

using namespace zarn;
using Microsoft::WRL::ComPtr;

namespace {

const std::string kExpected = test::LibraryText{
    test::kExpectedTypes,
    test::kExpectedMembers,
    test::kExpectedEvents,
    test::kExpectedEnums,
    {}}.Text();

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

TEST(TypeLib, IsThePublishedLibrary) {
    const BuiltLibrary built(SYS_WIN64);
    ASSERT_EQ(built.hr, S_OK) << "failed step: " << test::Narrow(built.failedStep.c_str());
    const TLIBATTR attr = AttrOf(built.lib.Get());
    EXPECT_EQ(attr.guid, LIBID_Zarn2);
    EXPECT_EQ(attr.syskind, SYS_WIN64);
    EXPECT_EQ(attr.wMajorVerNum, 1);
    EXPECT_EQ(attr.wMinorVerNum, 0);
    EXPECT_EQ(attr.lcid, LOCALE_NEUTRAL);
    Bstr name;
    built.lib->GetDocumentation(-1, name.Put(), nullptr, nullptr, nullptr);
    EXPECT_EQ(name.Text(), L"Zarn2");
    EXPECT_EQ(test::DescribeLibrary(built.lib.Get()).Text(), kExpected);

    const std::pair<GUID, const wchar_t*> types[] = {
        {IID__Zarn, L"_Zarn"}, {DIID___Zarn, L"__Zarn"}, {CLSID_Zarn, L"Zarn"}};
    for (const auto& [guid, type] : types) {
        ComPtr<ITypeInfo> ti;
        ASSERT_EQ(built.lib->GetTypeInfoOfGuid(guid, &ti), S_OK) << test::Narrow(type);
        ti->GetDocumentation(MEMBERID_NIL, name.Put(), nullptr, nullptr, nullptr);
        EXPECT_EQ(name.Text(), type);
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

// The faults would name any function out of its four-byte vtable slot.
TEST(TypeLib, Win32BuildLaysOutTheSameShape) {
    const BuiltLibrary win32(SYS_WIN32);
    ASSERT_EQ(win32.hr, S_OK) << "failed step: " << test::Narrow(win32.failedStep.c_str());
    EXPECT_EQ(AttrOf(win32.lib.Get()).syskind, SYS_WIN32);
    EXPECT_EQ(test::DescribeLibrary(win32.lib.Get()).Text(), kExpected);
}

// The build writes bin/Zarn2.tlb with tlbgen and embeds it in the control
// as TYPELIB resource 1, which LoadTypeLib of a module reads.
TEST(TypeLib, BuiltFilesCarryTheSameLibrary) {
    for (const wchar_t* file : {L"Zarn2.tlb", L"Zarn2.ocx"}) {
        const std::wstring path = test::BuiltFile(file);
        ComPtr<ITypeLib> lib;
        ASSERT_EQ(LoadTypeLibEx(path.c_str(), REGKIND_NONE, &lib), S_OK) << test::Narrow(path.c_str());
        const TLIBATTR attr = AttrOf(lib.Get());
        EXPECT_EQ(attr.guid, LIBID_Zarn2) << test::Narrow(file);
        EXPECT_EQ(attr.syskind, SYS_WIN64) << test::Narrow(file);
        EXPECT_EQ(test::DescribeLibrary(lib.Get()).Text(), kExpected) << test::Narrow(file);
    }
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
