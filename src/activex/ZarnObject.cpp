#include "activex/ZarnObject.h"

#include "activex/DispatchCall.h"
#include "activex/Module.h"

#include <olectl.h>

#include <cwchar>
#include <new>

namespace zarn {

HRESULT ZarnObject::Create(REFIID iid, void** object) {
    if (!object)
        return E_POINTER;
    *object = nullptr;
    ZarnObject* created = nullptr;
    const HRESULT hr = ComCall(IID__Zarn, [&] { created = new ZarnObject(); });
    if (FAILED(hr))
        return hr;
    const HRESULT qi = created->QueryInterface(iid, object);
    created->Release();
    return qi;
}

ZarnObject::ZarnObject() : eventsPoint_(*this, DIID___Zarn), notifyPoint_(*this, IID_IPropertyNotifySink) {
    control_ = std::make_unique<Zarn>(static_cast<ControlHost&>(*this));
    module::AddObject();
}

ZarnObject::~ZarnObject() {
    control_.reset();
    module::ReleaseObject();
}

void ZarnObject::EnsureInitialised() {
    if (initialised_)
        return;
    initialised_ = true;
    control_->InitProperties();
}

// ---------------------------------------------------------------------------
// IUnknown

HRESULT ZarnObject::QueryInterface(REFIID riid, void** object) {
    if (!object)
        return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IID__Zarn)
        *object = static_cast<_Zarn*>(this);
    else if (riid == IID_ISupportErrorInfo)
        *object = static_cast<ISupportErrorInfo*>(this);
    else if (riid == IID_IProvideClassInfo || riid == IID_IProvideClassInfo2)
        *object = static_cast<IProvideClassInfo2*>(this);
    else if (riid == IID_IConnectionPointContainer)
        *object = static_cast<IConnectionPointContainer*>(this);
    else if (riid == IID_IOleObject)
        *object = static_cast<IOleObject*>(this);
    else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceObject)
        *object = static_cast<IOleInPlaceObject*>(this);
    else if (riid == IID_IOleInPlaceActiveObject)
        *object = static_cast<IOleInPlaceActiveObject*>(this);
    else if (riid == IID_IOleControl)
        *object = static_cast<IOleControl*>(this);
    else if (riid == IID_IViewObject || riid == IID_IViewObject2)
        *object = static_cast<IViewObject2*>(this);
    else if (riid == IID_IPersist || riid == IID_IPersistPropertyBag)
        *object = static_cast<IPersistPropertyBag*>(this);
    else if (riid == IID_IPersistStreamInit)
        *object = static_cast<IPersistStreamInit*>(this);
    else if (riid == IID_IObjectSafety)
        *object = static_cast<IObjectSafety*>(this);
    else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG ZarnObject::AddRef() {
    return ++refs_;
}

// A last release from another thread (outside the threading contract) is
// finished on the control's own thread, where its windows can be destroyed.
ULONG ZarnObject::Release() {
    const ULONG n = --refs_;
    if (n == 0)
        control_->UserControl().OnOwnerThread([this] { delete this; });
    return n;
}

// ---------------------------------------------------------------------------
// IDispatch

HRESULT ZarnObject::GetTypeInfoCount(UINT* count) {
    if (!count)
        return E_POINTER;
    *count = 1;
    return S_OK;
}

HRESULT ZarnObject::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
    if (!info)
        return E_POINTER;
    *info = nullptr;
    if (index != 0)
        return DISP_E_BADINDEX;
    return ComCall(IID__Zarn, [&] { *info = module::TypeInfoOf(IID__Zarn).Detach(); });
}

HRESULT ZarnObject::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (riid != IID_NULL)
        return DISP_E_UNKNOWNINTERFACE;
    if (const HRESULT checked = CheckNames(names, count, ids); FAILED(checked))
        return checked;
    Microsoft::WRL::ComPtr<ITypeInfo> info;
    const HRESULT hr = ComCall(IID__Zarn, [&] { info = module::TypeInfoOf(IID__Zarn); });
    if (FAILED(hr))
        return hr;
    return DispGetIDsOfNames(info.Get(), names, count, ids);
}

