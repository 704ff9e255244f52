#include "site/ControlSite.h"

#include "site/Ambients.h"

#include <olectl.h>

#include <cmath>

namespace zarnhost {

namespace {

// The modifier bits of IOleControlSite::TranslateAccelerator.
enum : DWORD { kShift = 1, kControl = 2, kAlt = 4 };

// The form's units are pixels; HIMETRIC is hundredths of a millimetre.
double PixelsPerInch(bool horizontal) {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, horizontal ? LOGPIXELSX : LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

} // namespace

void* ControlSite::Find(REFIID iid) {
    if (iid == IID_IOleClientSite)
        return static_cast<IOleClientSite*>(this);
    if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite || iid == IID_IOleInPlaceSiteEx)
        return static_cast<IOleInPlaceSiteEx*>(this);
    if (iid == IID_IOleControlSite)
        return static_cast<IOleControlSite*>(this);
    if (iid == IID_IDispatch)
        return static_cast<IDispatch*>(this);
    return nullptr;
}

void ControlSite::Say(const std::wstring& what) {
    if (host_)
        host_->Logger().Line(name_ + L" " + what);
}

// ---------------------------------------------------------------------------
// IOleClientSite: controls are embedded, never linked, and the form saves
// them when the user saves the form.

HRESULT ControlSite::SaveObject() {
    return S_OK;
}

HRESULT ControlSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    if (moniker)
        *moniker = nullptr;
    return E_NOTIMPL;
}

HRESULT ControlSite::GetContainer(IOleContainer** container) {
    if (container)
        *container = nullptr;
    return E_NOINTERFACE;
}

HRESULT ControlSite::ShowObject() {
    return S_OK;
}

HRESULT ControlSite::OnShowWindow(BOOL) {
    return S_OK;
}

HRESULT ControlSite::RequestNewObjectLayout() {
    return E_NOTIMPL;
}

// ---------------------------------------------------------------------------
// IOleControlSite

HRESULT ControlSite::OnControlInfoChanged() {
    Say(L"control info changed");
    return S_OK;
}

// While locked the control is inside one of its own calls (an event, a
// modal loop); the form must not deactivate or close it then.
HRESULT ControlSite::LockInPlaceActive(BOOL lock) {
    locks_ += lock ? 1 : (locks_ > 0 ? -1 : 0);
    return S_OK;
}

HRESULT ControlSite::GetExtendedControl(IDispatch** control) {
    if (control)
        *control = nullptr;
    return E_NOTIMPL;
}

HRESULT ControlSite::TransformCoords(POINTL* himetric, POINTF* container, DWORD flags) {
    if (!himetric || !container)
        return E_POINTER;
    const double x = PixelsPerInch(true) / 2540.0, y = PixelsPerInch(false) / 2540.0;
    if (flags & XFORMCOORDS_HIMETRICTOCONTAINER) {
        container->x = static_cast<float>(himetric->x * x);
        container->y = static_cast<float>(himetric->y * y);
    } else if (flags & XFORMCOORDS_CONTAINERTOHIMETRIC) {
        himetric->x = std::lround(container->x / x);
        himetric->y = std::lround(container->y / y);
    } else {
        return E_INVALIDARG;
    }
    return S_OK;
}

// A control hands back the keys it does not use; Tab and Shift+Tab move to
// the next control, as in any dialog.
HRESULT ControlSite::TranslateAccelerator(MSG* msg, DWORD modifiers) {
    if (!msg)
        return E_POINTER;
    const bool tab = msg->message == WM_KEYDOWN && msg->wParam == VK_TAB;
    if (!host_ || !tab || (modifiers & (kControl | kAlt)))
        return S_FALSE;
    return host_->TabFrom(*this, (modifiers & kShift) != 0) ? S_OK : S_FALSE;
}

HRESULT ControlSite::OnFocus(BOOL gotFocus) {
    Say(gotFocus ? L"got focus" : L"lost focus");
    return S_OK;
}

HRESULT ControlSite::ShowPropertyFrame() {
    return E_NOTIMPL;
}

// ---------------------------------------------------------------------------
// IDispatch: ambient properties are read by dispatch identifier only.

HRESULT ControlSite::Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS*, VARIANT* result,
                            EXCEPINFO*, UINT*) {
    if (riid != IID_NULL)
        return DISP_E_UNKNOWNINTERFACE;
    if (!(flags & (DISPATCH_PROPERTYGET | DISPATCH_METHOD)) || !host_)
        return DISP_E_MEMBERNOTFOUND;
    const AmbientState state{host_->UserMode(), host_->AmbientFont(), name_};
    VARIANT value;
    const HRESULT hr = AmbientProperty(id, state, &value);
    if (SUCCEEDED(hr)) {
        if (result)
            *result = value;
        else
            VariantClear(&value);
    }
    return hr;
}

} // namespace zarnhost
