// IOleObject: the site, verbs, the extent, the class's registered names.
#include "activex/ZarnObject.h"

#include <ole2.h>

namespace zarn {

HRESULT ZarnObject::SetClientSite(IOleClientSite* site) {
    if (!site)
        InPlaceDeactivate();
    site_ = site;
    return S_OK;
}

HRESULT ZarnObject::GetClientSite(IOleClientSite** site) {
    if (!site)
        return E_POINTER;
    *site = site_.Get();
    if (*site)
        (*site)->AddRef();
    return S_OK;
}

HRESULT ZarnObject::SetHostNames(LPCOLESTR, LPCOLESTR) {
    return S_OK;
}

HRESULT ZarnObject::Close(DWORD) {
    ++closes_;
    InPlaceDeactivate();
    eventsPoint_.DisconnectAll();
    notifyPoint_.DisconnectAll();
    if (adviseHolder_)
        adviseHolder_->SendOnClose();
    return S_OK;
}

// Controls are neither linked nor transferred as data objects.
HRESULT ZarnObject::SetMoniker(DWORD, IMoniker*) {
    return E_NOTIMPL;
}
HRESULT ZarnObject::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    if (moniker)
        *moniker = nullptr;
    return E_NOTIMPL;
}
HRESULT ZarnObject::InitFromData(IDataObject*, BOOL, DWORD) {
    return E_NOTIMPL;
}
HRESULT ZarnObject::GetClipboardData(DWORD, IDataObject** data) {
    if (data)
        *data = nullptr;
    return E_NOTIMPL;
}

HRESULT ZarnObject::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND, LPCRECT) {
    if (site && !site_)
        site_ = site;
    const Microsoft::WRL::ComPtr<IUnknown> hold = KeepAlive();
    return ComCall(IID_IOleObject, [&] { EnsureInitialised(); }) == S_OK ? VerbShow(verb) : E_FAIL;
}

HRESULT ZarnObject::EnumVerbs(IEnumOLEVERB** verbs) {
    return OleRegEnumVerbs(CLSID_Zarn, verbs);
}
HRESULT ZarnObject::Update() {
    return S_OK;
}
HRESULT ZarnObject::IsUpToDate() {
    return S_OK;
}

HRESULT ZarnObject::GetUserClassID(CLSID* clsid) {
    if (!clsid)
        return E_POINTER;
    *clsid = CLSID_Zarn;
    return S_OK;
}

HRESULT ZarnObject::GetUserType(DWORD form, LPOLESTR* type) {
    return OleRegGetUserType(CLSID_Zarn, form, type);
}

HRESULT ZarnObject::SetExtent(DWORD aspect, SIZEL* size) {
    if (!size)
        return E_POINTER;
    if (aspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    extent_ = *size;
    return S_OK;
}

HRESULT ZarnObject::GetExtent(DWORD aspect, SIZEL* size) {
    if (!size)
        return E_POINTER;
    if (aspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    *size = extent_;
    return S_OK;
}

HRESULT ZarnObject::Advise(IAdviseSink* sink, DWORD* connection) {
    if (!adviseHolder_) {
        const HRESULT hr = CreateOleAdviseHolder(adviseHolder_.GetAddressOf());
        if (FAILED(hr))
            return hr;
    }
    return adviseHolder_->Advise(sink, connection);
}

HRESULT ZarnObject::Unadvise(DWORD connection) {
    return adviseHolder_ ? adviseHolder_->Unadvise(connection) : OLE_E_NOCONNECTION;
}

HRESULT ZarnObject::EnumAdvise(IEnumSTATDATA** advise) {
    if (!advise)
        return E_POINTER;
    *advise = nullptr;
    return adviseHolder_ ? adviseHolder_->EnumAdvise(advise) : S_OK;
}

HRESULT ZarnObject::GetMiscStatus(DWORD aspect, DWORD* status) {
    if (!status)
        return E_POINTER;
    *status = aspect == DVASPECT_CONTENT ? kMiscStatus : 0;
    return S_OK;
}

HRESULT ZarnObject::SetColorScheme(LOGPALETTE*) {
    return E_NOTIMPL;
}

} // namespace zarn
