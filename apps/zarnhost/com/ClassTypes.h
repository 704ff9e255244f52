#pragma once
// What a control's type library says about its class: the coclass, its
// default interface (for member names) and its default source interface
// (the events), found through IProvideClassInfo as any container does.
#include <oaidl.h>
#include <wrl/client.h>

#include <string>
#include <vector>

namespace zarnhost {

struct ClassTypes {
    Microsoft::WRL::ComPtr<ITypeInfo> coclass;
    Microsoft::WRL::ComPtr<ITypeInfo> defaultInterface;
    Microsoft::WRL::ComPtr<ITypeInfo> defaultSource;
    IID sourceIid = IID_NULL;
};

HRESULT LookUpClassTypes(IUnknown* control, ClassTypes& out);

// A member's name, then its parameters' names; empty when the type does not
// know the member.
std::vector<std::wstring> MemberNames(ITypeInfo* type, DISPID member);

} // namespace zarnhost
