#include "LibraryText.h"

#include "platform/Variant.h"

#include <wrl/client.h>

#include <functional>
#include <memory>
#include <span>
#include <utility>

namespace zarn::test {
namespace {

using Microsoft::WRL::ComPtr;

template <class T> using Held = std::unique_ptr<T, std::function<void(T*)>>;

Held<TYPEATTR> AttrOf(ITypeInfo* ti) {
    TYPEATTR* a = nullptr;
    ti->GetTypeAttr(&a);
    return {a, [ti](TYPEATTR* p) { ti->ReleaseTypeAttr(p); }};
}

Held<FUNCDESC> FuncOf(ITypeInfo* ti, UINT index) {
    FUNCDESC* f = nullptr;
    ti->GetFuncDesc(index, &f);
    return {f, [ti](FUNCDESC* p) { ti->ReleaseFuncDesc(p); }};
}

Held<VARDESC> VarOf(ITypeInfo* ti, UINT index) {
    VARDESC* v = nullptr;
    ti->GetVarDesc(index, &v);
    return {v, [ti](VARDESC* p) { ti->ReleaseVarDesc(p); }};
}

// A member's name, or its help string.
std::string DocOf(ITypeInfo* ti, MEMBERID id, bool help = false) {
    Bstr text;
    ti->GetDocumentation(id, help ? nullptr : text.Put(), help ? text.Put() : nullptr, nullptr, nullptr);
    return Narrow(text.Text());
}

std::vector<std::string> NamesOf(ITypeInfo* ti, MEMBERID id) {
    BSTR names[16] = {};
    UINT count = 0;
    ti->GetNames(id, names, 16, &count);
    std::vector<std::string> out;
    for (UINT i = 0; i < count; ++i) {
        out.push_back(Narrow(names[i]));
        SysFreeString(names[i]);
    }
    return out;
}

// Names of values and of flags.
using Names = std::span<const std::pair<int, const char*>>;
constexpr std::pair<int, const char*> kKinds[] = {{TKIND_ENUM, "enum"},
                                                  {TKIND_INTERFACE, "interface"},
                                                  {TKIND_DISPATCH, "dispatch"},
                                                  {TKIND_COCLASS, "coclass"}};
constexpr std::pair<int, const char*> kPlainTypes[] = {
    {VT_BOOL, "VARIANT_BOOL"}, {VT_I4, "long"},         {VT_I2, "short"},           {VT_R4, "single"},
    {VT_BSTR, "BSTR"},         {VT_VARIANT, "VARIANT"}, {VT_DISPATCH, "IDispatch*"}};
constexpr std::pair<int, const char*> kAccess[] = {
    {INVOKE_PROPERTYGET, "get"}, {INVOKE_PROPERTYPUT, "put"}, {INVOKE_PROPERTYPUTREF, "putref"}};
// Only the flags the library uses have names; any other shows as a number.
constexpr std::pair<int, const char*> kParamFlags[] = {
    {PARAMFLAG_FIN, "in"}, {PARAMFLAG_FOUT, "out"}, {PARAMFLAG_FRETVAL, "retval"}};
constexpr std::pair<int, const char*> kTypeFlags[] = {{TYPEFLAG_FCANCREATE, "cancreate"},
                                                      {TYPEFLAG_FCONTROL, "control"},
                                                      {TYPEFLAG_FDUAL, "dual"},
                                                      {TYPEFLAG_FNONEXTENSIBLE, "nonextensible"}};
constexpr std::pair<int, const char*> kImplFlags[] = {{IMPLTYPEFLAG_FDEFAULT, "default"},
                                                      {IMPLTYPEFLAG_FSOURCE, "source"}};

std::string NameIn(Names names, int value) {
    for (const auto& [v, name] : names)
        if (v == value)
            return name;
    return "?" + std::to_string(value);
}

// The names of the flags set in value, "" when none is.
std::string FlagsIn(Names names, int value, const char* separator = " ") {
    std::string text;
    for (const auto& [flag, name] : names)
        if (value & flag) {
            text += (text.empty() ? "" : separator) + std::string(name);
            value &= ~flag;
        }
    return value ? text + (text.empty() ? "" : separator) + std::to_string(value) : text;
}

std::string TypeText(ITypeInfo* ti, const TYPEDESC& td) {
    switch (td.vt) {
    case VT_PTR:
        return TypeText(ti, *td.lptdesc) + "*";
    case VT_USERDEFINED: {
        ComPtr<ITypeInfo> ref;
        ComPtr<ITypeLib> lib;
        UINT index = 0;
        if (FAILED(ti->GetRefTypeInfo(td.hreftype, &ref)) || FAILED(ref->GetContainingTypeLib(&lib, &index)))
            return "<unresolved>";
        Bstr library;
        lib->GetDocumentation(-1, library.Put(), nullptr, nullptr, nullptr);
        const std::string name = DocOf(ref.Get(), MEMBERID_NIL);
        if (library.Text() != L"Zarn2")
            return Narrow(library.Text()) + "." + name;
        return NameIn(kKinds, AttrOf(ref.Get())->typekind) + " " + name;
    }
    default:
        return NameIn(kPlainTypes, td.vt);
    }
}

bool IsRetval(const ELEMDESC& e) {
    return e.paramdesc.wParamFlags & PARAMFLAG_FRETVAL;
}

// "([in] long StatusType, [in,out] short* Show)"; a retval parameter is the
// result, not an argument.
std::string ArgumentsText(ITypeInfo* ti, const FUNCDESC& f) {
    const std::vector<std::string> names = NamesOf(ti, f.memid);
    std::string text;
    for (SHORT i = 0; i < f.cParams; ++i) {
        const ELEMDESC& e = f.lprgelemdescParam[i];
        if (IsRetval(e))
            continue;
        const std::string flags = FlagsIn(kParamFlags, e.paramdesc.wParamFlags, ",");
        const size_t n = static_cast<size_t>(i) + 1;
        text += (i ? ", [" : "[") + flags + "] " + TypeText(ti, e.tdesc) + " " +
                (n < names.size() ? names[n] : "?");
    }
    return "(" + text + ")";
}

// The type a retval parameter delivers: the pointer's target.
std::string ResultText(ITypeInfo* ti, const FUNCDESC& f) {
    if (f.cParams == 0 || !IsRetval(f.lprgelemdescParam[f.cParams - 1]))
        return "void";
    const TYPEDESC& td = f.lprgelemdescParam[f.cParams - 1].tdesc;
    return td.vt == VT_PTR ? TypeText(ti, *td.lptdesc) : "<retval not by pointer>";
}

class Describer {
public:
    explicit Describer(ITypeLib* lib) : lib_(lib) {
        TLIBATTR* attr = nullptr;
        lib->GetLibAttr(&attr);
        pointerSize_ = attr && attr->syskind == SYS_WIN64 ? 8 : 4;
        lib->ReleaseTLibAttr(attr);
    }

