// The type library is written through oleaut32's ICreateTypeLib2 straight
// from the member table, so that the published shape and the vtable that
// ZarnInterface.h declares come from one source.
#include "activex/TypeLibBuilder.h"

#include "platform/Variant.h"
#include "shape/ZarnEvents.h"
#include "shape/ZarnGuids.h"
#include "shape/ZarnMemberTable.h"

#include <wrl/client.h>

#include <cstring>
#include <deque>
#include <map>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace zarn {
namespace {

using Microsoft::WRL::ComPtr;
using types::LibKind;
using types::LibType;

using shape::Enumeration;
using shape::kEnumerations;
using shape::kEvents;
using shape::Kind;
using shape::kMembers;
using shape::Member;

const wchar_t* HelpOf(const char* member) {
    for (const auto& h : shape::kHelpStrings)
        if (std::strcmp(h.member, member) == 0)
            return h.text;
    return nullptr;
}

// Table names are ASCII.
std::wstring Wide(const char* s) {
    return std::wstring(s, s + std::strlen(s));
}

// ---------------------------------------------------------------------------
// Type descriptions point at each other; oleaut32 copies them, so they need
// to live only until the function or variable is added.
class TypeDescs {
public:
    TYPEDESC* Plain(VARTYPE vt) { return Add(TYPEDESC{{nullptr}, vt}); }
    TYPEDESC* User(HREFTYPE href) {
        TYPEDESC td{};
        td.hreftype = href;
        td.vt = VT_USERDEFINED;
        return Add(td);
    }
    TYPEDESC* PointerTo(TYPEDESC* inner) {
        TYPEDESC td{};
        td.lptdesc = inner;
        td.vt = VT_PTR;
        return Add(td);
    }

private:
    TYPEDESC* Add(const TYPEDESC& td) { return &nodes_.emplace_back(td); }
    std::deque<TYPEDESC> nodes_;
};

ELEMDESC Elem(const TYPEDESC* td, USHORT flags) {
    ELEMDESC e{};
    e.tdesc = *td;
    e.paramdesc.wParamFlags = flags;
    return e;
}

// IUnknown's three and IDispatch's four functions open every dual vtable.
constexpr UINT kDispatchSlots = 7;

// One function of an interface or dispinterface, ready for AddFuncDesc.
struct Function {
    std::wstring label; // names the function in failure reports
    MEMBERID memid;
    FUNCKIND funckind;
    INVOKEKIND invkind;
    VARTYPE result;
    std::vector<ELEMDESC> params;
    std::vector<std::wstring> names; // the function's, then its parameters'
    const wchar_t* help;
    SHORT vtableOffset = 0; // 0: oleaut32 lays it out
};

#define TLB_TRY(expr, step)                                                                                  \
    do {                                                                                                     \
        const HRESULT hr_ = (expr);                                                                          \
        if (FAILED(hr_))                                                                                     \
            return Fail(hr_, step);                                                                          \
    } while (0)

class Builder {
public:
    Builder(SYSKIND syskind, const wchar_t* path) : syskind_(syskind), path_(path) {}

    HRESULT Build() {
        TLB_TRY(CreateLibrary(), L"library");
        for (const auto& e : kEnumerations)
            TLB_TRY(AddEnumeration(e), Wide(e.name));
        ComPtr<ITypeInfo> iface, events;
        TLB_TRY(AddInterface(iface), L"_Zarn");
        TLB_TRY(AddEventInterface(events), L"__Zarn");
        TLB_TRY(AddCoclass(iface.Get(), events.Get()), L"Zarn");
        TLB_TRY(lib_->SaveAllChanges(), L"SaveAllChanges");
        return S_OK;
    }

    const std::wstring& Failure() const { return failure_; }

private:
    // Keeps the innermost step: the outer steps only add "where".
    HRESULT Fail(HRESULT hr, const std::wstring& step) {
        failure_ = failure_.empty() ? step : step + L"." + failure_;
        return hr;
    }

