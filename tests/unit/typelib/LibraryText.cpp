#include "LibraryText.h"

#include "host/runtime/Variant.h"

#include <wrl/client.h>

#include <algorithm>
#include <functional>
#include <memory>

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

std::string NameOf(ITypeInfo* ti, MEMBERID id) {
    Bstr name;
    ti->GetDocumentation(id, name.Put(), nullptr, nullptr, nullptr);
    return Narrow(name.Get());
}

std::string HelpOf(ITypeInfo* ti, MEMBERID id) {
    Bstr help;
    ti->GetDocumentation(id, nullptr, help.Put(), nullptr, nullptr);
    return Narrow(help.Get());
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

std::string LibraryNameOf(ITypeInfo* ti) {
    ComPtr<ITypeLib> lib;
    UINT index = 0;
    if (FAILED(ti->GetContainingTypeLib(&lib, &index)))
        return "?";
    Bstr name;
    lib->GetDocumentation(-1, name.Put(), nullptr, nullptr, nullptr);
    return Narrow(name.Get());
}

const char* KindWord(TYPEKIND kind) {
    switch (kind) {
    case TKIND_ENUM:
        return "enum";
    case TKIND_RECORD:
        return "struct";
    case TKIND_MODULE:
        return "module";
    case TKIND_INTERFACE:
        return "interface";
    case TKIND_DISPATCH:
        return "dispatch";
    case TKIND_COCLASS:
        return "coclass";
    case TKIND_ALIAS:
        return "typedef";
    case TKIND_UNION:
        return "union";
    default:
        return "?";
    }
}

std::string TypeText(ITypeInfo* ti, const TYPEDESC& td) {
    switch (td.vt) {
    case VT_PTR:
        return TypeText(ti, *td.lptdesc) + "*";
    case VT_USERDEFINED: {
        ComPtr<ITypeInfo> ref;
        if (FAILED(ti->GetRefTypeInfo(td.hreftype, &ref)))
            return "<unresolved>";
        const std::string name = NameOf(ref.Get(), MEMBERID_NIL);
        const std::string lib = LibraryNameOf(ref.Get());
        if (lib != "Zarn2")
            return lib + "." + name;
        return std::string(KindWord(AttrOf(ref.Get())->typekind)) + " " + name;
    }
    default:
        return VarTypeText(td.vt);
    }
}

std::string FlagsText(USHORT flags) {
    std::string text;
    const std::pair<USHORT, const char*> words[] = {{PARAMFLAG_FIN, "in"},
                                                    {PARAMFLAG_FOUT, "out"},
                                                    {PARAMFLAG_FRETVAL, "retval"},
                                                    {PARAMFLAG_FOPT, "optional"}};
    for (const auto& [flag, word] : words)
        if (flags & flag)
            text += (text.empty() ? "" : ",") + std::string(word);
    return "[" + text + "]";
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
        const size_t n = static_cast<size_t>(i) + 1;
        text += (i ? ", " : "") + FlagsText(e.paramdesc.wParamFlags) + " " + TypeText(ti, e.tdesc) + " " +
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

const char* AccessWord(INVOKEKIND kind) {
    switch (kind) {
    case INVOKE_PROPERTYGET:
        return "get";
    case INVOKE_PROPERTYPUT:
        return "put";
    case INVOKE_PROPERTYPUTREF:
        return "putref";
    default:
        return "func";
    }
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
            const std::string name = NameOf(ti.Get(), MEMBERID_NIL);
            text_.types.push_back(std::string(KindWord(attr->typekind)) + " " + name);
            if (attr->typekind == TKIND_ENUM)
                Enumeration(ti.Get(), name);
            if (attr->typekind == TKIND_DISPATCH && (attr->wTypeFlags & TYPEFLAG_FDUAL)) {
                text_.types.back() += " (dual)";
                HREFTYPE href = 0;
                ComPtr<ITypeInfo> vtable;
                if (FAILED(ti->GetRefTypeOfImplType(-1, &href)) || FAILED(ti->GetRefTypeInfo(href, &vtable)))
                    Fault(name, "no vtable view");
                else
                    Interface(vtable.Get());
            } else if (attr->typekind == TKIND_INTERFACE) {
                Interface(ti.Get());
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
            const std::string item = NameOf(ti, v->memid);
            if (v->varkind != VAR_CONST || v->lpvarValue->vt != VT_I4 || v->elemdescVar.tdesc.vt != VT_I4)
                Fault(name + "." + item, "not a 32-bit constant");
            line += (i ? ", " : " ") + item + " = " + std::to_string(v->lpvarValue->lVal);
        }
        text_.enums.push_back(line);
    }

    void Interface(ITypeInfo* ti) {
        const auto attr = AttrOf(ti);
        const std::string where = NameOf(ti, MEMBERID_NIL);
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
            const std::string at = where + "." + AccessWord(f->invkind) + "_" + NameOf(ti, f->memid);
            if (f->funckind != FUNC_PUREVIRTUAL || f->callconv != CC_STDCALL)
                Fault(at, "not a vtable function");
            if (f->oVft != static_cast<SHORT>((7 + i) * sizeof(void*)))
                Fault(at, "vtable offset " + std::to_string(f->oVft));
            if (f->elemdescFunc.tdesc.vt != VT_HRESULT)
                Fault(at, "result is not an HRESULT");
            if (f->cParamsOpt != 0)
                Fault(at, "optional parameters");
            if (f->invkind == INVOKE_FUNC)
                Method(ti, *f, at);
            else
                Accessor(ti, *f, at);
        }
        for (const auto& m : members_)
            text_.members.push_back(m.text + m.help);
    }

    // Starts a member's line: one dispatch id, one member.
    void Begin(ITypeInfo* ti, MEMBERID memid, const std::string& text, const std::string& at) {
        for (const auto& m : members_)
            if (m.memid == memid)
                Fault(at, "dispatch id shared with " + m.text);
        const std::string help = HelpOf(ti, memid);
        members_.push_back(
            {memid, std::to_string(memid) + " " + text, help.empty() ? "" : " \"" + help + "\""});
    }

    void Method(ITypeInfo* ti, const FUNCDESC& f, const std::string& at) {
        for (SHORT i = 0; i < f.cParams; ++i) {
            const ELEMDESC& e = f.lprgelemdescParam[i];
            const USHORT flags = e.paramdesc.wParamFlags;
            const bool last = i == f.cParams - 1;
            const bool ok = flags == PARAMFLAG_FIN ||
                            (flags == (PARAMFLAG_FIN | PARAMFLAG_FOUT) && e.tdesc.vt == VT_PTR) ||
                            (last && flags == (PARAMFLAG_FOUT | PARAMFLAG_FRETVAL) && e.tdesc.vt == VT_PTR);
            if (!ok)
                Fault(at, "parameter " + std::to_string(i) + " " + FlagsText(flags));
        }
        Begin(ti, f.memid, NameOf(ti, f.memid) + ArgumentsText(ti, f) + ": " + ResultText(ti, f), at);
    }

    // A property's line starts with its get; its put or putref, which must
    // follow at once with the same id and type, adds a word to that line.
    void Accessor(ITypeInfo* ti, const FUNCDESC& f, const std::string& at) {
        if (f.cParams != 1)
            return Fault(at, std::to_string(f.cParams) + " parameters");
        const ELEMDESC& e = f.lprgelemdescParam[0];
        if (f.invkind == INVOKE_PROPERTYGET) {
            if (e.paramdesc.wParamFlags != (PARAMFLAG_FOUT | PARAMFLAG_FRETVAL) || e.tdesc.vt != VT_PTR)
                return Fault(at, "get without a retval pointer");
            if (NamesOf(ti, f.memid).size() != 1)
                Fault(at, "names its value");
            getType_ = TypeText(ti, *e.tdesc.lptdesc);
            Begin(ti, f.memid, NameOf(ti, f.memid) + ": " + getType_ + " get", at);
            return;
        }
        if (e.paramdesc.wParamFlags != PARAMFLAG_FIN)
            Fault(at, "put value is not [in]");
        if (members_.empty() || members_.back().memid != f.memid || getType_ != TypeText(ti, e.tdesc) ||
            members_.back().text.ends_with("put") || members_.back().text.ends_with("putref"))
            return Fault(at, "does not follow its get");
        members_.back().text += std::string(" ") + AccessWord(f.invkind);
    }

    // A dispinterface lists IDispatch's functions first, as restricted
    // ones; clients skip them when they bind events.
    void Events(ITypeInfo* ti, const std::string& where) {
        const auto attr = AttrOf(ti);
        for (UINT i = 0; i < attr->cFuncs; ++i) {
            const auto f = FuncOf(ti, i);
            if (f->wFuncFlags & FUNCFLAG_FRESTRICTED)
                continue;
            const std::string at = where + "." + NameOf(ti, f->memid);
            if (f->funckind != FUNC_DISPATCH || f->invkind != INVOKE_FUNC)
                Fault(at, "not a dispatch method");
            if (f->elemdescFunc.tdesc.vt != VT_VOID)
                Fault(at, "has a result");
            text_.events.push_back(std::to_string(f->memid) + " " + NameOf(ti, f->memid) +
                                   ArgumentsText(ti, *f));
        }
    }

    struct MemberLine {
        MEMBERID memid;
        std::string text;
        std::string help;
    };

    ITypeLib* lib_;
    UINT pointerSize_;
    std::vector<MemberLine> members_;
    std::string getType_;
    LibraryText text_;
};

} // namespace

