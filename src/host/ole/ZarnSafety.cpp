// IObjectSafety: the control reads no files, network or registry at run
// time and acts only on what its host gives it, so it is safe for scripting
// and for initialisation from any property bag or stream.
#include "host/ole/ZarnObject.h"

namespace zarn {

namespace {

constexpr DWORD kSafe = INTERFACESAFE_FOR_UNTRUSTED_CALLER | INTERFACESAFE_FOR_UNTRUSTED_DATA;

bool Covered(REFIID riid) {
    return riid == IID_IDispatch || riid == IID__Zarn || riid == IID_IPersistPropertyBag ||
           riid == IID_IPersistStreamInit;
}

} // namespace

HRESULT ZarnObject::GetInterfaceSafetyOptions(REFIID riid, DWORD* supported, DWORD* enabled) {
    if (!supported || !enabled)
        return E_POINTER;
    if (!Covered(riid)) {
        *supported = *enabled = 0;
        return E_NOINTERFACE;
    }
    *supported = kSafe;
    *enabled = safety_ & kSafe;
    return S_OK;
}

HRESULT ZarnObject::SetInterfaceSafetyOptions(REFIID riid, DWORD mask, DWORD enabled) {
    if (!Covered(riid))
        return E_NOINTERFACE;
    if (mask & ~kSafe)
        return E_FAIL; // asks for a safety we do not offer
    safety_ = (safety_ & ~mask) | (enabled & mask);
    return S_OK;
}

} // namespace zarn
