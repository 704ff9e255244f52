#include "activex/DispatchCall.h"

#include "shape/ZarnMemberTable.h"

namespace zarn {

namespace {

using shape::Kind;
using shape::Member;

constexpr WORD kMethod = DISPATCH_METHOD;
constexpr WORD kGet = DISPATCH_PROPERTYGET;
constexpr WORD kPut = DISPATCH_PROPERTYPUT;
constexpr WORD kPutRef = DISPATCH_PROPERTYPUTREF;
constexpr WORD kPuts = kPut | kPutRef;

const Member* MemberOf(DISPID id) {
    for (DISPID position = 1; position <= shape::kMemberCount; ++position)
        if (DispIdOf(position) == id)
            return &shape::kMembers[position - 1];
    return nullptr;
}

bool NamesItsValue(const DISPPARAMS& p) {
    return p.cNamedArgs == 1 && p.rgdispidNamedArgs[0] == DISPID_PROPERTYPUT;
}

// The one kind of call the flags ask of the member, 0 when it has none.
// Put flags mixed with a get or method flag make a put only when the call
// names its argument as a put's value; a get with arguments is no put.
WORD KindOfCall(const Member& m, WORD flags, const DISPPARAMS& p) {
    const bool put = (flags & kPuts) && (!(flags & (kGet | kMethod)) || NamesItsValue(p));
    if (put) {
        if (m.kind == Kind::GetPut && (flags & kPut))
            return kPut;
        if (m.kind == Kind::GetPutRef && (flags & kPutRef))
            return kPutRef;
        return 0;
    }
    if (m.kind == Kind::Method)
        return (flags & kMethod) ? kMethod : 0;
    return (flags & kGet) ? kGet : 0;
}

UINT ArgumentsOf(const Member& m, WORD kind) {
    if (kind == kMethod)
        return static_cast<UINT>(m.params.size());
    return kind == kGet ? 0 : 1;
}

// A put names nothing or its value; a method names its own parameters,
// each once and none that a positional argument already fills.
bool NamesAreRight(const DISPPARAMS& p, WORD kind, UINT count) {
    if (kind & kPuts)
        return p.cNamedArgs == 0 || NamesItsValue(p);
    const UINT positional = p.cArgs - p.cNamedArgs;
    for (UINT i = 0; i < p.cNamedArgs; ++i) {
        const DISPID name = p.rgdispidNamedArgs[i];
        if (name < static_cast<DISPID>(positional) || name >= static_cast<DISPID>(count))
            return false;
        for (UINT j = 0; j < i; ++j)
            if (p.rgdispidNamedArgs[j] == name)
                return false;
    }
    return true;
}

// The types an automation VARIANT carries, by value, by reference or in an
// array; Empty and Null only by value, a VARIANT only behind one of both.
bool IsAutomationType(VARTYPE vt) {
    const VARTYPE base = vt & VT_TYPEMASK;
    const VARTYPE modifiers = vt & ~VT_TYPEMASK;
    if (modifiers & ~(VT_BYREF | VT_ARRAY))
        return false;
    switch (base) {
    case VT_EMPTY:
    case VT_NULL:
        return modifiers == 0;
    case VT_VARIANT:
        return modifiers != 0;
    case VT_I2: case VT_I4: case VT_R4: case VT_R8: case VT_CY: case VT_DATE: case VT_BSTR:
    case VT_DISPATCH: case VT_ERROR: case VT_BOOL: case VT_UNKNOWN: case VT_DECIMAL: case VT_I1:
    case VT_UI1: case VT_UI2: case VT_UI4: case VT_I8: case VT_UI8: case VT_INT: case VT_UINT:
        return true;
    default:
        return false;
    }
}

// One argument for a parameter of the given type. A reference must point
// somewhere, except for a VARIANT parameter, whose setter refuses a value
// that is not there like any other it cannot read; a VARIANT reference
// points at a plain value, never at another reference.
HRESULT CheckArgument(const VARIANT& arg, const shape::Param& param) {
    const VARTYPE vt = V_VT(&arg);
    if (!IsAutomationType(vt))
        return DISP_E_BADVARTYPE;
    if (!(vt & VT_BYREF))
        return S_OK;
    const bool anyValue = param.type.vt == VT_VARIANT && !param.byRef;
    if (!V_BYREF(&arg))
        return anyValue ? S_OK : DISP_E_TYPEMISMATCH;
    if (param.byRef && vt != (VT_BYREF | param.type.vt) && vt != (VT_BYREF | VT_VARIANT))
        return DISP_E_TYPEMISMATCH;
    if (vt != (VT_BYREF | VT_VARIANT))
        return S_OK;
    const VARTYPE target = V_VT(V_VARIANTREF(&arg));
    return IsAutomationType(target) && !(target & VT_BYREF) ? S_OK : DISP_E_BADVARTYPE;
}

// The parameter the argument at index i of the array fills: named ones
// first, then the positional ones, last first.
shape::Param ParamOf(const Member& m, WORD kind, const DISPPARAMS& p, UINT i) {
    if (kind != kMethod)
        return {m.name, m.type, false};
    const UINT index = i < p.cNamedArgs ? static_cast<UINT>(p.rgdispidNamedArgs[i]) : p.cArgs - 1 - i;
    return m.params[index];
}

} // namespace

CheckedCall CheckDispatchCall(DISPID id, WORD flags, const DISPPARAMS* params) {
    if (!params || (params->cArgs && !params->rgvarg) || params->cNamedArgs > params->cArgs ||
        (params->cNamedArgs && !params->rgdispidNamedArgs))
        return {E_INVALIDARG, 0};
    const Member* member = MemberOf(id);
    if (!member)
        return {DISP_E_MEMBERNOTFOUND, 0};
    const WORD kind = KindOfCall(*member, flags, *params);
    if (!kind)
        return {DISP_E_MEMBERNOTFOUND, 0};
    const UINT count = ArgumentsOf(*member, kind);
    if (params->cArgs != count)
        return {DISP_E_BADPARAMCOUNT, 0};
    if (!NamesAreRight(*params, kind, count))
        return {DISP_E_PARAMNOTFOUND, 0};
    for (UINT i = 0; i < params->cArgs; ++i)
        if (const HRESULT hr = CheckArgument(params->rgvarg[i], ParamOf(*member, kind, *params, i)); FAILED(hr))
            return {hr, 0};
    return {S_OK, kind};
}

HRESULT CheckNames(const LPOLESTR* names, UINT count, const DISPID* ids) {
    if (!names || !ids)
        return E_POINTER;
    if (count == 0)
        return E_INVALIDARG;
    for (UINT i = 0; i < count; ++i)
        if (!names[i])
            return E_POINTER;
    return S_OK;
}

} // namespace zarn