    HRESULT CreateLibrary() {
        TLB_TRY(LoadRegTypeLib(IID_StdOle, STDOLE2_MAJORVERNUM, STDOLE2_MINORVERNUM, STDOLE2_LCID, &stdole_),
                L"LoadRegTypeLib(stdole2)");
        TLB_TRY(CreateTypeLib2(syskind_, path_, &lib_), L"CreateTypeLib2");
        std::wstring name = L"Zarn2";
        TLB_TRY(lib_->SetName(name.data()), L"SetName");
        TLB_TRY(lib_->SetGuid(LIBID_Zarn2), L"SetGuid");
        TLB_TRY(lib_->SetVersion(kTypeLibMajor, kTypeLibMinor), L"SetVersion");
        TLB_TRY(lib_->SetLcid(LOCALE_NEUTRAL), L"SetLcid");
        return S_OK;
    }

    HRESULT CreateTypeInfo(const wchar_t* name, TYPEKIND kind, ComPtr<ICreateTypeInfo>& cti) {
        std::wstring n = name;
        TLB_TRY(lib_->CreateTypeInfo(n.data(), kind, &cti), L"CreateTypeInfo");
        return S_OK;
    }

    HRESULT AddEnumeration(const Enumeration& e) {
        ComPtr<ICreateTypeInfo> cti;
        TLB_TRY(CreateTypeInfo(Wide(e.name).c_str(), TKIND_ENUM, cti), L"CreateTypeInfo");
        for (UINT i = 0; i < e.items.size(); ++i) {
            const std::wstring label = Wide(e.items[i].name);
            VARIANT value{};
            value.vt = VT_I4;
            value.lVal = e.items[i].value;
            VARDESC vd{};
            vd.memid = MEMBERID_NIL;
            vd.lpvarValue = &value;
            vd.elemdescVar.tdesc.vt = VT_I4;
            vd.varkind = VAR_CONST;
            TLB_TRY(cti->AddVarDesc(i, &vd), label + L": AddVarDesc");
            std::wstring name = label;
            TLB_TRY(cti->SetVarName(i, name.data()), label + L": SetVarName");
        }
        TLB_TRY(cti->LayOut(), L"LayOut");
        ComPtr<ITypeInfo> ti;
        TLB_TRY(cti.As(&ti), L"QueryInterface(ITypeInfo)");
        enums_[e.name] = ti;
        return S_OK;
    }

    HRESULT StdoleType(const char* name, ComPtr<ITypeInfo>& ti) {
        const std::wstring wanted = Wide(name);
        for (UINT i = 0, n = stdole_->GetTypeInfoCount(); i < n; ++i) {
            Bstr found;
            if (FAILED(stdole_->GetDocumentation(i, found.Put(), nullptr, nullptr, nullptr)))
                continue;
            if (found.Get() && found.Text() == wanted)
                return stdole_->GetTypeInfo(i, &ti);
        }
        return TYPE_E_ELEMENTNOTFOUND;
    }

    HRESULT DescribeType(ICreateTypeInfo* owner, const LibType& t, TypeDescs& descs, TYPEDESC** out) {
        if (t.kind == LibKind::Plain) {
            *out = descs.Plain(t.vt);
            return S_OK;
        }
        ComPtr<ITypeInfo> target;
        if (t.kind == LibKind::Enum) {
            const auto it = enums_.find(t.name);
            if (it == enums_.end())
                return Fail(TYPE_E_ELEMENTNOTFOUND, Wide(t.name));
            target = it->second;
        } else {
            TLB_TRY(StdoleType(t.name, target), L"stdole." + Wide(t.name));
        }
        HREFTYPE href = 0;
        TLB_TRY(owner->AddRefTypeInfo(target.Get(), &href), L"AddRefTypeInfo(" + Wide(t.name) + L")");
        *out = descs.User(href);
        if (t.vt == VT_PTR)
            *out = descs.PointerTo(*out);
        return S_OK;
    }

    HRESULT AddFunction(ICreateTypeInfo* cti, UINT index, Function& f) {
        FUNCDESC fd{};
        fd.memid = f.memid;
        fd.lprgelemdescParam = f.params.empty() ? nullptr : f.params.data();
        fd.funckind = f.funckind;
        fd.invkind = f.invkind;
        fd.callconv = CC_STDCALL;
        fd.cParams = static_cast<SHORT>(f.params.size());
        fd.elemdescFunc.tdesc.vt = f.result;
        fd.oVft = f.vtableOffset;
        TLB_TRY(cti->AddFuncDesc(index, &fd), f.label + L": AddFuncDesc");
        std::vector<LPOLESTR> names;
        for (auto& n : f.names)
            names.push_back(n.data());
        TLB_TRY(cti->SetFuncAndParamNames(index, names.data(), static_cast<UINT>(names.size())),
                f.label + L": SetFuncAndParamNames");
        if (f.help) {
            std::wstring help = f.help;
            TLB_TRY(cti->SetFuncDocString(index, help.data()), f.label + L": SetFuncDocString");
        }
        return S_OK;
    }