std::string Narrow(const wchar_t* text) {
    if (!text)
        return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(n > 0 ? n - 1 : 0, '\0');
    if (n > 1)
        WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), n, nullptr, nullptr);
    return out;
}

LibraryText DescribeLibrary(ITypeLib* lib) {
    return Describer(lib).Run();
}

testing::AssertionResult SameLines(const char* expectedExpr, const char* actualExpr,
                                   const std::vector<std::string>& expected,
                                   const std::vector<std::string>& actual) {
    std::string diff;
    for (size_t i = 0; i < std::max(expected.size(), actual.size()); ++i) {
        const std::string e = i < expected.size() ? expected[i] : "(none)";
        const std::string a = i < actual.size() ? actual[i] : "(none)";
        if (e != a)
            diff += "\n  line " + std::to_string(i + 1) + ":\n    expected " + e + "\n    actual   " + a;
    }
    if (diff.empty())
        return testing::AssertionSuccess();
    return testing::AssertionFailure()
           << actualExpr << " differs from " << expectedExpr << " (" << actual.size() << " lines, "
           << expected.size() << " expected):" << diff;
}

testing::AssertionResult SameLibrary(const char* expectedExpr, const char* actualExpr,
                                     const LibraryText& expected, const LibraryText& actual) {
    const std::vector<std::string> none;
    const auto section = [&](const std::string& name, const std::vector<std::string>& e,
                             const std::vector<std::string>& a) {
        return SameLines((expectedExpr + name).c_str(), (actualExpr + name).c_str(), e, a);
    };
    const testing::AssertionResult checks[] = {
        section(".types", expected.types, actual.types),
        section(".members", expected.members, actual.members),
        section(".events", expected.events, actual.events),
        section(".enums", expected.enums, actual.enums),
        SameLines("no faults", (expectedExpr + std::string(".faults")).c_str(), none, expected.faults),
        SameLines("no faults", (actualExpr + std::string(".faults")).c_str(), none, actual.faults),
    };
    std::string message;
    for (const auto& c : checks)
        if (!c)
            message += std::string(c.message()) + "\n";
    if (message.empty())
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << message;
}

std::string VarTypeText(VARTYPE vt) {
    switch (vt) {
    case VT_BOOL:
        return "VARIANT_BOOL";
    case VT_I4:
        return "long";
    case VT_I2:
        return "short";
    case VT_R4:
        return "single";
    case VT_BSTR:
        return "BSTR";
    case VT_VARIANT:
        return "VARIANT";
    case VT_DISPATCH:
        return "IDispatch*";
    case VT_VOID:
        return "void";
    case VT_HRESULT:
        return "HRESULT";
    default:
        return "vt" + std::to_string(vt);
    }
}

} // namespace zarn::test
