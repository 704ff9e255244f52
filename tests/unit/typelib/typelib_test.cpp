// The type library read back as a client reads it, and compared with the
// member table and with the published shape written out by hand.
#include "BuiltFiles.h"
#include "Expectations.h"
#include "LibraryText.h"
#include "host/com/TypeLibBuilder.h"
#include "host/com/ZarnInterface.h"
#include "host/runtime/Variant.h"

#include <gtest/gtest.h>
#include <wrl/client.h>

#include <string_view>
#include <type_traits>

using namespace zarn;
using Microsoft::WRL::ComPtr;
using test::LibraryText;
using test::SameLibrary;
using test::SameLines;

namespace {

// ---------------------------------------------------------------------------
// The member table in the line formats of LibraryText.h.

std::string TypeText(const types::LibType& t) {
    switch (t.kind) {
    case types::LibKind::Plain:
        return test::VarTypeText(t.vt);
    case types::LibKind::Stdole:
        return std::string("stdole.") + t.name + (t.vt == VT_PTR ? "*" : "");
    case types::LibKind::Enum:
        return std::string("enum ") + t.name;
    }
    return "?";
}

template <class T> std::string TypeOf() {
    return TypeText(types::Tag<T>::lib);
}
template <> std::string TypeOf<types::Void>() {
    return "void";
}

template <class T, class Dir> std::string ArgText(const char* name) {
    return std::is_same_v<Dir, types::ByRef> ? "[in,out] " + TypeOf<T>() + "* " + name
                                             : "[in] " + TypeOf<T>() + " " + name;
}

std::string HelpText(const char* member) {
#define HELP(N, Text)                                                                                        \
    if (std::string_view(#N) == member)                                                                      \
        return " \"" + test::Narrow(Text) + "\"";
    ZARN_HELPSTRINGS(HELP)
#undef HELP
    return "";
}

std::string Head(DISPID position, const char* name) {
    return std::to_string(DispIdOf(position)) + " " + name;
}

std::vector<std::string> TableMembers() {
    std::vector<std::string> lines;
#define PROP(N, T)                                                                                           \
    lines.push_back(Head(dispid::N, #N) + ": " + TypeOf<types::T>() + " get put" + HelpText(#N));
#define PROP_REF(N, T)                                                                                       \
    lines.push_back(Head(dispid::N, #N) + ": " + TypeOf<types::T>() + " get putref" + HelpText(#N));
#define PROP_GET(N, T)                                                                                       \
    lines.push_back(Head(dispid::N, #N) + ": " + TypeOf<types::T>() + " get" + HelpText(#N));
#define ARG(T, A, D) ArgText<types::T, types::D>(#A)
#define METHOD0(N, R) lines.push_back(Head(dispid::N, #N) + "(): " + TypeOf<types::R>() + HelpText(#N));
#define METHOD1(N, R, T1, A1, D1)                                                                            \
    lines.push_back(Head(dispid::N, #N) + "(" + ARG(T1, A1, D1) + "): " + TypeOf<types::R>() + HelpText(#N));
#define METHOD4(N, R, T1, A1, D1, T2, A2, D2, T3, A3, D3, T4, A4, D4)                                        \
    lines.push_back(Head(dispid::N, #N) + "(" + ARG(T1, A1, D1) + ", " + ARG(T2, A2, D2) + ", " +            \
                    ARG(T3, A3, D3) + ", " + ARG(T4, A4, D4) + "): " + TypeOf<types::R>() + HelpText(#N));
    ZARN_MEMBERS(PROP, PROP_REF, PROP_GET, METHOD0, METHOD1, METHOD4)
#undef PROP
#undef PROP_REF
#undef PROP_GET
#undef ARG
#undef METHOD0
#undef METHOD1
#undef METHOD4
    return lines;
}

std::vector<std::string> TableEvents() {
    std::vector<std::string> lines;
    int id = 0;
#define A(T, Name) ArgText<types::T, types::ByRef>(#Name)
#define EVENT0(N) lines.push_back(std::to_string(++id) + " " #N "()");
#define EVENT1(N, T1, A1) lines.push_back(std::to_string(++id) + " " #N "(" + A(T1, A1) + ")");
#define EVENT2(N, T1, A1, T2, A2)                                                                            \
    lines.push_back(std::to_string(++id) + " " #N "(" + A(T1, A1) + ", " + A(T2, A2) + ")");
#define EVENT4(N, T1, A1, T2, A2, T3, A3, T4, A4)                                                            \
    lines.push_back(std::to_string(++id) + " " #N "(" + A(T1, A1) + ", " + A(T2, A2) + ", " + A(T3, A3) +    \
                    ", " + A(T4, A4) + ")");
#define EVENT6(N, T1, A1, T2, A2, T3, A3, T4, A4, T5, A5, T6, A6)                                            \
    lines.push_back(std::to_string(++id) + " " #N "(" + A(T1, A1) + ", " + A(T2, A2) + ", " + A(T3, A3) +    \
                    ", " + A(T4, A4) + ", " + A(T5, A5) + ", " + A(T6, A6) + ")");
#define EVENT7(N, T1, A1, T2, A2, T3, A3, T4, A4, T5, A5, T6, A6, T7, A7)                                    \
    lines.push_back(std::to_string(++id) + " " #N "(" + A(T1, A1) + ", " + A(T2, A2) + ", " + A(T3, A3) +    \
                    ", " + A(T4, A4) + ", " + A(T5, A5) + ", " + A(T6, A6) + ", " + A(T7, A7) + ")");
    ZARN_EVENTS(EVENT0, EVENT1, EVENT2, EVENT4, EVENT6, EVENT7)
#undef A
#undef EVENT0
#undef EVENT1
#undef EVENT2
#undef EVENT4
#undef EVENT6
#undef EVENT7
    return lines;
}

std::vector<std::string> TableEnums() {
    std::vector<std::string> lines;
    std::string sep;
#define BEGIN(N)                                                                                             \
    lines.push_back(#N ":");                                                                                 \
    sep = " ";
#define ITEM(Name, Value)                                                                                    \
    lines.back() += sep + Name + " = " + std::to_string(Value);                                              \
    sep = ", ";
#define END(N)
    ZARN_ENUMS(BEGIN, ITEM, END)
#undef BEGIN
#undef ITEM
#undef END
    return lines;
}

const std::vector<std::string> kNoFaults;

// ---------------------------------------------------------------------------
// Libraries built into temporary files. oleaut32 caches loaded libraries by
// path, so every build gets a fresh name.

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

struct LibAttr {
    GUID guid;
    LCID lcid;
    SYSKIND syskind;
    WORD major;
    WORD minor;
};

LibAttr AttrOf(ITypeLib* lib) {
    TLIBATTR* a = nullptr;
    lib->GetLibAttr(&a);
    const LibAttr copy{a->guid, a->lcid, a->syskind, a->wMajorVerNum, a->wMinorVerNum};
    lib->ReleaseTLibAttr(a);
    return copy;
}

struct TypeAttr {
    GUID guid;
    TYPEKIND kind;
    WORD flags;
    WORD funcs;
    WORD implTypes;
    WORD vtableBytes;
};

TypeAttr AttrOf(ITypeInfo* ti) {
    TYPEATTR* a = nullptr;
    ti->GetTypeAttr(&a);
    const TypeAttr copy{a->guid, a->typekind, a->wTypeFlags, a->cFuncs, a->cImplTypes, a->cbSizeVft};
    ti->ReleaseTypeAttr(a);
    return copy;
}

std::string NameOf(ITypeInfo* ti) {
    Bstr name;
    ti->GetDocumentation(MEMBERID_NIL, name.Put(), nullptr, nullptr, nullptr);
    return test::Narrow(name.Get());
}

ComPtr<ITypeInfo> ImplType(ITypeInfo* ti, UINT index) {
    HREFTYPE href = 0;
    ComPtr<ITypeInfo> target;
    if (SUCCEEDED(ti->GetRefTypeOfImplType(index, &href)))
        ti->GetRefTypeInfo(href, &target);
    return target;
}

class TypeLib : public testing::Test {
protected:
    static void SetUpTestSuite() {
        built_ = new BuiltLibrary(SYS_WIN64);
        if (built_->lib)
            text_ = new LibraryText(test::DescribeLibrary(built_->lib.Get()));
    }
    static void TearDownTestSuite() {
        delete text_;
        delete built_;
        text_ = nullptr;
        built_ = nullptr;
    }
    void SetUp() override {
        ASSERT_EQ(built_->hr, S_OK) << "failed step: " << test::Narrow(built_->failedStep.c_str());
    }

    ComPtr<ITypeInfo> TypeInfo(const GUID& guid) {
        ComPtr<ITypeInfo> ti;
        EXPECT_EQ(built_->lib->GetTypeInfoOfGuid(guid, &ti), S_OK);
        return ti;
    }

    static inline BuiltLibrary* built_ = nullptr;
    static inline LibraryText* text_ = nullptr;
};

TEST_F(TypeLib, NamesItselfAndItsTypes) {
    const LibAttr attr = AttrOf(built_->lib.Get());
    EXPECT_EQ(attr.guid, LIBID_Zarn2);
    EXPECT_EQ(attr.syskind, SYS_WIN64);
    EXPECT_EQ(attr.major, 1);
    EXPECT_EQ(attr.minor, 0);
    EXPECT_EQ(attr.lcid, LOCALE_NEUTRAL);
    Bstr name;
    built_->lib->GetDocumentation(-1, name.Put(), nullptr, nullptr, nullptr);
    EXPECT_EQ(name.Text(), L"Zarn2");
    EXPECT_PRED_FORMAT2(SameLines, test::kExpectedTypes, text_->types);
    EXPECT_EQ(NameOf(TypeInfo(IID__Zarn).Get()), "_Zarn");
    EXPECT_EQ(NameOf(TypeInfo(DIID___Zarn).Get()), "__Zarn");
    EXPECT_EQ(NameOf(TypeInfo(CLSID_Zarn).Get()), "Zarn");
}

TEST_F(TypeLib, MembersOfTheDualInterface) {
    EXPECT_PRED_FORMAT2(SameLines, test::kExpectedMembers, text_->members);
    EXPECT_PRED_FORMAT2(SameLines, TableMembers(), text_->members);
    EXPECT_PRED_FORMAT2(SameLines, kNoFaults, text_->faults);
}

TEST_F(TypeLib, EventsAreDispatchMethodsWithByRefParameters) {
    EXPECT_PRED_FORMAT2(SameLines, test::kExpectedEvents, text_->events);
    EXPECT_PRED_FORMAT2(SameLines, TableEvents(), text_->events);
}

TEST_F(TypeLib, EnumerationsKeepTheirPublishedMemberNames) {
    EXPECT_PRED_FORMAT2(SameLines, test::kExpectedEnums, text_->enums);
    EXPECT_PRED_FORMAT2(SameLines, TableEnums(), text_->enums);
}

TEST_F(TypeLib, DualInterfaceDerivesFromStdoleIDispatch) {
    // The library hands out the dispatch view of a dual interface; the
    // vtable view is its implemented type -1.
    const ComPtr<ITypeInfo> dispatchView = TypeInfo(IID__Zarn);
    const TypeAttr view = AttrOf(dispatchView.Get());
    EXPECT_EQ(view.kind, TKIND_DISPATCH);
    EXPECT_EQ(view.flags & (TYPEFLAG_FDUAL | TYPEFLAG_FNONEXTENSIBLE),
              TYPEFLAG_FDUAL | TYPEFLAG_FNONEXTENSIBLE);

    const ComPtr<ITypeInfo> vtable = ImplType(dispatchView.Get(), static_cast<UINT>(-1));
    ASSERT_TRUE(vtable);
    const TypeAttr attr = AttrOf(vtable.Get());
    EXPECT_EQ(attr.kind, TKIND_INTERFACE);
    EXPECT_EQ(attr.guid, IID__Zarn);
    EXPECT_EQ(attr.flags, TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION | TYPEFLAG_FNONEXTENSIBLE);
    EXPECT_EQ(attr.funcs, test::kExpectedVtableFunctions);
    EXPECT_EQ(attr.vtableBytes, (7 + test::kExpectedVtableFunctions) * 8);
    ASSERT_EQ(attr.implTypes, 1);
    const ComPtr<ITypeInfo> base = ImplType(vtable.Get(), 0);
    ASSERT_TRUE(base);
    EXPECT_EQ(AttrOf(base.Get()).guid, IID_IDispatch);
    ComPtr<ITypeLib> baseLib;
    UINT index = 0;
    ASSERT_EQ(base->GetContainingTypeLib(&baseLib, &index), S_OK);
    EXPECT_EQ(AttrOf(baseLib.Get()).guid, IID_StdOle);
}

// Script clients find members and named arguments through the dispatch
// view, ignoring case.
TEST_F(TypeLib, NamesResolveToDispatchIds) {
    const ComPtr<ITypeInfo> ti = TypeInfo(IID__Zarn);
    const struct {
        std::vector<const wchar_t*> names;
        std::vector<MEMBERID> ids;
    } cases[] = {
        {{L"UserControl_MouseOut", L"Shift", L"Y"}, {dispid::UserControl_MouseOut, 1, 3}},
        {{L"enabled"}, {DISPID_ENABLED}},
        {{L"MINDATE"}, {dispid::MinDate}},
        {{L"DateIsNull", L"DateIn"}, {dispid::DateIsNull, 0}},
    };
    for (const auto& c : cases) {
        std::vector<LPOLESTR> names;
        for (const wchar_t* n : c.names)
            names.push_back(const_cast<LPOLESTR>(n));
        std::vector<MEMBERID> ids(names.size(), 12345);
        EXPECT_EQ(ti->GetIDsOfNames(names.data(), static_cast<UINT>(names.size()), ids.data()), S_OK)
            << test::Narrow(c.names[0]);
        EXPECT_EQ(ids, c.ids) << test::Narrow(c.names[0]);
    }
}

TEST_F(TypeLib, CoclassIsACreatableControlSourcingTheEvents) {
    const ComPtr<ITypeInfo> coclass = TypeInfo(CLSID_Zarn);
    const TypeAttr attr = AttrOf(coclass.Get());
    EXPECT_EQ(attr.kind, TKIND_COCLASS);
    EXPECT_EQ(attr.flags, TYPEFLAG_FCANCREATE | TYPEFLAG_FCONTROL);
    ASSERT_EQ(attr.implTypes, 2);
    const struct {
        GUID guid;
        INT flags;
    } expected[] = {{IID__Zarn, IMPLTYPEFLAG_FDEFAULT},
                    {DIID___Zarn, IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE}};
    for (UINT i = 0; i < 2; ++i) {
        INT flags = -1;
        EXPECT_EQ(coclass->GetImplTypeFlags(i, &flags), S_OK);
        EXPECT_EQ(flags, expected[i].flags) << "implemented type " << i;
        const ComPtr<ITypeInfo> impl = ImplType(coclass.Get(), i);
        ASSERT_TRUE(impl);
        EXPECT_EQ(AttrOf(impl.Get()).guid, expected[i].guid) << "implemented type " << i;
    }
}

TEST_F(TypeLib, Win32BuildLaysOutTheSameShape) {
    BuiltLibrary win32(SYS_WIN32);
    ASSERT_EQ(win32.hr, S_OK) << "failed step: " << test::Narrow(win32.failedStep.c_str());
    EXPECT_EQ(AttrOf(win32.lib.Get()).syskind, SYS_WIN32);
    // The faults would name any function out of its four-byte vtable slot.
    EXPECT_PRED_FORMAT2(SameLibrary, *text_, test::DescribeLibrary(win32.lib.Get()));
}

// The build writes bin/Zarn2.tlb with tlbgen; it must be what the builder
// makes here.
TEST_F(TypeLib, BuiltFileNextToTheTestsIsTheSameLibrary) {
    const std::wstring path = test::BuiltFile(L"Zarn2.tlb");
    ComPtr<ITypeLib> lib;
    ASSERT_EQ(LoadTypeLibEx(path.c_str(), REGKIND_NONE, &lib), S_OK) << test::Narrow(path.c_str());
    const LibAttr attr = AttrOf(lib.Get());
    EXPECT_EQ(attr.guid, LIBID_Zarn2);
    EXPECT_EQ(attr.syskind, SYS_WIN64);
    EXPECT_PRED_FORMAT2(SameLibrary, *text_, test::DescribeLibrary(lib.Get()));
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
