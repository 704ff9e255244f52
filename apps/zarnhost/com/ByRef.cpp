#include "com/ByRef.h"

#include "com/Variant.h"

namespace zarnhost {

namespace {

template <class T> void Replace(T* slot, T value) {
    *slot = value;
}

void StoreObject(IUnknown** slot, IUnknown* object) {
    if (object)
        object->AddRef();
    if (*slot)
        (*slot)->Release();
    *slot = object;
}

} // namespace

HRESULT AssignThroughReference(const VARIANT& target, const VARIANT& value) {
    const VARTYPE type = V_VT(&target);
    if (!(type & VT_BYREF) || !V_BYREF(&target))
        return DISP_E_TYPEMISMATCH;
    const VARTYPE base = type & ~VT_BYREF;
    if (base == VT_VARIANT)
        return VariantCopy(V_VARIANTREF(&target), const_cast<VARIANT*>(&value));
    Variant converted;
    const HRESULT hr = VariantChangeType(converted.Ptr(), const_cast<VARIANT*>(&value), 0, base);
    if (FAILED(hr))
        return hr;
    const VARIANT& c = converted.Get();
    switch (base) {
    case VT_I2:
        Replace(V_I2REF(&target), V_I2(&c));
        break;
    case VT_I4:
        Replace(V_I4REF(&target), V_I4(&c));
        break;
    case VT_UI1:
        Replace(V_UI1REF(&target), V_UI1(&c));
        break;
    case VT_UI4:
        Replace(V_UI4REF(&target), V_UI4(&c));
        break;
    case VT_R4:
        Replace(V_R4REF(&target), V_R4(&c));
        break;
    case VT_R8:
        Replace(V_R8REF(&target), V_R8(&c));
        break;
    case VT_DATE:
        Replace(V_DATEREF(&target), V_DATE(&c));
        break;
    case VT_CY:
        Replace(V_CYREF(&target), V_CY(&c));
        break;
    case VT_BOOL:
        Replace(V_BOOLREF(&target), V_BOOL(&c));
        break;
    case VT_ERROR:
        Replace(V_ERRORREF(&target), V_ERROR(&c));
        break;
    case VT_BSTR: {
        SysFreeString(*V_BSTRREF(&target));
        *V_BSTRREF(&target) = NewBstr(std::wstring_view(V_BSTR(&c), SysStringLen(V_BSTR(&c))));
        break;
    }
    case VT_DISPATCH:
    case VT_UNKNOWN:
        StoreObject(V_UNKNOWNREF(&target), V_UNKNOWN(&c));
        break;
    default:
        return DISP_E_BADVARTYPE;
    }
    return S_OK;
}

} // namespace zarnhost