namespace {

// Our methods fail with error info. Only the type library fails without:
// given an object that is not of the interface its parameter asks for (a
// picture property given another object) it passes on the refusal of
// QueryInterface, which for the caller is a type mismatch.
HRESULT AsDispatchError(HRESULT hr, EXCEPINFO* excep) {
    Microsoft::WRL::ComPtr<IErrorInfo> error;
    if (GetErrorInfo(0, error.GetAddressOf()) != S_OK)
        return hr == E_NOINTERFACE ? DISP_E_TYPEMISMATCH : hr;
    if (!excep) {
        SetErrorInfo(0, error.Get()); // still there for the caller to ask
        return hr;
    }
    *excep = EXCEPINFO{};
    error->GetSource(&excep->bstrSource);
    error->GetDescription(&excep->bstrDescription);
    excep->scode = hr;
    return DISP_E_EXCEPTION;
}

} // namespace

// A call is checked against the member table first; the type library then
// does the unpacking and coercion of arguments for the one kind of call the
// check settled on. An error our vtable method reported comes back to the
// caller as an exception carrying the source and description it set.
HRESULT ZarnObject::Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                           EXCEPINFO* excep, UINT* argErr) {
    if (riid != IID_NULL)
        return DISP_E_UNKNOWNINTERFACE;
    const CheckedCall call = CheckDispatchCall(id, flags, params);
    if (FAILED(call.hr))
        return call.hr;
    Microsoft::WRL::ComPtr<ITypeInfo> info;
    HRESULT hr = ComCall(IID__Zarn, [&] { info = module::TypeInfoOf(IID__Zarn); });
    if (FAILED(hr))
        return hr;
    SetErrorInfo(0, nullptr);
    hr = info->Invoke(static_cast<_Zarn*>(this), id, call.flags, params, result, excep, argErr);
    if (FAILED(hr) && hr != DISP_E_EXCEPTION && HRESULT_FACILITY(hr) != FACILITY_DISPATCH)
        return AsDispatchError(hr, excep);
    return hr;
}

// ---------------------------------------------------------------------------
// _Zarn methods

HRESULT ZarnObject::DrawControl(LONG StatusType) {
    return Call([&] { control_->DrawControl(StatusType); });
}
HRESULT ZarnObject::RefreshControl() {
    return Call([&] { control_->RefreshControl(); });
}

HRESULT ZarnObject::OLEDrag() {
    return Call([&] { control_->OLEDrag(); });
}

HRESULT ZarnObject::UserControl_MouseOut(SHORT* Button, SHORT* Shift, FLOAT* X, FLOAT* Y, VARIANT* result) {
    if (result)
        VariantInit(result);
    if (!Button || !Shift || !X || !Y)
        return E_POINTER;
    return Call([&] { control_->UserControl_MouseOut(*Button, *Shift, *X, *Y); });
}

HRESULT ZarnObject::PiloCalendarshow(SHORT* Show) {
    if (!Show)
        return E_POINTER;
    return Call([&] { control_->PiloCalendarshow(*Show); });
}

HRESULT ZarnObject::DateIsNull(BSTR* DateIn, VARIANT_BOOL* result) {
    if (!DateIn || !result)
        return E_POINTER;
    return Call(
        [&] { *result = ToVariantBool(control_->DateIsNull(convert::Conv<types::String>::From(*DateIn))); });
}

// ---------------------------------------------------------------------------
// ISupportErrorInfo, IProvideClassInfo2

HRESULT ZarnObject::InterfaceSupportsErrorInfo(REFIID riid) {
    return riid == IID__Zarn ? S_OK : S_FALSE;
}

HRESULT ZarnObject::GetClassInfo(ITypeInfo** info) {
    if (!info)
        return E_POINTER;
    *info = nullptr;
    return ComCall(IID__Zarn, [&] { *info = module::TypeInfoOf(CLSID_Zarn).Detach(); });
}

HRESULT ZarnObject::GetGUID(DWORD kind, GUID* guid) {
    if (!guid)
        return E_POINTER;
    if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) {
        *guid = GUID_NULL;
        return E_INVALIDARG;
    }
    *guid = DIID___Zarn;
    return S_OK;
}

// ---------------------------------------------------------------------------
// IConnectionPointContainer

HRESULT ZarnObject::EnumConnectionPoints(IEnumConnectionPoints** points) {
    return NewConnectionPointsEnumerator({&eventsPoint_, &notifyPoint_}, points);
}

HRESULT ZarnObject::FindConnectionPoint(REFIID riid, IConnectionPoint** point) {
    if (!point)
        return E_POINTER;
    *point = nullptr;
    for (ConnectionPoint* p : {&eventsPoint_, &notifyPoint_}) {
        if (p->Iid() == riid) {
            *point = p;
            p->AddRef();
            return S_OK;
        }
    }
    return CONNECT_E_NOCONNECTION;
}

} // namespace zarn
