// IPersistPropertyBag and IPersistStreamInit: a new control, a load and a
// save go to the control's InitProperties, ReadProperties and
// WriteProperties; the stream carries the same entries as a bag.
#include "activex/MemoryBag.h"
#include "activex/ZarnObject.h"

namespace zarn {

HRESULT ZarnObject::GetClassID(CLSID* clsid) {
    if (!clsid)
        return E_POINTER;
    *clsid = CLSID_Zarn;
    return S_OK;
}

HRESULT ZarnObject::InitNew() {
    return Run(IID_IPersistPropertyBag, [&] {
        initialised_ = true;
        control_->InitProperties();
        dirty_ = false;
    });
}

HRESULT ZarnObject::Load(IPropertyBag* bag, IErrorLog*) {
    if (!bag)
        return E_POINTER;
    return Run(IID_IPersistPropertyBag, [&] {
        initialised_ = true;
        ComBag host(*bag);
        control_->ReadProperties(host);
        dirty_ = false;
    });
}

HRESULT ZarnObject::Save(IPropertyBag* bag, BOOL clearDirty, BOOL) {
    if (!bag)
        return E_POINTER;
    return ComCall(IID_IPersistPropertyBag, [&] {
        EnsureInitialised();
        ComBag host(*bag);
        control_->WriteProperties(host);
        if (clearDirty)
            dirty_ = false;
    });
}

HRESULT ZarnObject::IsDirty() {
    return dirty_ ? S_OK : S_FALSE;
}

HRESULT ZarnObject::Load(LPSTREAM stream) {
    if (!stream)
        return E_POINTER;
    return Run(IID_IPersistStreamInit, [&] {
        MemoryBag bag;
        bag.LoadFrom(*stream);
        initialised_ = true;
        control_->ReadProperties(bag);
        dirty_ = false;
    });
}

HRESULT ZarnObject::Save(LPSTREAM stream, BOOL clearDirty) {
    if (!stream)
        return E_POINTER;
    return ComCall(IID_IPersistStreamInit, [&] {
        EnsureInitialised();
        MemoryBag bag;
        control_->WriteProperties(bag);
        bag.SaveTo(*stream);
        if (clearDirty)
            dirty_ = false;
    });
}

HRESULT ZarnObject::GetSizeMax(ULARGE_INTEGER* size) {
    if (!size)
        return E_POINTER;
    return ComCall(IID_IPersistStreamInit, [&] {
        EnsureInitialised();
        MemoryBag bag;
        control_->WriteProperties(bag);
        Microsoft::WRL::ComPtr<IStream> buffer;
        ThrowIfFailed(CreateStreamOnHGlobal(nullptr, TRUE, buffer.GetAddressOf()));
        bag.SaveTo(*buffer.Get());
        STATSTG stat{};
        ThrowIfFailed(buffer->Stat(&stat, STATFLAG_NONAME));
        *size = stat.cbSize;
    });
}

} // namespace zarn