    // The functions of one member in vtable order: a property's get, then
    // its put or putref; a method alone.
    HRESULT MemberFunctions(ICreateTypeInfo* cti, const Member& m, MEMBERID memid, TypeDescs& descs,
                            std::vector<Function>& out) {
        TYPEDESC* type = nullptr;
        TLB_TRY(DescribeType(cti, m.type, descs, &type), Wide(m.name));
        if (m.kind == Kind::Method)
            return MethodFunction(cti, m, memid, type, descs, out);
        const std::wstring name = Wide(m.name);
        const wchar_t* help = HelpOf(m.name);
        const auto retval = Elem(descs.PointerTo(type), PARAMFLAG_FOUT | PARAMFLAG_FRETVAL);
        out.push_back({L"get_" + name,
                       memid,
                       FUNC_PUREVIRTUAL,
                       INVOKE_PROPERTYGET,
                       VT_HRESULT,
                       {retval},
                       {name},
                       help});
        if (m.kind == Kind::GetOnly)
            return S_OK;
        // A put's value is never named: callers pass it as DISPID_PROPERTYPUT.
        const bool byRef = m.kind == Kind::GetPutRef;
        out.push_back({(byRef ? L"putref_" : L"put_") + name,
                       memid,
                       FUNC_PUREVIRTUAL,
                       byRef ? INVOKE_PROPERTYPUTREF : INVOKE_PROPERTYPUT,
                       VT_HRESULT,
                       {Elem(type, PARAMFLAG_FIN)},
                       {name},
                       help});
        return S_OK;
    }

    // A method's result, when it has one, is its last, [out, retval]
    // parameter.
    HRESULT MethodFunction(ICreateTypeInfo* cti, const Member& m, MEMBERID memid, TYPEDESC* result,
                           TypeDescs& descs, std::vector<Function>& out) {
        const std::wstring name = Wide(m.name);
        Function f{name, memid, FUNC_PUREVIRTUAL, INVOKE_FUNC, VT_HRESULT, {}, {name}, HelpOf(m.name)};
        for (const auto& p : m.params) {
            TYPEDESC* type = nullptr;
            TLB_TRY(DescribeType(cti, p.type, descs, &type), name + L"." + Wide(p.name));
            f.params.push_back(p.byRef ? Elem(descs.PointerTo(type), PARAMFLAG_FIN | PARAMFLAG_FOUT)
                                       : Elem(type, PARAMFLAG_FIN));
            f.names.push_back(Wide(p.name));
        }
        if (m.type.vt != VT_VOID)
            f.params.push_back(Elem(descs.PointerTo(result), PARAMFLAG_FOUT | PARAMFLAG_FRETVAL));
        out.push_back(std::move(f));
        return S_OK;
    }

    HRESULT InheritDispatch(ICreateTypeInfo* cti) {
        ComPtr<ITypeInfo> dispatch;
        TLB_TRY(stdole_->GetTypeInfoOfGuid(IID_IDispatch, &dispatch), L"stdole.IDispatch");
        HREFTYPE href = 0;
        TLB_TRY(cti->AddRefTypeInfo(dispatch.Get(), &href), L"AddRefTypeInfo(IDispatch)");
        TLB_TRY(cti->AddImplType(0, href), L"AddImplType(IDispatch)");
        return S_OK;
    }

