// In-place activation: the surface becomes a child of the container's
// window, the control becomes the container's active object when its text
// box takes the focus, and keys reach the text box before the container's
// dialog navigation sees them.
#include "activex/ZarnObject.h"

namespace zarn {

HRESULT ZarnObject::VerbShow(LONG verb) {
    switch (verb) {
    case OLEIVERB_PRIMARY:
    case OLEIVERB_SHOW:
    case OLEIVERB_INPLACEACTIVATE:
        return ActivateInPlace();
    case OLEIVERB_UIACTIVATE:
        return ActivateUI();
    case OLEIVERB_HIDE:
        UIDeactivate();
        GiveUpFocus();
        ShowWindow(control_->UserControl().Handle(), SW_HIDE);
        return S_OK;
    case OLEIVERB_OPEN:
    case OLEIVERB_PROPERTIES:
    case OLEIVERB_DISCARDUNDOSTATE:
        return E_NOTIMPL;
    default:
        return verb < 0 ? E_NOTIMPL : OLEOBJ_S_INVALIDVERB;
    }
}

void ZarnObject::GiveUpFocus() {
    const HWND surface = control_->UserControl().Handle();
    const HWND focus = GetFocus();
    if (focus == surface || IsChild(surface, focus))
        SetFocus(GetParent(surface));
}

HRESULT ZarnObject::ActivateInPlace() {
    if (inPlaceActive_) {
        ShowWindow(control_->UserControl().Handle(), SW_SHOWNA);
        return S_OK;
    }
    if (!site_)
        return E_UNEXPECTED;
    Microsoft::WRL::ComPtr<IOleInPlaceSite> site;
    HRESULT hr = site_.As(&site);
    if (FAILED(hr))
        return hr;
    if (site->CanInPlaceActivate() != S_OK)
        return E_FAIL;
    hr = site->OnInPlaceActivate();
    if (FAILED(hr))
        return hr;
    HWND parent = nullptr;
    RECT position{}, clip{};
    OLEINPLACEFRAMEINFO frameInfo{};
    frameInfo.cb = sizeof frameInfo;
    if (FAILED(hr = site->GetWindow(&parent)) ||
        FAILED(hr =
                   site->GetWindowContext(frame_.ReleaseAndGetAddressOf(), uiWindow_.ReleaseAndGetAddressOf(),
                                          &position, &clip, &frameInfo))) {
        site->OnInPlaceDeactivate();
        return hr;
    }
    inPlaceSite_ = site;
    inPlaceActive_ = true;
    control_->UserControl().PlaceIn(parent, position);
    return S_OK;
}

HRESULT ZarnObject::ActivateUI() {
    HRESULT hr = ActivateInPlace();
    if (FAILED(hr) || uiActive_)
        return hr;
    uiActive_ = true;
    inPlaceSite_->OnUIActivate();
    if (frame_)
        frame_->SetActiveObject(static_cast<IOleInPlaceActiveObject*>(this), L"Zarn");
    if (uiWindow_)
        uiWindow_->SetActiveObject(static_cast<IOleInPlaceActiveObject*>(this), L"Zarn");
    if (frame_)
        frame_->SetMenu(nullptr, nullptr, nullptr);
    TakeFocus();
    return S_OK;
}

// The focus goes to the surface, which hands it on to the text box when the
// box can take it and otherwise keeps it, with the keys. A disabled control
// takes none.
void ZarnObject::TakeFocus() {
    const HWND surface = control_->UserControl().Handle();
    const HWND focus = GetFocus();
    if (IsWindowEnabled(surface) && focus != surface && !IsChild(surface, focus))
        SetFocus(surface);
}

// ---------------------------------------------------------------------------
// IOleWindow

HRESULT ZarnObject::GetWindow(HWND* window) {
    if (!window)
        return E_POINTER;
    *window = control_->UserControl().Handle();
    return S_OK;
}

HRESULT ZarnObject::ContextSensitiveHelp(BOOL) {
    return E_NOTIMPL;
}

// ---------------------------------------------------------------------------
// IOleInPlaceObject

HRESULT ZarnObject::InPlaceDeactivate() {
    if (!inPlaceActive_)
        return S_OK;
    UIDeactivate();
    GiveUpFocus();
    inPlaceActive_ = false;
    control_->UserControl().Park();
    const auto site = std::move(inPlaceSite_);
    frame_.Reset();
    uiWindow_.Reset();
    site->OnInPlaceDeactivate();
    return S_OK;
}

HRESULT ZarnObject::UIDeactivate() {
    if (!uiActive_)
        return S_OK;
    uiActive_ = false;
    if (uiWindow_)
        uiWindow_->SetActiveObject(nullptr, nullptr);
    if (frame_)
        frame_->SetActiveObject(nullptr, nullptr);
    if (inPlaceSite_)
        inPlaceSite_->OnUIDeactivate(FALSE);
    return S_OK;
}

HRESULT ZarnObject::SetObjectRects(LPCRECT position, LPCRECT) {
    if (!position)
        return E_POINTER;
    control_->UserControl().Move(*position);
    return S_OK;
}

HRESULT ZarnObject::ReactivateAndUndo() {
    return INPLACE_E_NOTUNDOABLE;
}

// ---------------------------------------------------------------------------
// IOleInPlaceActiveObject

namespace {

// Keys the text box needs for itself: its handlers report them and open the
// calendar on F4 and Alt+Down; a dialog manager would take the arrows.
bool TextBoxKey(const MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN && msg.message != WM_KEYUP &&
        msg.message != WM_SYSKEYUP)
        return false;
    switch (msg.wParam) {
    case VK_F4:
    case VK_UP:
    case VK_DOWN:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_HOME:
    case VK_END:
        return true;
    default:
        return false;
    }
}

} // namespace

