#include "site/FormFrame.h"

namespace zarnhost {

void* FormFrame::Find(REFIID iid) {
    if (iid == IID_IOleWindow || iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame)
        return static_cast<IOleInPlaceFrame*>(this);
    return nullptr;
}

HRESULT FormFrame::GetWindow(HWND* window) {
    if (!window)
        return E_POINTER;
    *window = window_;
    return window_ ? S_OK : E_FAIL;
}

HRESULT FormFrame::GetBorder(LPRECT border) {
    if (!border)
        return E_POINTER;
    return INPLACE_E_NOTOOLSPACE;
}

// Only "no tools" can be granted.
HRESULT FormFrame::SetBorderSpace(LPCBORDERWIDTHS widths) {
    if (!widths)
        return S_OK;
    const bool none = widths->left == 0 && widths->top == 0 && widths->right == 0 && widths->bottom == 0;
    return none ? S_OK : OLE_E_INVALIDRECT;
}

HRESULT FormFrame::SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR) {
    active_ = object;
    return S_OK;
}

} // namespace zarnhost