    LibraryText Run() {
        for (UINT i = 0, n = lib_->GetTypeInfoCount(); i < n; ++i) {
            ComPtr<ITypeInfo> ti;
            lib_->GetTypeInfo(i, &ti);
            const auto attr = AttrOf(ti.Get());
            const std::string name = DocOf(ti.Get(), MEMBERID_NIL);
            if (attr->typekind == TKIND_ENUM) {
                Enumeration(ti.Get(), name);
                continue;
            }
            // oleaut32 marks dispinterfaces dispatchable on its own.
            const std::string flags = FlagsIn(kTypeFlags, attr->wTypeFlags & ~TYPEFLAG_FDISPATCHABLE);
            text_.types.push_back(NameIn(kKinds, attr->typekind) + " " + name +
                                  (flags.empty() ? "" : " (" + flags + ")"));
            if (attr->typekind == TKIND_COCLASS) {
                text_.types.back() += Implemented(ti.Get());
            } else if (attr->typekind == TKIND_DISPATCH && (attr->wTypeFlags & TYPEFLAG_FDUAL)) {
                HREFTYPE href = 0;
                ComPtr<ITypeInfo> vtable;
                if (FAILED(ti->GetRefTypeOfImplType(-1, &href)) || FAILED(ti->GetRefTypeInfo(href, &vtable)))
                    Fault(name, "no vtable view");
                else
                    Interface(vtable.Get());
            } else if (attr->typekind == TKIND_DISPATCH) {
                Events(ti.Get(), name);
            }
        }
        return std::move(text_);
    }

private:
    void Fault(const std::string& where, const std::string& what) {
        text_.faults.push_back(where + ": " + what);
    }

    void Enumeration(ITypeInfo* ti, const std::string& name) {
        std::string line = name + ":";
        for (UINT i = 0, n = AttrOf(ti)->cVars; i < n; ++i) {
            const auto v = VarOf(ti, i);
            const std::string item = DocOf(ti, v->memid);
            if (v->varkind != VAR_CONST || v->lpvarValue->vt != VT_I4 || v->elemdescVar.tdesc.vt != VT_I4)
                Fault(name + "." + item, "not a 32-bit constant");
            line += (i ? ", " : " ") + item + " = " + std::to_string(v->lpvarValue->lVal);
        }
        text_.enums.push_back(line);
    }

    // ": _Zarn default, __Zarn default source"
    static std::string Implemented(ITypeInfo* ti) {
        std::string text;
        for (UINT i = 0, n = AttrOf(ti)->cImplTypes; i < n; ++i) {
            HREFTYPE href = 0;
            INT flags = 0;
            ComPtr<ITypeInfo> impl;
            if (FAILED(ti->GetImplTypeFlags(i, &flags)) || FAILED(ti->GetRefTypeOfImplType(i, &href)) ||
                FAILED(ti->GetRefTypeInfo(href, &impl)))
                return text + " <unresolved>";
            const std::string words = FlagsIn(kImplFlags, flags);
            text += (i ? ", " : ": ") + DocOf(impl.Get(), MEMBERID_NIL) + (words.empty() ? "" : " " + words);
        }
        return text;
    }

