// IObjectSafety: the control reads no files, network or registry at run
// time and acts only on what its host gives it, so it is safe for scripting
// and for initialisation from any property bag or stream.
#include "activex/ZarnObject.h"

namespace zarn {

namespace {

constexpr DWORD kSafe = INTERFACESAFE_FOR_UNTRUSTED_CALLER | INTERFACESAFE_FOR_UNTRUSTED_DATA;

int Slot(REFIID riid) {
    if (riid == IID_IDispatch || riid == IID__Zarn)
        return 0;
    if (riid == IID_IPersistPropertyBag)
        return 1;
    if (riid == IID_IPersistStreamInit)
        return 2;
    return -1;
}

} // namespace

HRESULT ZarnObject::GetInterfaceSafetyOptions(REFIID riid, DWORD* supported, DWORD* enabled) {
    if (!supported || !enabled)
        return E_POINTER;
    const int slot = Slot(riid);
    if (slot < 0) {
        *supported = *enabled = 0;
        return E_NOINTERFACE;
    }
    *supported = kSafe;
    *enabled = safety_[slot] & kSafe;
    return S_OK;
}

HRESULT ZarnObject::SetInterfaceSafetyOptions(REFIID riid, DWORD mask, DWORD enabled) {
    const int slot = Slot(riid);
    if (slot < 0)
        return E_NOINTERFACE;
    if (mask & ~kSafe)
        return E_FAIL; // asks for a safety we do not offer
    safety_[slot] = (safety_[slot] & ~mask) | (enabled & mask);
    return S_OK;
}

} // namespace zarn
