#pragma once
// The host's dispatch objects (ambient properties, event sinks) are called
// by identifier only: they offer no type information and know no names, so
// only Invoke is theirs to write.
#include "com/ComObject.h"

#include <oaidl.h>

namespace zarnhost {

template <class Derived, class... Interfaces> class LateBound : public ComObject<Derived, Interfaces...> {
public:
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (!count)
            return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        if (info)
            *info = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return DISP_E_UNKNOWNNAME;
    }
};

} // namespace zarnhost
