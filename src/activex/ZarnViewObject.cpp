// IViewObject2: the face drawn into a container's device context, for
// design views, printing and metafiles, where the control has no window of
// its own on screen.
#include "activex/ZarnObject.h"

namespace zarn {

HRESULT ZarnObject::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC dc, LPCRECTL bounds, LPCRECTL,
                         BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR) {
    if (aspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    if (!dc || !bounds)
        return E_INVALIDARG;
    const RECT r{bounds->left, bounds->top, bounds->right, bounds->bottom};
    return ComCall(IID_IViewObject2, [&] {
        EnsureInitialised();
        control_->DrawForContainer(dc, r);
    });
}

HRESULT ZarnObject::GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE** colors) {
    if (colors)
        *colors = nullptr;
    return S_FALSE; // no palette of its own
}

HRESULT ZarnObject::Freeze(DWORD, LONG, void*, DWORD* freeze) {
    if (freeze)
        *freeze = 0;
    return E_NOTIMPL;
}

HRESULT ZarnObject::Unfreeze(DWORD) {
    return E_NOTIMPL;
}

HRESULT ZarnObject::SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) {
    if (sink && !(aspects & DVASPECT_CONTENT))
        return DV_E_DVASPECT;
    viewSink_ = sink;
    viewSinkFlags_ = flags;
    if (sink && (flags & ADVF_PRIMEFIRST))
        ViewChanged();
    return S_OK;
}

HRESULT ZarnObject::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) {
    if (aspects)
        *aspects = DVASPECT_CONTENT;
    if (flags)
        *flags = viewSinkFlags_;
    if (sink) {
        *sink = viewSink_.Get();
        if (*sink)
            (*sink)->AddRef();
    }
    return S_OK;
}

HRESULT ZarnObject::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) {
    return GetExtent(aspect, size);
}

} // namespace zarn
