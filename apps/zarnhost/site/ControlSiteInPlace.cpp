// The in-place part of a control's site: the control lives in a child
// window of the form, at the rectangle the form gives it.
#include "site/ControlSite.h"

namespace zarnhost {

HRESULT ControlSite::GetWindow(HWND* window) {
    if (!window)
        return E_POINTER;
    *window = host_ ? host_->Window() : nullptr;
    return *window ? S_OK : E_FAIL;
}

HRESULT ControlSite::ContextSensitiveHelp(BOOL) {
    return S_OK;
}

HRESULT ControlSite::CanInPlaceActivate() {
    return host_ ? S_OK : S_FALSE;
}

HRESULT ControlSite::OnInPlaceActivate() {
    Say(L"in-place active");
    return S_OK;
}

HRESULT ControlSite::OnUIActivate() {
    if (host_)
        host_->SiteUIActivating(*this);
    Say(L"UI-active");
    return S_OK;
}

// The form is both the frame and the document window, so there is no
// separate document window to give.
HRESULT ControlSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                      LPRECT position, LPRECT clip, LPOLEINPLACEFRAMEINFO info) {
    if (!frame || !document || !position || !clip || !info)
        return E_POINTER;
    *frame = nullptr;
    *document = nullptr;
    if (!host_)
        return E_UNEXPECTED;
    *frame = host_->Frame();
    (*frame)->AddRef();
    *position = rect_;
    *clip = host_->ClipRect();
    info->fMDIApp = FALSE;
    info->hwndFrame = host_->Window();
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
}

HRESULT ControlSite::Scroll(SIZE) {
    return E_NOTIMPL;
}

HRESULT ControlSite::OnUIDeactivate(BOOL) {
    Say(L"UI-inactive");
    if (host_)
        host_->SiteUIDeactivated(*this);
    return S_OK;
}

HRESULT ControlSite::OnInPlaceDeactivate() {
    Say(L"in-place inactive");
    return S_OK;
}

HRESULT ControlSite::DiscardUndoState() {
    return S_OK;
}

HRESULT ControlSite::DeactivateAndUndo() {
    return S_OK;
}

HRESULT ControlSite::OnPosRectChange(LPCRECT position) {
    if (!position)
        return E_POINTER;
    if (host_)
        host_->SiteMoveRequested(*this, *position);
    return S_OK;
}

HRESULT ControlSite::OnInPlaceActivateEx(BOOL* noRedraw, DWORD) {
    if (noRedraw)
        *noRedraw = FALSE;
    return OnInPlaceActivate();
}

HRESULT ControlSite::OnInPlaceDeactivateEx(BOOL) {
    return OnInPlaceDeactivate();
}

HRESULT ControlSite::RequestUIActivate() {
    return host_ ? S_OK : S_FALSE;
}

} // namespace zarnhost
