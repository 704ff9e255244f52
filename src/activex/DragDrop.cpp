#include "activex/DragDrop.h"

#include "activex/DataObject.h"
#include "activex/Module.h"

#include <ole2.h>

namespace zarn {

namespace {

using Microsoft::WRL::ComPtr;

// The event's Button and Shift from the key state of a drag.
MouseEvent EventAt(HWND window, DWORD keys, POINTL at) {
    POINT p{at.x, at.y};
    ScreenToClient(window, &p);
    const short button = static_cast<short>(((keys & MK_LBUTTON) ? 1 : 0) | ((keys & MK_RBUTTON) ? 2 : 0) |
                                            ((keys & MK_MBUTTON) ? 4 : 0));
    const short shift = static_cast<short>(((keys & MK_SHIFT) ? 1 : 0) | ((keys & MK_CONTROL) ? 2 : 0) |
                                           ((keys & MK_ALT) ? 4 : 0));
    return MouseEvent{button, shift, static_cast<float>(p.x), static_cast<float>(p.y)};
}

// What a drop would do unless the host says otherwise: a copy with Ctrl,
// else a move where the source allows one.
long Suggested(DWORD allowed, DWORD keys) {
    if ((keys & MK_CONTROL) && (allowed & DROPEFFECT_COPY))
        return DROPEFFECT_COPY;
    if (allowed & DROPEFFECT_MOVE)
        return DROPEFFECT_MOVE;
    return static_cast<long>(allowed & DROPEFFECT_COPY);
}

template <class Interface> class Unknown : public Interface {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, __uuidof(Interface)))
            return E_NOINTERFACE;
        *out = static_cast<Interface*>(this);
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
    STDMETHODIMP_(ULONG) Release() override {
        const ULONG left = --refs_;
        if (left == 0)
            delete this;
        return left;
    }

protected:
    // Each keeps the module loaded: the platform may hold one a while.
    Unknown() { module::AddObject(); }
    virtual ~Unknown() { module::ReleaseObject(); }

private:
    ULONG refs_ = 1;
};

class DropTarget final : public Unknown<IDropTarget> {
public:
    DropTarget(HWND window, DropListener& listener) : window_(window), listener_(&listener) {}
    // The registration went: the platform may still hold the target.
    void Forget() { listener_ = nullptr; }

    STDMETHODIMP DragEnter(IDataObject* data, DWORD keys, POINTL at, DWORD* effect) override {
        if (!data || !effect)
            return E_INVALIDARG;
        data_ = DataObject::Reading(data);
        return Over(keys, at, effect, 0);
    }
    STDMETHODIMP DragOver(DWORD keys, POINTL at, DWORD* effect) override {
        if (!effect)
            return E_INVALIDARG;
        return Over(keys, at, effect, 2);
    }
    STDMETHODIMP DragLeave() override {
        const ComPtr<DataObject> data = std::move(data_);
        long effect = DROPEFFECT_NONE;
        if (data && listener_)
            listener_->DragOver(*data.Get(), effect, last_, 1);
        return S_OK;
    }
    STDMETHODIMP Drop(IDataObject* data, DWORD keys, POINTL at, DWORD* effect) override {
        if (!data || !effect)
            return E_INVALIDARG;
        const ComPtr<DataObject> reading = data_ ? std::move(data_) : DataObject::Reading(data);
        long answer = Suggested(*effect, keys);
        MouseEvent where = EventAt(window_, keys, at);
        if (listener_)
            listener_->Drop(*reading.Get(), answer, where);
        else
            answer = DROPEFFECT_NONE;
        *effect = static_cast<DWORD>(answer);
        return S_OK;
    }

private:
    HRESULT Over(DWORD keys, POINTL at, DWORD* effect, short state) {
        long answer = Suggested(*effect, keys);
        last_ = EventAt(window_, keys, at);
        if (data_ && listener_)
            listener_->DragOver(*data_.Get(), answer, last_, state);
        else
            answer = DROPEFFECT_NONE;
        *effect = static_cast<DWORD>(answer);
        return S_OK;
    }

    HWND window_;
    DropListener* listener_;
    ComPtr<DataObject> data_;
    MouseEvent last_{};
};

class Registration final : public DropRegistration {
public:
    Registration(HWND window, ComPtr<DropTarget> target) : window_(window), target_(std::move(target)) {}
    ~Registration() override {
        target_->Forget();
        RevokeDragDrop(window_);
    }

private:
    HWND window_;
    ComPtr<DropTarget> target_;
};

class DropSource final : public Unknown<IDropSource> {
public:
    explicit DropSource(DragSourceListener& listener) : listener_(listener) {}

    STDMETHODIMP QueryContinueDrag(BOOL escape, DWORD keys) override {
        if (escape)
            return DRAGDROP_S_CANCEL;
        return (keys & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) ? S_OK : DRAGDROP_S_DROP;
    }
    STDMETHODIMP GiveFeedback(DWORD effect) override {
        long shown = static_cast<long>(effect);
        VARIANT_BOOL defaultCursors = VARIANT_TRUE;
        listener_.GiveFeedback(shown, defaultCursors);
        return defaultCursors ? DRAGDROP_S_USEDEFAULTCURSORS : S_OK;
    }

private:
    DragSourceListener& listener_;
};

bool CarriesAnything(DataObject& data) {
    ComPtr<IEnumFORMATETC> formats;
    FORMATETC first{};
    return SUCCEEDED(data.EnumFormatEtc(DATADIR_GET, formats.GetAddressOf())) &&
           formats->Next(1, &first, nullptr) == S_OK;
}

} // namespace

std::unique_ptr<DropRegistration> RegisterDropTarget(HWND window, DropListener& listener) {
    const ComPtr<DropTarget> target = Adopt(new DropTarget(window, listener));
    if (FAILED(RegisterDragDrop(window, target.Get())))
        return nullptr;
    return std::make_unique<Registration>(window, target);
}

// A host that allows no effect, or leaves no data, has called the drag off.
void RunDrag(DragSourceListener& listener, const std::wstring* text) {
    const ComPtr<DataObject> data = DataObject::Offering(&listener);
    if (text)
        data->SetText(*text);
    long allowed = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    listener.StartDrag(*data.Get(), allowed);
    DWORD effect = DROPEFFECT_NONE;
    if (allowed != 0 && CarriesAnything(*data.Get())) {
        const ComPtr<DropSource> source = Adopt(new DropSource(listener));
        if (DoDragDrop(data.Get(), source.Get(), static_cast<DWORD>(allowed), &effect) != DRAGDROP_S_DROP)
            effect = DROPEFFECT_NONE;
    }
    data->EndDrag();
    long done = static_cast<long>(effect);
    listener.CompleteDrag(done);
}

} // namespace zarn