    void Interface(ITypeInfo* ti) {
        const auto attr = AttrOf(ti);
        const std::string where = DocOf(ti, MEMBERID_NIL);
        // IDispatch's seven functions come first in every dual vtable.
        // oleaut32 reports function offsets in the reading process's
        // pointer size, whatever the library's system kind, but the vtable
        // size as written.
        const UINT needed = (7 + attr->cFuncs) * pointerSize_;
        if (attr->cbSizeVft < needed)
            Fault(where, "vtable of " + std::to_string(attr->cbSizeVft) + " bytes, " +
                             std::to_string(needed) + " needed");
        for (UINT i = 0; i < attr->cFuncs; ++i) {
            const auto f = FuncOf(ti, i);
            const std::string name = DocOf(ti, f->memid);
            const std::string at = where + "." + NameIn(kAccess, f->invkind) + "_" + name;
            if (f->funckind != FUNC_PUREVIRTUAL || f->callconv != CC_STDCALL ||
                f->elemdescFunc.tdesc.vt != VT_HRESULT || f->cParamsOpt != 0)
                Fault(at, "not a vtable function with an HRESULT and no optional parameters");
            if (f->oVft != static_cast<SHORT>((7 + i) * sizeof(void*)))
                Fault(at, "vtable offset " + std::to_string(f->oVft));
            if (f->invkind == INVOKE_FUNC)
                members_.push_back({f->memid, name + ArgumentsText(ti, *f) + ": " + ResultText(ti, *f)});
            else
                Accessor(ti, *f, name, at);
        }
        for (const auto& [memid, text] : members_) {
            const std::string help = DocOf(ti, memid, true);
            text_.members.push_back(std::to_string(memid) + " " + text +
                                    (help.empty() ? "" : " \"" + help + "\""));
        }
    }

    // A property's line starts with its get; its put or putref, which must
    // follow at once with the same id and type, adds a word to that line.
    void Accessor(ITypeInfo* ti, const FUNCDESC& f, const std::string& name, const std::string& at) {
        const ELEMDESC* value = f.cParams == 1 ? f.lprgelemdescParam : nullptr;
        if (f.invkind == INVOKE_PROPERTYGET) {
            if (!value || value->paramdesc.wParamFlags != (PARAMFLAG_FOUT | PARAMFLAG_FRETVAL) ||
                value->tdesc.vt != VT_PTR || NamesOf(ti, f.memid).size() != 1)
                return Fault(at, "not a get with one unnamed retval pointer");
            getType_ = TypeText(ti, *value->tdesc.lptdesc);
            members_.push_back({f.memid, name + ": " + getType_ + " get"});
        } else if (!value || value->paramdesc.wParamFlags != PARAMFLAG_FIN || members_.empty() ||
                   members_.back().first != f.memid || !members_.back().second.ends_with(" get") ||
                   TypeText(ti, value->tdesc) != getType_) {
            Fault(at, "not one [in] value right after its get");
        } else {
            members_.back().second += " " + NameIn(kAccess, f.invkind);
        }
    }

    // A dispinterface lists IDispatch's functions first, as restricted
    // ones; clients skip them when they bind events.
    void Events(ITypeInfo* ti, const std::string& where) {
        for (UINT i = 0, n = AttrOf(ti)->cFuncs; i < n; ++i) {
            const auto f = FuncOf(ti, i);
            if (f->wFuncFlags & FUNCFLAG_FRESTRICTED)
                continue;
            const std::string name = DocOf(ti, f->memid);
            if (f->funckind != FUNC_DISPATCH || f->invkind != INVOKE_FUNC ||
                f->elemdescFunc.tdesc.vt != VT_VOID)
                Fault(where + "." + name, "not a dispatch method without a result");
            text_.events.push_back(std::to_string(f->memid) + " " + name + ArgumentsText(ti, *f));
        }
    }

    ITypeLib* lib_;
    UINT pointerSize_;
    std::vector<std::pair<MEMBERID, std::string>> members_;
    std::string getType_;
    LibraryText text_;
};

} // namespace

LibraryText DescribeLibrary(ITypeLib* lib) {
    return Describer(lib).Run();
}

std::string LibraryText::Text() const {
    std::string text;
    for (const auto& [name, lines] :
         {std::pair{"types", &types}, std::pair{"members", &members}, std::pair{"events", &events},
          std::pair{"enums", &enums}, std::pair{"faults", &faults}}) {
        text += std::string(name) + ":\n";
        for (const std::string& line : *lines)
            text += "  " + line + "\n";
    }
    return text;
}

} // namespace zarn::test
