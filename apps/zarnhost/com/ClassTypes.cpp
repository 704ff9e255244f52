#include "com/ClassTypes.h"

#include "com/Variant.h"

#include <ocidl.h>

namespace zarnhost {

using Microsoft::WRL::ComPtr;

namespace {

HRESULT GuidOf(ITypeInfo* type, IID& iid) {
    TYPEATTR* attr = nullptr;
    const HRESULT hr = type->GetTypeAttr(&attr);
    if (FAILED(hr))
        return hr;
    iid = attr->guid;
    type->ReleaseTypeAttr(attr);
    return S_OK;
}

HRESULT ImplementedCount(ITypeInfo* type, UINT& count) {
    TYPEATTR* attr = nullptr;
    const HRESULT hr = type->GetTypeAttr(&attr);
    if (FAILED(hr))
        return hr;
    count = attr->cImplTypes;
    type->ReleaseTypeAttr(attr);
    return S_OK;
}

} // namespace

HRESULT LookUpClassTypes(IUnknown* control, ClassTypes& out) {
    ComPtr<IProvideClassInfo> provider;
    HRESULT hr = control->QueryInterface(IID_PPV_ARGS(&provider));
    if (FAILED(hr) || FAILED(hr = provider->GetClassInfo(&out.coclass)))
        return hr;
    UINT count = 0;
    if (FAILED(hr = ImplementedCount(out.coclass.Get(), count)))
        return hr;
    for (UINT i = 0; i < count; ++i) {
        INT flags = 0;
        HREFTYPE ref = 0;
        ComPtr<ITypeInfo> implemented;
        if (FAILED(out.coclass->GetImplTypeFlags(i, &flags)) || !(flags & IMPLTYPEFLAG_FDEFAULT) ||
            FAILED(out.coclass->GetRefTypeOfImplType(i, &ref)) ||
            FAILED(out.coclass->GetRefTypeInfo(ref, &implemented)))
            continue;
        if (flags & IMPLTYPEFLAG_FSOURCE) {
            out.defaultSource = implemented;
            GuidOf(implemented.Get(), out.sourceIid);
        } else {
            out.defaultInterface = implemented;
        }
    }
    return S_OK;
}

std::vector<std::wstring> MemberNames(ITypeInfo* type, DISPID member) {
    BSTR names[64] = {};
    UINT count = 0;
    std::vector<std::wstring> out;
    if (type && SUCCEEDED(type->GetNames(member, names, 64, &count)))
        for (UINT i = 0; i < count; ++i)
            out.push_back(TakeBstr(names[i]));
    return out;
}

} // namespace zarnhost