HRESULT ZarnObject::TranslateAccelerator(LPMSG msg) {
    if (!msg)
        return E_POINTER;
    const HWND text = control_->Text1().Handle();
    if (msg->hwnd == text && TextBoxKey(*msg)) {
        TranslateMessage(msg);
        DispatchMessageW(msg);
        return S_OK;
    }
    // Everything else, Tab included, is the container's to handle.
    Microsoft::WRL::ComPtr<IOleControlSite> controlSite;
    if (site_ && SUCCEEDED(site_.As(&controlSite))) {
        DWORD modifiers = 0;
        if (GetKeyState(VK_SHIFT) < 0)
            modifiers |= 1;
        if (GetKeyState(VK_CONTROL) < 0)
            modifiers |= 2;
        if (GetKeyState(VK_MENU) < 0)
            modifiers |= 4;
        return controlSite->TranslateAccelerator(msg, modifiers);
    }
    return S_FALSE;
}

HRESULT ZarnObject::OnFrameWindowActivate(BOOL) {
    return S_OK;
}
HRESULT ZarnObject::OnDocWindowActivate(BOOL) {
    return S_OK;
}
HRESULT ZarnObject::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) {
    return S_OK;
}
HRESULT ZarnObject::EnableModeless(BOOL) {
    return S_OK;
}

// ---------------------------------------------------------------------------
// IOleControl

HRESULT ZarnObject::GetControlInfo(CONTROLINFO* info) {
    if (!info)
        return E_POINTER;
    info->cb = sizeof *info;
    info->hAccel = nullptr; // no mnemonics
    info->cAccel = 0;
    info->dwFlags = 0;
    return S_OK;
}

HRESULT ZarnObject::OnMnemonic(MSG*) {
    return S_OK;
}

// Ambient properties are asked afresh at each use; a change only needs a
// new face (the mode decides nothing that is drawn, the container's colours
// might).
HRESULT ZarnObject::OnAmbientPropertyChange(DISPID) {
    control_->UserControl().Invalidate();
    ViewChanged();
    return S_OK;
}

HRESULT ZarnObject::FreezeEvents(BOOL freeze) {
    frozenEvents_ += freeze ? 1 : (frozenEvents_ > 0 ? -1 : 0);
    return S_OK;
}

} // namespace zarn