    HRESULT AddInterface(ComPtr<ITypeInfo>& out) {
        ComPtr<ICreateTypeInfo> cti;
        TLB_TRY(CreateTypeInfo(L"_Zarn", TKIND_INTERFACE, cti), L"CreateTypeInfo");
        TLB_TRY(cti->SetGuid(IID__Zarn), L"SetGuid");
        TLB_TRY(InheritDispatch(cti.Get()), L"inherit");
        TLB_TRY(cti->SetTypeFlags(TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION | TYPEFLAG_FNONEXTENSIBLE),
                L"SetTypeFlags");
        TypeDescs descs;
        std::vector<Function> functions;
        DISPID position = 0;
        for (const auto& m : kMembers)
            TLB_TRY(MemberFunctions(cti.Get(), m, DispIdOf(++position), descs, functions), L"members");
        // The slots are given, not laid out: a 64-bit oleaut32 writing a
        // win32 library sizes the inherited IDispatch part with its own
        // stdole2, that is with 8-byte pointers, and would place every
        // function 28 bytes too far.
        const UINT pointerSize = syskind_ == SYS_WIN64 ? 8 : 4;
        for (UINT i = 0; i < functions.size(); ++i) {
            functions[i].vtableOffset = static_cast<SHORT>((kDispatchSlots + i) * pointerSize);
            TLB_TRY(AddFunction(cti.Get(), i, functions[i]), L"members");
        }
        TLB_TRY(cti->LayOut(), L"LayOut");
        TLB_TRY(cti.As(&out), L"QueryInterface(ITypeInfo)");
        return S_OK;
    }

    HRESULT AddEventInterface(ComPtr<ITypeInfo>& out) {
        ComPtr<ICreateTypeInfo> cti;
        TLB_TRY(CreateTypeInfo(L"__Zarn", TKIND_DISPATCH, cti), L"CreateTypeInfo");
        TLB_TRY(cti->SetGuid(DIID___Zarn), L"SetGuid");
        TLB_TRY(InheritDispatch(cti.Get()), L"inherit");
        TypeDescs descs;
        MEMBERID memid = 0;
        UINT index = 0;
        for (const auto& e : kEvents) {
            const std::wstring name = Wide(e.name);
            Function f{name, ++memid, FUNC_DISPATCH, INVOKE_FUNC, VT_VOID, {}, {name}, nullptr};
            for (const auto& p : e.params) {
                TYPEDESC* pt = nullptr;
                TLB_TRY(DescribeType(cti.Get(), p.type, descs, &pt), name + L"." + Wide(p.name));
                f.params.push_back(Elem(descs.PointerTo(pt), PARAMFLAG_FIN | PARAMFLAG_FOUT));
                f.names.push_back(Wide(p.name));
            }
            TLB_TRY(AddFunction(cti.Get(), index++, f), L"events");
        }
        TLB_TRY(cti->LayOut(), L"LayOut");
        TLB_TRY(cti.As(&out), L"QueryInterface(ITypeInfo)");
        return S_OK;
    }

    HRESULT AddCoclass(ITypeInfo* iface, ITypeInfo* events) {
        ComPtr<ICreateTypeInfo> cti;
        TLB_TRY(CreateTypeInfo(L"Zarn", TKIND_COCLASS, cti), L"CreateTypeInfo");
        TLB_TRY(cti->SetGuid(CLSID_Zarn), L"SetGuid");
        TLB_TRY(cti->SetTypeFlags(TYPEFLAG_FCANCREATE | TYPEFLAG_FCONTROL), L"SetTypeFlags");
        const std::pair<ITypeInfo*, INT> impls[] = {
            {iface, IMPLTYPEFLAG_FDEFAULT},
            {events, IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE},
        };
        for (UINT i = 0; i < 2; ++i) {
            HREFTYPE href = 0;
            TLB_TRY(cti->AddRefTypeInfo(impls[i].first, &href), L"AddRefTypeInfo");
            TLB_TRY(cti->AddImplType(i, href), L"AddImplType");
            TLB_TRY(cti->SetImplTypeFlags(i, impls[i].second), L"SetImplTypeFlags");
        }
        TLB_TRY(cti->LayOut(), L"LayOut");
        return S_OK;
    }

    SYSKIND syskind_;
    const wchar_t* path_;
    ComPtr<ICreateTypeLib2> lib_;
    ComPtr<ITypeLib> stdole_;
    std::map<std::string, ComPtr<ITypeInfo>> enums_;
    std::wstring failure_;
};

} // namespace

HRESULT BuildTypeLib(SYSKIND syskind, const wchar_t* path, std::wstring* failedStep) {
    Builder builder(syskind, path);
    const HRESULT hr = builder.Build();
    if (failedStep)
        *failedStep = FAILED(hr) ? builder.Failure() : std::wstring();
    return hr;
}

} // namespace zarn
