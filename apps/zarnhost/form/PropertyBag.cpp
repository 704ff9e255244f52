#include "form/PropertyBag.h"

#include "form/FormValue.h"

#include <cwchar>
#include <new>

namespace zarnhost {

const PropertyBag::Entry* PropertyBag::Latest(LPCOLESTR key) const {
    for (auto e = entries_.rbegin(); e != entries_.rend(); ++e)
        if (_wcsicmp(e->key.c_str(), key) == 0)
            return &*e;
    return nullptr;
}

// The caller names the type it wants in value's vt (VT_EMPTY: as stored);
// the rest of *value is not initialised, so it is only ever overwritten.
HRESULT PropertyBag::Read(LPCOLESTR key, VARIANT* value, IErrorLog*) {
    if (!key || !value)
        return E_POINTER;
    const Entry* entry = Latest(key);
    if (!entry)
        return E_INVALIDARG;
    const VARTYPE wanted = V_VT(value);
    VARIANT out;
    VariantInit(&out);
    const HRESULT hr = wanted == VT_EMPTY
                           ? VariantCopy(&out, const_cast<VARIANT*>(&entry->value.Get()))
                           : VariantChangeType(&out, const_cast<VARIANT*>(&entry->value.Get()), 0, wanted);
    if (SUCCEEDED(hr))
        *value = out;
    return hr;
}

HRESULT PropertyBag::Write(LPCOLESTR key, VARIANT* value) {
    if (!key || !value)
        return E_POINTER;
    try {
        // A value passed by reference is stored as the value it points at.
        Variant stored;
        const HRESULT hr = VariantCopyInd(stored.Ptr(), value);
        if (FAILED(hr))
            return hr;
        if (!*key || !Storable(stored.Get()))
            return E_INVALIDARG;
        entries_.push_back({key, std::move(stored)});
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

} // namespace zarnhost
